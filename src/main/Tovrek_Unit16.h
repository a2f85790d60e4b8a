// The keyboard-shortcuts window: the Ctrl keys of a Learning run.
#pragma once

#include "designs/Tovrek_Unit16_design.h"

namespace tovrek {

struct Program;

class TForm16 : public TForm16Design<TForm16> {
 public:
  explicit TForm16(Program& program);
  Program& P;

  void FormActivate();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnOkClick();
};

}  // namespace tovrek
