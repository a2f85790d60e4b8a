#include "appearance/Tovrek_Unit11.h"

#include "appearance/Tovrek_Unit7.h"
#include "knowledge/pictures_folder.h"
#include "main/program.h"
#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/paths.h"

namespace tovrek {

TForm11::TForm11(Program& program) : TForm11Design(program.App), P(program) { LoadDesign(); }

void TForm11::FormActivate() { Panel1->SetCaption(P.Form7->CbxPictureDefault->Text()); }

void TForm11::BtnOkClick() {
  Unit1State& u = P.Unit1;
  Unit7State& u7 = P.Unit7;
  TForm7& f7 = *P.Form7;
  tk::DropDownList& list = *f7.CbxPictureDefault;
  const std::string folder = knowledge::kPicturesFolder;
  const std::string oldDefault = u.DefaultPictureName;
  const std::string name = list.Text();
  if (name.empty()) {
    Close();
    return;
  }
  // Decided before the file goes: the default is the file its name reaches.
  const bool wasDefault = knowledge::IsBareFileName(oldDefault) &&
                          plat::NativePath(folder + oldDefault) == knowledge::ExactPathIn(folder, name);
  knowledge::DeleteExactly(folder, name);
  // The entry itself, not another spelling of it.
  int index = list.ItemIndex();
  if (index < 0 || list.Item(index) != name) index = list.IndexOf(name);
  if (index >= 0) list.DeleteItem(index);
  list.SetItemIndex(list.IndexOf(knowledge::kDefaultPictureName));

  if (wasDefault) {
    u7.ConfigLines = knowledge::ReadSettingsFile(u.SettingsFile, knowledge::kSettingsPath);
    u7.ConfigLines[8] = knowledge::kDefaultPictureName;
    knowledge::SaveSettingsFile(knowledge::kSettingsPath, u7.ConfigLines);
    u.DefaultPictureName = knowledge::kDefaultPictureName;
    try {
      P.Form1->Image1->LoadFromFile(folder + knowledge::kDefaultPictureName);
    } catch (const plat::PictureError&) {
      // The file is written; activation restores the folder's default.jpg.
    }
  }
  f7.LoadPreview(folder + knowledge::kDefaultPictureName);
  Close();
}

void TForm11::BtnCancelClick() { Close(); }

void TForm11::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

}  // namespace tovrek
