// The shut-down confirmation.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm12 : public tk::Form {
 public:
  explicit TForm12(Program& program);
  Program& P;

  tk::Panel* Panel1;
  tk::Button* Button2;
  tk::Button* Button1;

  void FormActivate();
  void Button1Click();
  void Button2Click();
  void ButtonKeyDown(uint16_t& key, tk::ShiftState shift);
};

}  // namespace tovrek
