#include "appearance/Tovrek_Unit7.h"

#include "appearance/Tovrek_Unit11.h"
#include "appearance/Tovrek_Unit15.h"
#include "knowledge/colour_table.h"
#include "knowledge/pictures_folder.h"
#include "main/program.h"
#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/text8.h"
#include "toolkit/application.h"

namespace tovrek {

using knowledge::ListKind;

namespace {

// The sample of the mock-up's media box: a title, its author and a
// paragraph that the box wraps.
const char* const kSampleTitle = "THE LANTERN KEEPERS";
const char* const kSampleAuthor = "Mira Oststeen";
const char* const kSampleParagraph =
    "Lanterns swung along the harbour wall while the keepers counted the boats home, one by one, until the last "
    "small sail slipped past the rocks and the whole town breathed out, as if the sea had held its breath all night.";

// A colour list's text, exactly one of its own names.
template <class Apply>
void OnColour(const tk::DropDownList& list, ListKind kind, Apply apply) {
  if (const auto c = knowledge::ColourFromExactName(kind, list.Text())) apply(*c);
}

template <class Apply>
void OnSize(const tk::DropDownList& list, Apply apply) {
  if (const auto s = knowledge::SizeFromText(list.Text())) apply(*s);
}

}  // namespace

TForm7::TForm7(Program& program) : TForm7Design(program.App), P(program) { LoadDesign(); }

void TForm7::FormCreate() { ShowMediaSample(); }

void TForm7::ShowMediaSample() {
  MemoMedia->ClearLines();
  for (const char* line : {kSampleTitle, "", kSampleAuthor, "", kSampleParagraph}) MemoMedia->AddLine(line);
  // Back to the first line.
  MemoMedia->InsertLine(0, "check");
  MemoMedia->DeleteLine(0);
}

// --- The change handlers --------------------------------------------------------

void TForm7::SetWindowColour(tk::Color c) {
  SetColor(c);
  CheckBox1->SetColor(c);
}

void TForm7::ApplyDarkRule(tk::Color background) {
  const bool dark = knowledge::IsDarkColour(background);
  Label25->SetFontColor(dark ? tk::clWhite : tk::clNavy);
  const tk::Color text = dark ? tk::clWhite : tk::clBlack;
  CheckBox1->SetFontColor(text);
  LblCorrect->SetFontColor(text);
  LblIncorrect->SetFontColor(text);
  for (tk::Shape* s : {Shape1, Shape2, Shape3, Shape4, Shape5, Shape6, Shape7, Shape8, Shape9, Shape10, Shape11})
    s->SetPenColor(text);
}

void TForm7::CbxFormBackgroundChange() {
  OnColour(*CbxFormBackground, ListKind::Colours20, [this](tk::Color c) { SetWindowColour(c); });
  ApplyDarkRule(GetColor());
}
void TForm7::CbxOptionPanelChange() {
  OnColour(*CbxOptionPanel, ListKind::Colours20, [this](tk::Color c) { OptionPanel->SetColor(c); });
}
void TForm7::CbxOptionsFontChange() {
  OnColour(*CbxOptionsFont, ListKind::Colours19, [this](tk::Color c) {
    LblSubject->SetFontColor(c);
    LblTopic->SetFontColor(c);
  });
}
void TForm7::CbxTextBoxFontSizeChange() {
  ShowMediaSample();
  OnSize(*CbxTextBoxFontSize, [this](int s) { MemoMedia->SetFontSize(s); });
}
void TForm7::CbxTextBoxColourChange() {
  OnColour(*CbxTextBoxColour, ListKind::Colours19, [this](tk::Color c) { MemoMedia->SetColor(c); });
}
void TForm7::CbxTextBoxFontChange() {
  OnColour(*CbxTextBoxFont, ListKind::Colours19, [this](tk::Color c) { MemoMedia->SetFontColor(c); });
}
void TForm7::CbxTovrekFontChange() {
  OnColour(*CbxTovrekFont, ListKind::Colours19, [this](tk::Color c) {
    PnlQuestion->SetFontColor(c);
    PnlAnswer->SetFontColor(c);
  });
}
void TForm7::CbxTovrekPanelsChange() {
  OnColour(*CbxTovrekPanels, ListKind::Colours20, [this](tk::Color c) {
    PnlQuestion->SetColor(c);
    PnlAnswer->SetColor(c);
  });
}
void TForm7::CbxPictureBorderChange() {
  OnColour(*CbxPictureBorder, ListKind::Colours20, [this](tk::Color c) { PnlPicture->SetColor(c); });
}
void TForm7::CbxQuestionSizeChange() {
  OnSize(*CbxQuestionSize, [this](int s) { MemoQuestion->SetFontSize(s); });
}
void TForm7::CbxQuestionFontChange() {
  OnColour(*CbxQuestionFont, ListKind::Colours19, [this](tk::Color c) { MemoQuestion->SetFontColor(c); });
}
void TForm7::CbxQuestionBoxChange() {
  OnColour(*CbxQuestionBox, ListKind::Colours19, [this](tk::Color c) { MemoQuestion->SetColor(c); });
}
void TForm7::CbxAnswerSizeChange() {
  OnSize(*CbxAnswerSize, [this](int s) { MemoAnswer->SetFontSize(s); });
}
void TForm7::CbxAnswerFontChange() {
  OnColour(*CbxAnswerFont, ListKind::Colours19, [this](tk::Color c) { MemoAnswer->SetFontColor(c); });
}
void TForm7::CbxAnswerBoxChange() {
  OnColour(*CbxAnswerBox, ListKind::Colours19, [this](tk::Color c) { MemoAnswer->SetColor(c); });
}
void TForm7::CbxStatisticsFontChange() {
  OnColour(*CbxStatisticsFont, ListKind::Colours19, [this](tk::Color c) {
    Label7->SetFontColor(c);
    Label8->SetFontColor(c);
  });
}

void TForm7::ListKeyPress(char& key) {
  if (key == 8) key = 0;
}

// --- Clicks and keys --------------------------------------------------------------

void TForm7::MemoMediaClick() {
  Unit1State& u = P.Unit1;
  if (MemoMedia->GetAlignment() == tk::Alignment::Center) {
    MemoMedia->SetAlignment(tk::Alignment::Left);
    u.MediaAlignText = "left";
  } else {
    MemoMedia->SetAlignment(tk::Alignment::Center);
    u.MediaAlignText = "center";
  }
  BtnApply->SetFocus();
}

void TForm7::MemoQuestionClick() { BtnApply->SetFocus(); }
void TForm7::MemoAnswerClick() { BtnApply->SetFocus(); }

void TForm7::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnClose->Click();
}

void TForm7::BtnCloseClick() { Close(); }

// --- Settings lines -----------------------------------------------------------------

tk::DropDownList* TForm7::ListOfLine(int line) const {
  tk::DropDownList* const lists[] = {CbxFormBackground, CbxOptionPanel,    CbxOptionsFont,    CbxTextBoxFontSize,
                                     CbxTextBoxColour,  CbxTextBoxFont,    CbxTovrekFont,     CbxTovrekPanels,
                                     CbxPictureDefault, CbxPictureAspect,  CbxPictureBorder,  CbxQuestionSize,
                                     CbxQuestionFont,   CbxQuestionBox,    CbxAnswerSize,     CbxAnswerFont,
                                     CbxAnswerBox,      CbxStatisticsFont};
  return line >= 1 && line <= 18 ? lists[line - 1] : nullptr;
}

knowledge::LineValue TForm7::SelectLine(int line, const std::string& text) {
  tk::DropDownList* list = ListOfLine(line);
  knowledge::LineValue v = knowledge::LookUpLine(line, text);
  if (list == nullptr) return v;
  // The picture list holds the folder's names, not a fixed kind.
  if (line == 9) v.Index = list->IndexOf(text);
  list->SetItemIndex(v.Index);
  ApplyMockupLine(line, v);
  return v;
}

void TForm7::ApplyMockupLine(int line, const knowledge::LineValue& v) {
  if (v.Colour) {
    const tk::Color c = *v.Colour;
    switch (line) {
      case 1: SetWindowColour(c); break;
      case 2: OptionPanel->SetColor(c); break;
      case 3: LblSubject->SetFontColor(c); LblTopic->SetFontColor(c); break;
      case 5: MemoMedia->SetColor(c); break;
      case 6: MemoMedia->SetFontColor(c); break;
      case 7: PnlQuestion->SetFontColor(c); PnlAnswer->SetFontColor(c); break;
      case 8: PnlQuestion->SetColor(c); PnlAnswer->SetColor(c); break;
      case 11: PnlPicture->SetColor(c); break;
      case 13: MemoQuestion->SetFontColor(c); break;
      case 14: MemoQuestion->SetColor(c); break;
      case 16: MemoAnswer->SetFontColor(c); break;
      case 17: MemoAnswer->SetColor(c); break;
      case 18: Label7->SetFontColor(c); Label8->SetFontColor(c); break;
      default: break;
    }
  }
  if (v.Size) {
    switch (line) {
      case 4: MemoMedia->SetFontSize(*v.Size); break;
      case 12: MemoQuestion->SetFontSize(*v.Size); break;
      case 15: MemoAnswer->SetFontSize(*v.Size); break;
      default: break;
    }
  }
}

void TForm7::SetPreviewAspect(bool stretched) {
  Image1->SetStretch(stretched);
  Image1->SetProportional(!stretched);
}

std::string TForm7::PicturesFolder() const {
  return P.Unit1.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\setup\\pictures\\"
                                    : std::string(knowledge::kPicturesFolder);
}

void TForm7::ShowPreview(const std::string& path) {
  try {
    // A pipe or a device must not block the window.
    if (!plat::IsRegularFile(path)) throw plat::PictureError("Cannot open the picture " + path);
    Image1->LoadFromFile(path);
  } catch (const plat::PictureError&) {
    // The picture shown before may be the very file that has gone.
    Image1->ClearPicture();
    throw;
  }
}

void TForm7::ShowFolderPicture(const std::string& name) {
  if (!knowledge::IsBareFileName(name)) {
    Image1->ClearPicture();
    throw plat::PictureError("Cannot open the picture " + PicturesFolder() + name);
  }
  ShowPreview(PicturesFolder() + name);
}

bool TForm7::LoadPreview(const std::string& path) {
  try {
    ShowPreview(path);
  } catch (const plat::PictureError&) {
    return false;
  }
  return true;
}

// --- Default, Original, Apply and the writer ------------------------------------------

void TForm7::SaveSettingsFile() {
  knowledge::SettingsLines lines;
  for (int line = 1; line <= 18; ++line) lines[static_cast<size_t>(line - 1)] = ListOfLine(line)->Text();
  lines[18] = P.Unit1.MediaAlignText;
  knowledge::SaveSettingsFile(knowledge::kSettingsPath, lines);
}

void TForm7::BtnDefaultClick() {
  Unit1State& u = P.Unit1;
  const std::string path =
      u.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\setup\\config.ini" : std::string(knowledge::kSettingsPath);
  const knowledge::SettingsLines lines = knowledge::ReadSettingsFile(u.SettingsFile, path);
  for (int line = 1; line <= 18; ++line) {
    const std::string& text = lines[static_cast<size_t>(line - 1)];
    SelectLine(line, text);
    // The main window keeps its picture name until Apply.
    if (line == 9 && knowledge::IsBareFileName(text)) LoadPreview(PicturesFolder() + text);
    if (line == 10) SetPreviewAspect(knowledge::IsStretchedText(text));
  }
  MemoMedia->SetAlignment(knowledge::IsLeftText(lines[18]) ? tk::Alignment::Left : tk::Alignment::Center);
  ApplyDarkRule(GetColor());
}

void TForm7::BtnOriginalClick() {
  const knowledge::SettingsLines original = [] {
    knowledge::SettingsLines l = knowledge::DefaultSettingsLines();
    l[8] = "Default.jpg";
    l[9] = "Stretched";
    return l;
  }();
  bool pictureLoaded = true;
  for (int line = 1; line <= 18; ++line) {
    SelectLine(line, original[static_cast<size_t>(line - 1)]);
    if (line == 9) pictureLoaded = LoadPreview(PicturesFolder() + knowledge::kDefaultPictureName);
    if (line == 10) SetPreviewAspect(true);
  }
  MemoMedia->SetAlignment(tk::Alignment::Left);
  ApplyDarkRule(GetColor());
  if (!pictureLoaded)
    throw plat::PictureError("Cannot load the picture " + PicturesFolder() + knowledge::kDefaultPictureName);
}

void TForm7::BtnApplyClick() {
  Unit1State& u = P.Unit1;
  TForm1& f = *P.Form1;
  // The picture first: a name that cannot be shown changes nothing.
  const std::string name = CbxPictureDefault->Text();
  if (!knowledge::IsBareFileName(name)) throw plat::PictureError("No picture is selected.");
  const std::string picture = PicturesFolder() + name;
  if (!plat::IsRegularFile(picture)) throw plat::PictureError("The picture " + picture + " is missing.");
  f.Image1->LoadFromFile(picture);

  f.SetColor(GetColor());
  const tk::Color figures = knowledge::IsDarkColour(f.GetColor()) ? tk::clWhite : tk::clBlack;
  for (tk::Label* l : {f.LblCorrect, f.LblIncorrect, f.LblAttempted, f.LblPercentage}) l->SetFontColor(figures);
  for (int i = 1; i <= 11; ++i) f.Shape[static_cast<size_t>(i)]->SetPenColor(figures);
  f.Panel1->SetColor(OptionPanel->GetColor());
  f.CheckBox1->SetColor(OptionPanel->GetColor());
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.Label6, f.LblTopic, f.Label3, f.Label4, f.CheckBox1})
    c->SetFontColor(LblSubject->GetFont().FontColor);
  f.MemoMedia->SetFontSize(MemoMedia->GetFont().Size());
  u.FormatDefaults[1] = std::to_string(MemoMedia->GetFont().Size());
  f.MemoMedia->SetColor(MemoMedia->GetColor());
  f.MemoMedia->SetFontColor(MemoMedia->GetFont().FontColor);
  f.PnlQuestion->SetFontColor(PnlQuestion->GetFont().FontColor);
  f.PnlAnswer->SetFontColor(PnlAnswer->GetFont().FontColor);
  f.PnlQuestion->SetColor(PnlQuestion->GetColor());
  f.PnlAnswer->SetColor(PnlAnswer->GetColor());
  u.DefaultPictureName = name;
  u.WorkPath = PicturesFolder();
  u.PictureAspectText = CbxPictureAspect->Text().substr(0, 25);
  const bool stretched = knowledge::IsStretchedText(u.PictureAspectText);
  f.Image1->SetStretch(stretched);
  f.Image1->SetProportional(!stretched);
  u.FormatDefaults[10] = stretched ? "stretched" : "normal";
  f.PnlPicture->SetColor(PnlPicture->GetColor());
  f.MemoQuestion->SetFontSize(MemoQuestion->GetFont().Size());
  u.FormatDefaults[4] = std::to_string(MemoQuestion->GetFont().Size());
  f.MemoQuestion->SetFontColor(MemoQuestion->GetFont().FontColor);
  f.MemoQuestion->SetColor(MemoQuestion->GetColor());
  f.MemoAnswer->SetFontSize(MemoAnswer->GetFont().Size());
  u.FormatDefaults[7] = std::to_string(MemoAnswer->GetFont().Size());
  f.MemoAnswer->SetFontColor(MemoAnswer->GetFont().FontColor);
  f.MemoAnswer->SetColor(MemoAnswer->GetColor());
  for (tk::Label* l : {f.Label7, f.Label8, f.Label9, f.Label10, f.LblSchool})
    l->SetFontColor(Label7->GetFont().FontColor);
  const bool left = knowledge::IsLeftText(u.MediaAlignText);
  f.MemoMedia->SetAlignment(left ? tk::Alignment::Left : tk::Alignment::Center);
  u.FormatDefaults[3] = left ? "left" : "center";
  if (CheckBox1->Checked()) SaveSettingsFile();
  Close();
}

// --- The pictures folder ------------------------------------------------------------

void TForm7::FormActivate() {
  Unit1State& u = P.Unit1;
  CbxPictureDefault->ClearItems();
  if (u.SchoolVersion != 0) CheckBox1->SetEnabled(false);
  plat::SearchRec rec;
  if (plat::FindFirst(PicturesFolder() + "*.*", plat::faAnyFile, rec) == 0) {
    do {
      // Names that could break the settings file are never offered.
      if (knowledge::IsPictureFileName(rec.Name)) CbxPictureDefault->AddItem(rec.Name);
    } while (plat::FindNext(rec) == 0);
  }
  plat::FindClose(rec);
  // A default picture that cannot be shown is reported, and the rest of
  // the opening is left undone.
  ShowFolderPicture(u.DefaultPictureName);
  CbxPictureDefault->SetItemIndex(CbxPictureDefault->IndexOf(u.DefaultPictureName));
  const bool stretched = knowledge::IsStretchedText(u.FormatDefaults[10]);
  SetPreviewAspect(stretched);
  CbxPictureAspect->SetItemIndex(CbxPictureAspect->IndexOf(stretched ? "Stretched" : "Normal"));
}

void TForm7::CbxPictureDefaultChange() { ShowFolderPicture(CbxPictureDefault->Text()); }

void TForm7::CbxPictureAspectChange() { SetPreviewAspect(knowledge::IsStretchedText(CbxPictureAspect->Text())); }

void TForm7::Image1Click() {
  const bool stretch = Image1->Proportional();
  SetPreviewAspect(stretch);
  CbxPictureAspect->SetItemIndex(CbxPictureAspect->IndexOf(stretch ? "Stretched" : "Normal"));
}

void TForm7::Image1ContextPopup() {
  if (P.Unit1.SchoolVersion == 0) AddNewPicture();
}
void TForm7::CbxPictureDefaultContextPopup() {
  if (P.Unit1.SchoolVersion == 0) AddNewPicture();
}

void TForm7::CbxPictureDefaultKeyDown(uint16_t& key, tk::ShiftState) {
  if (P.Unit1.SchoolVersion != 0) return;
  if (key == tk::vk::Delete) {
    const std::string name = CbxPictureDefault->Text();
    // Nothing selected: nothing to delete.
    if (!name.empty() && plat::UpperCase(name) != "DEFAULT.JPG") P.Form11->ShowModal();
  } else if (key == tk::vk::Insert) {
    AddNewPicture();
  }
}

void TForm7::AddNewPicture() {
  Unit7State& u = P.Unit7;
  OpenPictureDialog->Title = "Add a New Picture";
  if (!OpenPictureDialog->Execute()) return;
  u.BackslashPos = 0;
  u.NewPictureSource = OpenPictureDialog->FileName;
  const std::optional<std::string> name = knowledge::PictureNameOfPath(u.NewPictureSource);
  if (!name)
    throw plat::PictureError("The file " + u.NewPictureSource +
                             " cannot be added: its name is not that of a .jpg or .bmp picture the folder can hold.");
  u.NewPictureName = *name;
  u.BackslashPos = static_cast<uint16_t>(name->size());
  // Checked before anything changes: an ordinary file that is a picture.
  knowledge::PictureToAdd picture(u.NewPictureSource);
  // Adding always goes to the local folder.
  const std::string destination = std::string(knowledge::kPicturesFolder) + u.NewPictureName;
  const auto selectAndShow = [&] {
    CbxPictureDefault->SetItemIndex(CbxPictureDefault->IndexOf(u.NewPictureName));
    LoadPreview(destination);
  };
  if (!plat::FileExists(destination)) {
    picture.CopyTo(destination);
    CbxPictureDefault->AddItem(u.NewPictureName);
    selectAndShow();
    return;
  }
  u.ReplacePicture = 0;
  u.UseExistingPicture = 0;
  P.Form15->ShowModal();
  if (u.ReplacePicture == 1) {
    // The folder's own copy chosen again: nothing to copy.
    if (!picture.IsFileAt(destination)) picture.CopyTo(destination);
    selectAndShow();
  } else if (u.UseExistingPicture == 1) {
    selectAndShow();
  }
}

}  // namespace tovrek
