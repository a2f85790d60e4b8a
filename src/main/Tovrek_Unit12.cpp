#include "main/Tovrek_Unit12.h"

#include "main/program.h"
#include "toolkit/application.h"

namespace tovrek {

TForm12::TForm12(Program& program) : tk::Form(program.App, "Form12"), P(program) {
  LoadLayout("layouts/Tovrek_Unit12.layout", {
                                                 {"FormActivate", tk::HandlerOf(this, &TForm12::FormActivate)},
                                                 {"Button1Click", tk::HandlerOf(this, &TForm12::Button1Click)},
                                                 {"Button2Click", tk::HandlerOf(this, &TForm12::Button2Click)},
                                                 {"Button1KeyDown", tk::HandlerOf(this, &TForm12::ButtonKeyDown)},
                                                 {"Button2KeyDown", tk::HandlerOf(this, &TForm12::ButtonKeyDown)},
                                             });
  Bind(Panel1, "Panel1");
  Bind(Button2, "Button2");
  Bind(Button1, "Button1");
}

void TForm12::FormActivate() { Button1->SetFocus(); }

void TForm12::Button1Click() { App().Terminate(); }

void TForm12::Button2Click() { Close(); }

// Esc on either button is Cancel.
void TForm12::ButtonKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Button2->Click();
}

}  // namespace tovrek
