// The stop window: the program must not run; every way out ends it.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm8 : public tk::Form {
 public:
  explicit TForm8(Program& program);
  Program& P;

  tk::Button* Button1;
  tk::Panel* Panel1;
  tk::Memo* Memo1;

  void FormActivate();
  void Button1Click();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  void FormClose();
  void Memo1Click();
};

}  // namespace tovrek
