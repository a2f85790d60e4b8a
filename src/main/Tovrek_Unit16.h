// The keyboard-shortcuts window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm16 : public tk::Form {
 public:
  explicit TForm16(Program& program);
  Program& P;
};

}  // namespace tovrek
