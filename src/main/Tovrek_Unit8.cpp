#include "main/Tovrek_Unit8.h"

#include "main/program.h"
#include "toolkit/application.h"

namespace tovrek {

TForm8::TForm8(Program& program) : TForm8Design(program.App), P(program) {
  LoadDesign();
}

void TForm8::FormActivate() {
  TForm1& f = *P.Form1;
  // The main window goes dead; the lists keep their enabling.
  for (tk::DropDownList* list : {f.CbxSubject, f.CbxTopic, f.CbxSequence, f.CbxMode}) {
    list->ClearItems();
    list->SetColor(tk::clRed);
  }
  f.CheckBox1->SetChecked(false);
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.BtnStartStop, f.BtnAbout, f.BtnEdit, f.BtnSetup,
                                                            f.BtnClose, f.BtnClock, f.BtnBrowser, f.BtnRefresh})
    c->SetEnabled(false);
  f.PnlQuestion->SetFontColor(tk::clSilver);
  f.PnlAnswer->SetFontColor(tk::clSilver);
  f.Label3->SetEnabled(false);
  f.Label4->SetEnabled(false);
  f.LblTopic->SetCaption("Topic");
  f.LblTopic->SetEnabled(false);
  f.Label6->SetEnabled(false);

  if (!P.Unit1.NoWriteAccess) {
    // The compact box of the school build.
    Panel1->SetCaption("Tovrek is not available");
    Panel1->SetBounds(32, 16, 257, Panel1->Height());
    Button1->SetBounds(104, 64, Button1->Width(), Button1->Height());
    Memo1->SetVisible(false);
  }
}

void TForm8::Button1Click() { App().Terminate(); }

void TForm8::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) App().Terminate();
}

void TForm8::FormClose() { App().Terminate(); }

void TForm8::Memo1Click() { Button1->SetFocus(); }

}  // namespace tovrek
