// The delete-picture confirmation.
#pragma once

#include "designs/Tovrek_Unit11_design.h"

namespace tovrek {

struct Program;

class TForm11 : public TForm11Design<TForm11> {
 public:
  explicit TForm11(Program& program);
  Program& P;

  void FormActivate();
  void BtnOkClick();
  void BtnCancelClick();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
};

}  // namespace tovrek
