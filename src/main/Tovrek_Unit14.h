// The search window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm14 : public tk::Form {
 public:
  explicit TForm14(Program& program);
  Program& P;
};

}  // namespace tovrek
