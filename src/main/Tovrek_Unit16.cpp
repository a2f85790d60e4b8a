#include "main/Tovrek_Unit16.h"

#include "main/program.h"

namespace tovrek {

TForm16::TForm16(Program& program) : TForm16Design(program.App), P(program) { LoadDesign(); }

void TForm16::FormActivate() { BtnOk->SetFocus(); }

void TForm16::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

void TForm16::BtnOkClick() { Close(); }

}  // namespace tovrek
