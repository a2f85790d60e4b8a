// The stop window: the program must not run; every way out ends it.
#pragma once

#include "designs/Tovrek_Unit8_design.h"

namespace tovrek {

struct Program;

class TForm8 : public TForm8Design<TForm8> {
 public:
  explicit TForm8(Program& program);
  Program& P;

  void FormActivate();
  void Button1Click();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  void FormClose();
  void Memo1Click();
};

}  // namespace tovrek
