// The quotation window.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm13 : public tk::Form {
 public:
  explicit TForm13(Program& program);
  Program& P;
};

}  // namespace tovrek
