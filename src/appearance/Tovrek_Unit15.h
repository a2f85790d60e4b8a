// The picture-exists window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm15 : public tk::Form {
 public:
  explicit TForm15(Program& program);
  Program& P;
};

}  // namespace tovrek
