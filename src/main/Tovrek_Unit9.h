// The automatic-advance window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm9 : public tk::Form {
 public:
  explicit TForm9(Program& program);
  Program& P;
};

}  // namespace tovrek
