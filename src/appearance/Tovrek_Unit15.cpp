#include "appearance/Tovrek_Unit15.h"

#include "main/program.h"
#include "platform/files.h"
#include "platform/jpeg.h"

namespace tovrek {

TForm15::TForm15(Program& program) : TForm15Design(program.App), P(program) { LoadDesign(); }

void TForm15::FormActivate() {
  Unit7State& u = P.Unit7;
  Image1->SetStretch(false);
  Image1->SetProportional(true);
  // The new picture, not the folder's; it was checked before the window came up.
  try {
    Image1->LoadFromFile(u.NewPictureSource);
  } catch (const plat::PictureError&) {
    Image1->ClearPicture();
  }
  Panel1->SetCaption(u.NewPictureName);
}

void TForm15::BtnReplaceClick() {
  P.Unit7.ReplacePicture = 1;
  Close();
}

void TForm15::BtnUseExistingClick() {
  P.Unit7.UseExistingPicture = 1;
  Close();
}

void TForm15::BtnCancelClick() { Close(); }

void TForm15::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnCancel->Click();
}

}  // namespace tovrek
