#include "main/Tovrek_Unit12.h"

#include "main/program.h"
#include "toolkit/application.h"

namespace tovrek {

TForm12::TForm12(Program& program) : TForm12Design(program.App), P(program) {
  LoadDesign();
}

void TForm12::FormActivate() { Button1->SetFocus(); }

void TForm12::Button1Click() { App().Terminate(); }

void TForm12::Button2Click() { Close(); }

// Esc on either button is Cancel.
void TForm12::ButtonKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Button2->Click();
}

}  // namespace tovrek
