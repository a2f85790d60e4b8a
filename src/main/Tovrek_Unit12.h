// The shut-down confirmation.
#pragma once

#include "designs/Tovrek_Unit12_design.h"

namespace tovrek {

struct Program;

class TForm12 : public TForm12Design<TForm12> {
 public:
  explicit TForm12(Program& program);
  Program& P;

  void FormActivate();
  void Button1Click();
  void Button2Click();
  void ButtonKeyDown(uint16_t& key, tk::ShiftState shift);
  void Button1KeyDown(uint16_t& key, tk::ShiftState shift) { ButtonKeyDown(key, shift); }
  void Button2KeyDown(uint16_t& key, tk::ShiftState shift) { ButtonKeyDown(key, shift); }
};

}  // namespace tovrek
