#include "main/Tovrek_Unit1.h"

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

#ifdef TOVREK_SCHOOL_VERSION
constexpr int kSchoolBuild = 1;
#else
constexpr int kSchoolBuild = 0;
#endif

const char* const kSchoolServer = "tovrekserver";

std::string SchoolSharePath(const std::string& share) { return std::string("\\\\") + kSchoolServer + "\\" + share; }

namespace {

const char* const kNtVersionKey = "\\software\\microsoft\\windows nt\\currentversion";
const char* const kWin9xVersionKey = "\\software\\microsoft\\windows\\currentversion";

std::string Count(unsigned n) { return plat::IntToStr(n); }

}  // namespace

TForm1::TForm1(Program& program) : tk::Form(program.App, "Form1"), P(program), U(program.Unit1) {
  LoadLayout("layouts/Tovrek_Unit1.layout",
             {
                 {"FormCreate", tk::HandlerOf(this, &TForm1::FormCreate)},
                 {"FormActivate", tk::HandlerOf(this, &TForm1::FormActivate)},
                 {"FormKeyDown", tk::HandlerOf(this, &TForm1::FormKeyDown)},
                 {"BtnRefreshClick", tk::HandlerOf(this, &TForm1::BtnRefreshClick)},
                 {"CbxSubjectClick", tk::HandlerOf(this, &TForm1::CbxSubjectClick)},
                 {"CbxTopicChange", tk::HandlerOf(this, &TForm1::CbxTopicChange)},
                 {"CbxSubjectKeyPress", tk::HandlerOf(this, &TForm1::ListKeyPress)},
                 {"CbxTopicKeyPress", tk::HandlerOf(this, &TForm1::ListKeyPress)},
                 {"CbxModeKeyPress", tk::HandlerOf(this, &TForm1::ListKeyPress)},
                 {"CbxSequenceKeyPress", tk::HandlerOf(this, &TForm1::ListKeyPress)},
                 {"BtnCloseClick", tk::HandlerOf(this, &TForm1::BtnCloseClick)},
                 {"BtnCloseContextPopup", tk::HandlerOf(this, &TForm1::BtnCloseContextPopup)},
             });
  Bind(PnlPicture, "PnlPicture");
  Bind(Image1, "Image1");
  Bind(MemoMedia, "MemoMedia");
  Bind(MemoQuestion, "MemoQuestion");
  Bind(PnlQuestion, "PnlQuestion");
  Bind(MemoAnswer, "MemoAnswer");
  Bind(PnlAnswer, "PnlAnswer");
  Bind(Panel1, "Panel1");
  Bind(Label6, "Label6");
  Bind(LblTopic, "LblTopic");
  Bind(Label3, "Label3");
  Bind(Label4, "Label4");
  Bind(BtnRefresh, "BtnRefresh");
  Bind(CbxSubject, "CbxSubject");
  Bind(CbxTopic, "CbxTopic");
  Bind(CbxMode, "CbxMode");
  Bind(CbxSequence, "CbxSequence");
  Bind(CheckBox1, "CheckBox1");
  Bind(PnlTimer, "PnlTimer");
  Bind(BtnClock, "BtnClock");
  Bind(Label7, "Label7");
  Bind(Label8, "Label8");
  Bind(Label9, "Label9");
  Bind(Label10, "Label10");
  Bind(LblCorrect, "LblCorrect");
  Bind(LblIncorrect, "LblIncorrect");
  Bind(LblAttempted, "LblAttempted");
  Bind(LblPercentage, "LblPercentage");
  Bind(BtnSearch, "BtnSearch");
  Bind(Gauge1, "Gauge1");
  for (int i = 1; i <= 11; ++i) Bind(Shape[static_cast<size_t>(i)], "Shape" + std::to_string(i));
  Bind(BtnStartStop, "BtnStartStop");
  Bind(BtnBrowser, "BtnBrowser");
  Bind(BtnSetup, "BtnSetup");
  Bind(ChkSwopQA, "ChkSwopQA");
  Bind(PnlNumber, "PnlNumber");
  Bind(BtnAbout, "BtnAbout");
  Bind(BtnNext, "BtnNext");
  Bind(BmbCorrect, "BmbCorrect");
  Bind(BtnEdit, "BtnEdit");
  Bind(LblSchool, "LblSchool");
  Bind(BtnPrevious, "BtnPrevious");
  Bind(BmbIncorrect, "BmbIncorrect");
  Bind(BtnClose, "BtnClose");
  Bind(Timer, "Timer");
  Bind(TimerStopNow, "TimerStopNow");
  Bind(FileRun1, "FileRun1");
  Bind(FileRun2, "FileRun2");
}

// --- Creation ----------------------------------------------------------------

void TForm1::FormCreate() {
  U.WindowsNTFamily = false;
  U.Windows98 = false;
  U.NoWriteAccess = false;
  U.FirstActivationDone = false;
  U.RunComplete = false;
  U.MediaFilesOk = 1;
  U.DefaultPictureName = "default.jpg";
  U.SchoolVersion = kSchoolBuild;

  if (U.SchoolVersion != 0) {
    P.SplashForm->LblSplashStatus->SetCaption("School Version");
    P.SplashForm->LblSplashStatus->SetVisible(true);
  } else {
    U.UnsupportedOS = 0;
    CheckWindowsVersion();
    if (!U.WindowsNTFamily && !U.Windows98) {
      U.UnsupportedOS = 1;
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
      U.DefaultPictureMissing = 1;
      SetSplashWarningColours();
    }
    if (!plat::FileExists("setup\\pictures\\default.jpg"))
      plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", /*failIfExists=*/true);
    if (U.UnsupportedOS == 1 || U.DefaultPictureMissing == 1) {
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

  if (U.SchoolVersion == 0 && CbxSubject->ItemCount() == 0 && U.NumberOfQuestions == 0) BtnEdit->SetFocus();

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
    U.TooFewQuestions = 1;
    U.NoTopics = 1;
    U.TopicInvalid = 1;
    return;
  }
  ScanTopicFile();
  PnlNumber->SetCaption("0  of  " + Count(U.NumberOfQuestions));
  U.TotalQuestions = U.NumberOfQuestions;
}

void TForm1::ScanTopicFile() {
  if (CbxTopic->ItemCount() == 0) {
    static_cast<knowledge::ScanResults&>(U) = {};
    U.TopicInvalid = 1;
    U.TooFewQuestions = 1;
    U.NoTopics = 1;
    return;
  }
  const std::string path = U.SchoolVersion != 0
                               ? SubjectsFolder() + CbxSubject->Text() + "\\" + CbxTopic->Text() + ".txt"
                               : knowledge::TopicFilePath(CbxSubject->Text(), CbxTopic->Text());
  try {
    knowledge::ScanTopicFile(U.SettingsFile, path, U);
  } catch (const plat::InOutError&) {
    // Reported by the caller's error report; a topic that cannot be read
    // must not look startable meanwhile.
    U.TopicInvalid = 1;
    LblTopic->SetCaption(knowledge::kTopicLabelPlain);
    ChkSwopQA->SetEnabled(false);
    BtnStartStop->SetEnabled(false);
    throw;
  }
  ValidateTopicCounts();
  if (U.TopicInvalid == 1) {
    LblTopic->SetCaption(knowledge::kTopicLabelPlain);
    ChkSwopQA->SetEnabled(false);
  } else {
    ChkSwopQA->SetEnabled(true);
    LblTopic->SetCaption(knowledge::TopicLabelCaption(U));
  }
}

void TForm1::ValidateTopicCounts() { knowledge::ValidateTopicCounts(U, CbxTopic->ItemCount() == 0, U); }

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
  if (U.TopicInvalid == 0) {
    BtnStartStop->SetEnabled(true);
    CbxTopic->SetEnabled(true);
    CbxTopic->SetFocus();
    CbxTopic->SetColor(tk::clWhite);
    CbxSubject->SetColor(tk::clWhite);
    CbxMode->SetEnabled(true);
    CbxSequence->SetEnabled(CbxMode->Text() != "Practice");
    PnlNumber->SetCaption("0  of  " + Count(U.NumberOfQuestions));
    U.TotalQuestions = U.NumberOfQuestions;
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
  if (U.TopicInvalid == 0) {
    BtnStartStop->SetEnabled(true);
    BtnStartStop->SetFocus();
    CbxTopic->SetColor(tk::clWhite);
    CbxMode->SetEnabled(true);
    PnlNumber->SetCaption("0  of  " + Count(U.NumberOfQuestions));
    U.TotalQuestions = U.NumberOfQuestions;
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
    U.TooFewQuestions = 1;
    P.Form10->ShowModal();
    return;
  }
  CbxSubject->SetColor(tk::clWhite);
  if (CbxTopic->ItemCount() == 0) {
    U.TooFewQuestions = 1;
    U.NoTopics = 1;
    P.Form10->ShowModal();
    return;
  }
  if ((U.LineCount != 0 && !U.QEndFound) || U.NumberOfQuestions != U.AnswerCount) {
    U.TopicCorrupt = 1;
    U.TopicInvalid = 1;
    P.Form10->ShowModal();
    return;
  }
  U.TopicCorrupt = 0;
  if (U.NumberOfQuestions < 2) {
    U.TooFewQuestions = 1;
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
  knowledge::ResetScore(U);
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
