#include "main/Tovrek_Unit1.h"

#include <algorithm>

#include "knowledge/colour_table.h"
#include "knowledge/windows_version.h"
#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit12.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "main/program.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/product_name.h"
#include "platform/random.h"
#include "platform/text8.h"
#include "toolkit/application.h"

namespace tovrek {

const char* const kSchoolServer = "tovrekserver";

std::string SchoolSharePath(const std::string& share) { return std::string("\\\\") + kSchoolServer + "\\" + share; }

namespace {

const char* const kNtVersionKey = "\\software\\microsoft\\windows nt\\currentversion";
const char* const kWin9xVersionKey = "\\software\\microsoft\\windows\\currentversion";

std::string Count(uint64_t n) { return std::to_string(n); }

}  // namespace

TForm1::TForm1(Program& program) : TForm1Design(program.App), P(program), U(program.Unit1) {
  LoadDesign();
  Shape = {nullptr, Shape1, Shape2, Shape3, Shape4, Shape5, Shape6, Shape7, Shape8, Shape9, Shape10, Shape11};
}

// --- Creation ----------------------------------------------------------------

void TForm1::FormCreate() {
  U.WindowsNTFamily = false;
  U.Windows98 = false;
  U.NoWriteAccess = false;
  U.FirstActivationDone = false;
  U.RunComplete = false;
  U.Flags.MediaFilesOk = 1;
  U.DefaultPictureName = "default.jpg";
  U.SchoolVersion = P.SchoolVersion;

  if (U.SchoolVersion != 0) {
    P.SplashForm->LblSplashStatus->SetCaption("School Version");
    P.SplashForm->LblSplashStatus->SetVisible(true);
  } else {
    U.Flags.UnsupportedOS = 0;
    CheckWindowsVersion();
    if (!U.WindowsNTFamily && !U.Windows98) {
      U.Flags.UnsupportedOS = 1;
      AnimateSplashLoading();
      return;
    }
    // Write access: a folder that can be made (or is there) and removed.
    plat::CreateDir("disktest");
    if (plat::DirectoryExists("disktest")) plat::RemoveDir("disktest");
    else U.NoWriteAccess = true;
    if (U.NoWriteAccess) {
      AnimateSplashLoading();
      return;
    }
  }

  try {
    LoadSubjectList();
  } catch (const std::exception& e) {
    // An unreadable first topic is reported; the window is still made whole.
    App().ShowException(e);
  }
  for (const char* mode : {"Learning", "Practice", "Test"}) CbxMode->AddItem(mode);
  CbxMode->SetItemIndex(0);
  for (const char* sequence : {"Regular", "Random"}) CbxSequence->AddItem(sequence);
  CbxSequence->SetItemIndex(0);
  U.GaugeThresholds = knowledge::kGaugeThresholds;
  AnimateSplashLoading();
}

void TForm1::CheckWindowsVersion() {
  const knowledge::VersionVerdict v = knowledge::CheckVersionNames(
      plat::ReadProductName(kNtVersionKey), [] { return plat::ReadProductName(kWin9xVersionKey); });
  U.WindowsNTFamily = v.WindowsNTFamily;
  U.Windows98 = v.Windows98;
}

void TForm1::AnimateSplashLoading() {
  tk::Label& dots = *P.SplashForm->LblLoading;
  for (int step = 0; step < 11; ++step) {
    const std::string& now = dots.Caption();
    std::string next;
    if (now.empty()) next = ".";
    else if (now == ".") next = "..";
    else if (now == "..") next = "...";
    else if (now == "...") next = "";
    else continue;  // outside the cycle: left as it is
    dots.SetCaption(next);
    // No messages are handled meanwhile, so paint before each pause.
    P.SplashForm->Repaint();
    plat::GetClock().Sleep(200);
  }
}

void TForm1::SetSplashWarningColours() {
  TSplashForm& s = *P.SplashForm;
  s.SetColor(tk::clYellow);
  for (tk::Label* l : {s.Label3, s.Label4, s.Label5, s.Label6, s.Label7, s.Label8}) l->SetFontColor(tk::clBlack);
}

// --- Activation ----------------------------------------------------------------

void TForm1::FormActivate() {
  plat::Randomize();
  PnlAnswer->SetCaption("KNOWLEDGE SYSTEM");

  if (U.SchoolVersion != 0) {
    const std::string control = SchoolSharePath("tovrekcontrol$") + "\\control.ini";
    if (plat::FileExists(control)) {
      U.SettingsFile.Assign(control);
      U.SettingsFile.Reset();
      U.SettingsFile.ReadLn(U.LineBuffer);
      U.SettingsFile.Close();
      if (plat::UpperCase(U.LineBuffer) == "STOP") {
        P.Form8->SetOuterSize(327, 140);
        P.Form8->CenterOnScreen();
        P.Form8->ShowModal();
      }
    } else {
      P.Form8->ShowModal();
    }
    BtnEdit->SetVisible(false);
    LblSchool->SetVisible(true);
    U.WorkPath = SchoolSharePath("tovrek$") + "\\setup\\config.ini";
  } else if (U.NoWriteAccess) {
    P.Form8->ShowModal();
    return;
  } else {
    for (const char* folder : {"setup", "setup\\pictures", "subjects", "mediafiles", "browser"})
      if (!plat::DirectoryExists(folder)) plat::CreateDir(folder);
    if (!plat::FileExists("default.jpg")) {
      U.Flags.DefaultPictureMissing = 1;
      SetSplashWarningColours();
    }
    if (!plat::FileExists("setup\\pictures\\default.jpg"))
      plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", /*failIfExists=*/true);
    if (U.Flags.UnsupportedOS == 1 || U.Flags.DefaultPictureMissing == 1) {
      P.Form10->ShowModal();
      return;
    }
    if (!U.FirstActivationDone) ValidateTopicCounts();
    U.FirstActivationDone = true;
    U.WorkPath = "setup\\config.ini";
  }

  // Statistics drawn straight on the window: white on a dark window.
  const tk::Color text = knowledge::IsDarkColour(GetColor()) ? tk::clWhite : tk::clBlack;
  for (tk::Label* l : {LblCorrect, LblIncorrect, LblAttempted, LblPercentage}) l->SetFontColor(text);
  for (int i = 1; i <= 11; ++i) Shape[static_cast<size_t>(i)]->SetPenColor(text);

  if (U.SchoolVersion == 0 && CbxSubject->ItemCount() == 0 && U.Scan.NumberOfQuestions == 0) BtnEdit->SetFocus();

  if (CbxSubject->IndexOf("COMBINED TOPICS") < 0) BtnRefreshClick();
}

// --- Subjects and topics -------------------------------------------------------

std::string TForm1::SubjectsFolder() const {
  return U.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\subjects\\" : std::string("subjects\\");
}

void TForm1::ListTopics() {
  plat::SearchRec rec;
  if (plat::FindFirst(SubjectsFolder() + CbxSubject->Text() + "\\*.*", plat::faAnyFile, rec) == 0) {
    do {
      if (rec.Name == "." || rec.Name == "..") continue;
      if (knowledge::IsTopicFileName(rec.Name)) CbxTopic->AddItem(knowledge::TopicNameOf(rec.Name));
    } while (plat::FindNext(rec) == 0);
  }
  plat::FindClose(rec);
}

void TForm1::LoadSubjectList() {
  CbxSubject->ClearItems();
  plat::SearchRec rec;
  if (plat::FindFirst(SubjectsFolder() + "*.", plat::faDirectory, rec) == 0) {
    do {
      if (rec.Name != "." && rec.Name != "..") CbxSubject->AddItem(rec.Name);
    } while (plat::FindNext(rec) == 0);
  }
  plat::FindClose(rec);
  CbxSubject->SetItemIndex(0);

  CbxTopic->ClearItems();
  ListTopics();
  CbxTopic->SetItemIndex(0);
  if (CbxTopic->ItemCount() == 0) {
    U.Flags.TooFewQuestions = 1;
    U.Flags.NoTopics = 1;
    U.Flags.TopicInvalid = 1;
    return;
  }
  ScanTopicFile();
  ShowTopicSize();
}

void TForm1::ScanTopicFile() {
  if (CbxTopic->ItemCount() == 0) {
    U.Scan = {};
    U.Flags.TopicInvalid = 1;
    U.Flags.TooFewQuestions = 1;
    U.Flags.NoTopics = 1;
    return;
  }
  const std::string path = U.SchoolVersion != 0
                               ? SubjectsFolder() + CbxSubject->Text() + "\\" + CbxTopic->Text() + ".txt"
                               : knowledge::TopicFilePath(CbxSubject->Text(), CbxTopic->Text());
  try {
    knowledge::ScanTopicFile(U.SettingsFile, path, U.Scan);
  } catch (...) {
    // Reported by the caller's error report; a topic whose scan failed in
    // any way must not look startable meanwhile.
    U.Flags.TopicInvalid = 1;
    LblTopic->SetCaption(knowledge::kTopicLabelPlain);
    ChkSwopQA->SetEnabled(false);
    BtnStartStop->SetEnabled(false);
    throw;
  }
  ValidateTopicCounts();
  if (U.Flags.TopicInvalid == 1) {
    LblTopic->SetCaption(knowledge::kTopicLabelPlain);
    ChkSwopQA->SetEnabled(false);
  } else {
    ChkSwopQA->SetEnabled(true);
    LblTopic->SetCaption(knowledge::TopicLabelCaption(U.Scan));
  }
}

void TForm1::ShowTopicSize() {
  PnlNumber->SetCaption("0  of  " + Count(U.Scan.NumberOfQuestions));
  // The count is 16-bit in the unit; a run loads at most 1000 anyway.
  U.TotalQuestions = static_cast<uint16_t>(std::min<uint64_t>(U.Scan.NumberOfQuestions, UINT16_MAX));
}

void TForm1::ValidateTopicCounts() { knowledge::ValidateTopicCounts(U.Scan, CbxTopic->ItemCount() == 0, U.Flags); }

void TForm1::IdleDisplay() {
  MemoQuestion->SetVisible(false);
  PnlQuestion->SetVisible(true);
  MemoAnswer->SetVisible(false);
  PnlAnswer->SetVisible(true);
  PnlAnswer->SetCaption("KNOWLEDGE SYSTEM");
}

void TForm1::ResetAutoAdvanceLook() {
  PnlTimer->SetColor(tk::clBtnFace);
  U.AutoAdvanceOn = false;
  BtnClock->SetCaption(CbxMode->Text() == "Practice" ? "Au&to" : "Au&tomatic   Advance");
}

void TForm1::CbxSubjectClick() {
  CbxTopic->ClearItems();
  CbxSubject->SetColor(tk::clWhite);
  if (!plat::DirectoryExists(SubjectsFolder() + CbxSubject->Text())) {
    LoadSubjectList();
    return;
  }
  ListTopics();
  LblTopic->SetCaption("TOPIC");
  CbxTopic->SetItemIndex(0);
  IdleDisplay();
  ResetScoreDisplay();
  ResetAutoAdvanceLook();
  ScanTopicFile();
  if (U.Flags.TopicInvalid == 0) {
    BtnStartStop->SetEnabled(true);
    CbxTopic->SetEnabled(true);
    CbxTopic->SetFocus();
    CbxTopic->SetColor(tk::clWhite);
    CbxSubject->SetColor(tk::clWhite);
    CbxMode->SetEnabled(true);
    CbxSequence->SetEnabled(CbxMode->Text() != "Practice");
    ShowTopicSize();
  } else {
    P.Form10->ShowModal();
  }
}

void TForm1::CbxTopicChange() {
  if (U.SchoolVersion == 0 &&
      !plat::FileExists("subjects\\" + CbxSubject->Text() + "\\" + CbxTopic->Text() + ".txt")) {
    BtnRefresh->Click();
    return;
  }
  ScanTopicFile();
  if (U.Flags.TopicInvalid == 0) {
    BtnStartStop->SetEnabled(true);
    BtnStartStop->SetFocus();
    CbxTopic->SetColor(tk::clWhite);
    CbxMode->SetEnabled(true);
    ShowTopicSize();
  } else {
    BtnClock->SetEnabled(false);
    PnlTimer->SetColor(tk::clBtnFace);
    P.Form10->ShowModal();
  }
  IdleDisplay();
  ResetScoreDisplay();
  ResetAutoAdvanceLook();
}

void TForm1::BtnRefreshClick() {
  LoadSubjectList();
  U.AutoAdvanceOn = false;
  PnlTimer->SetBounds(476, 199, 239, 30);
  BtnClock->SetBounds(480, 202, 232, 25);
  BtnClock->SetCaption("Au&tomatic  Advance");
  CbxMode->SetItemIndex(CbxMode->IndexOf("Learning"));
  CbxSequence->SetItemIndex(CbxSequence->IndexOf("Regular"));
  CheckBox1->SetChecked(false);
  CheckBox1->SetEnabled(false);
  CheckBox1->SetCaption(" Display each question once only");
  HideStatistics();
  BtnSearch->SetVisible(true);
  BtnSearch->SetEnabled(false);
  PnlTimer->SetVisible(true);
  PnlTimer->SetColor(tk::clBtnFace);
  BmbCorrect->SetVisible(false);
  BmbIncorrect->SetVisible(false);
  BtnNext->SetVisible(true);
  BtnNext->SetHeight(48);
  BtnPrevious->SetVisible(true);

  if (CbxSubject->ItemCount() == 0) {
    U.Flags.TooFewQuestions = 1;
    P.Form10->ShowModal();
    return;
  }
  CbxSubject->SetColor(tk::clWhite);
  if (CbxTopic->ItemCount() == 0) {
    U.Flags.TooFewQuestions = 1;
    U.Flags.NoTopics = 1;
    P.Form10->ShowModal();
    return;
  }
  if ((U.Scan.LineCount != 0 && !U.Scan.QEndFound) || U.Scan.NumberOfQuestions != U.Scan.AnswerCount) {
    U.Flags.TopicCorrupt = 1;
    U.Flags.TopicInvalid = 1;
    P.Form10->ShowModal();
    return;
  }
  U.Flags.TopicCorrupt = 0;
  if (U.Scan.NumberOfQuestions < 2) {
    U.Flags.TooFewQuestions = 1;
    P.Form10->ShowModal();
  } else {
    CbxSubject->SetEnabled(true);
    CbxTopic->SetEnabled(true);
    CbxTopic->SetColor(tk::clWhite);
    BtnStartStop->SetEnabled(true);
    CbxMode->SetEnabled(true);
    CbxSequence->SetEnabled(true);
    BtnClock->SetEnabled(true);
  }
  CbxSubject->SetFocus();
}

// --- Score and statistics ------------------------------------------------------

void TForm1::ResetScoreDisplay() {
  knowledge::ResetScore(U.Score);
  LblCorrect->SetCaption("0");
  LblIncorrect->SetCaption("0");
  LblAttempted->SetCaption("0");
  LblPercentage->SetCaption("0 %");
  Gauge1->SetProgress(0);
  U.TopicHasFormatCodes = false;
}

namespace {

// The statistics block, shown, hidden, enabled and disabled as one.
template <class Fn>
void ForEachStatistic(TForm1& f, Fn fn) {
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.Label7, f.Label8, f.Label9, f.Label10, f.LblCorrect,
                                                            f.LblIncorrect, f.LblAttempted, f.LblPercentage})
    fn(*c);
  for (int i = 1; i <= 11; ++i) fn(*f.Shape[static_cast<size_t>(i)]);
  fn(*f.Gauge1);
}

}  // namespace

void TForm1::ShowStatistics() {
  ForEachStatistic(*this, [](tk::Control& c) { c.SetVisible(true); });
}
void TForm1::HideStatistics() {
  ForEachStatistic(*this, [](tk::Control& c) { c.SetVisible(false); });
}
void TForm1::EnableStatistics() {
  ForEachStatistic(*this, [](tk::Control& c) { c.SetEnabled(true); });
}
void TForm1::DisableStatistics() {
  ForEachStatistic(*this, [](tk::Control& c) { c.SetEnabled(false); });
}

// --- Keys and shut-down --------------------------------------------------------

void TForm1::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnClose->Click();
}

// The drop-down lists ignore Backspace.
void TForm1::ListKeyPress(char& key) {
  if (key == 8) key = 0;
}

void TForm1::BtnCloseClick() { P.Form12->ShowModal(); }

void TForm1::BtnCloseContextPopup() { App().Terminate(); }

}  // namespace tovrek
