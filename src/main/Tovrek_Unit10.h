// The problem report window: expected problems are reported here, never
// raised as errors.
#pragma once

#include "designs/Tovrek_Unit10_design.h"

namespace tovrek {

struct Program;

class TForm10 : public TForm10Design<TForm10> {
 public:
  explicit TForm10(Program& program);
  Program& P;

  void FormActivate();
  void BtnOkClick();
  void EscapeKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnOkKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }
  void ListBoxKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }
  void FormClose();

  // Clears the topic verdict flags.
  void ClearProblemFlags();
  // After a fatal problem ends the program, otherwise clears the verdict.
  void AcknowledgeProblem();

 private:
  void SetTexts(const char* description, const char* action);
};

}  // namespace tovrek
