// The quotation window: a saying shown whole at each opening, then typed
// out one letter at a time on "Another", without repeats.
#pragma once

#include <cstdint>

#include "designs/Tovrek_Unit13_design.h"
#include "quotations/quotation_model.h"

namespace tovrek {

struct Program;

class TForm13 : public TForm13Design<TForm13> {
 public:
  explicit TForm13(Program& program);
  Program& P;
  Unit13State& S;

  void FormCreate();
  void FormActivate();
  void BtnAnotherClick();
  void Timer1Timer();
  void BtnCloseClick();
  void FormClose();
  void BtnAnotherKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnCloseKeyDown(uint16_t& key, tk::ShiftState shift);

  static constexpr int kQuoteWidth = 391;

 private:
  void StopAndShowMainWindow();
};

}  // namespace tovrek
