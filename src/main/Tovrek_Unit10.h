// The problem report window: expected problems are reported here, never
// raised as errors.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TForm10 : public tk::Form {
 public:
  explicit TForm10(Program& program);
  Program& P;

  tk::Button* BtnOk;
  tk::Panel* Panel1;
  tk::Label* Label1;
  tk::Label* LblDescription;
  tk::Label* Label2;
  tk::Label* LblSeverity;
  tk::ListBox* ListBox;

  void FormActivate();
  void BtnOkClick();
  void EscapeKeyDown(uint16_t& key, tk::ShiftState shift);
  void FormClose();

  // Clears the topic verdict flags.
  void ClearProblemFlags();
  // After a fatal problem ends the program, otherwise clears the verdict.
  void AcknowledgeProblem();

 private:
  void SetTexts(const char* description, const char* action);
};

}  // namespace tovrek
