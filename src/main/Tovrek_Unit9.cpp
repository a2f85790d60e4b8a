#include "main/Tovrek_Unit9.h"

#include "knowledge/auto_advance.h"
#include "main/Tovrek_Unit1.h"
#include "main/program.h"

namespace tovrek {

TForm9::TForm9(Program& program) : TForm9Design(program.App), P(program) { LoadDesign(); }

void TForm9::FormActivate() {
  TForm1& f = *P.Form1;
  RadioGroup1->SetCaption(knowledge::AdvanceGroupCaption(f.CbxMode->Text()));
  // The timer panel's colour is the sign that an interval is set.
  if (f.PnlTimer->GetColor() == tk::clBtnFace) {
    BtnCancel->SetEnabled(false);
    BtnSet->SetEnabled(true);
    BtnSet->SetFocus();
  } else {
    BtnCancel->SetEnabled(true);
    BtnCancel->SetFocus();
  }
}

void TForm9::RadioGroup1Click() { BtnSet->SetFocus(); }

void TForm9::BtnSetClick() {
  TForm1& f = *P.Form1;
  const int item = RadioGroup1->ItemIndex();
  if (knowledge::AdvanceIntervalMs(item) != 0) {
    f.Timer->SetInterval(knowledge::AdvanceIntervalMs(item));
    f.BtnClock->SetCaption(knowledge::AdvanceCaption(item, f.CbxMode->Text()));
  }
  P.Unit1.AutoAdvanceOn = true;
  f.PnlTimer->SetColor(tk::clLime);
  Close();
}

void TForm9::BtnCancelClick() {
  TForm1& f = *P.Form1;
  P.Unit1.AutoAdvanceOn = false;
  f.PnlTimer->SetColor(tk::clBtnFace);
  f.BtnClock->SetCaption(f.CbxMode->Text() == "Practice" ? "Au&to" : "Au&tomatic   Advance");
  Close();
}

void TForm9::EscapeKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

}  // namespace tovrek
