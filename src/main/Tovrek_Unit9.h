// The automatic-advance window: the interval of the main window's timer,
// and automatic advance on or off.
#pragma once

#include "designs/Tovrek_Unit9_design.h"

namespace tovrek {

struct Program;

class TForm9 : public TForm9Design<TForm9> {
 public:
  explicit TForm9(Program& program);
  Program& P;

  void FormActivate();
  void RadioGroup1Click();
  void BtnSetClick();
  void BtnCancelClick();
  void BtnSetKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }
  void BtnCancelKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }

 private:
  void EscapeKeyDown(uint16_t& key, tk::ShiftState shift);
};

}  // namespace tovrek
