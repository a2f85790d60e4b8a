// The splash window: on screen while the windows are created.
#pragma once

#include "designs/Tovrek_Unit6_design.h"

namespace tovrek {

struct Program;

class TSplashForm : public TSplashFormDesign<TSplashForm> {
 public:
  explicit TSplashForm(Program& program);

};

}  // namespace tovrek
