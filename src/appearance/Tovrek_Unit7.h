// The customisation window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm7 : public tk::Form {
 public:
  explicit TForm7(Program& program);
  Program& P;
};

}  // namespace tovrek
