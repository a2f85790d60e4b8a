// The delete-picture confirmation.
#pragma once

#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm11 : public tk::Form {
 public:
  explicit TForm11(Program& program);
  Program& P;
};

}  // namespace tovrek
