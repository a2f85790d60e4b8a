// The About window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm4 : public tk::Form {
 public:
  explicit TForm4(Program& program);
  Program& P;
};

}  // namespace tovrek
