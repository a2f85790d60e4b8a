#include "main/Tovrek_Unit1.h"

#include <algorithm>

#include "knowledge/colour_table.h"
#include "knowledge/line_split.h"
#include "knowledge/media_display.h"
#include "knowledge/topic_loader.h"
#include "knowledge/windows_version.h"
#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit12.h"
#include "main/Tovrek_Unit14.h"
#include "main/Tovrek_Unit16.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "main/Tovrek_Unit9.h"
#include "main/contact.h"
#include "quotations/Tovrek_Unit13.h"
#include "quotations/Tovrek_Unit4.h"
#include "appearance/Tovrek_Unit7.h"
#include "main/program.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/paths.h"
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
    // Write access: a file can be made in the working folder. The probe
    // takes a fresh name, so nothing left there under any name, "disktest"
    // included, is followed or decides the verdict.
    U.NoWriteAccess = !plat::CanWriteIn("");
    // An empty "disktest" folder an earlier test left behind goes (never
    // through a link: a link is no folder to remove).
    if (!U.NoWriteAccess) plat::RemoveDir("disktest");
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
  for (const auto& [label, caption] : {std::pair<const char*, const char*>{"LblBuildTovrek", "TOVREK: Build 0021 [03 Jan 16]"},
                                       {"LblBuildEdit", "EDIT: Build 0013 [26 Oct 14]"}})
    if (auto* l = dynamic_cast<tk::Label*>(P.Form4->FindComponent(label))) l->SetCaption(caption);
  plat::Randomize();
  PnlAnswer->SetCaption("KNOWLEDGE SYSTEM");

  if (U.SchoolVersion != 0) {
    const std::string control = SchoolSharePath("tovrekcontrol$") + "\\control.ini";
    bool read = plat::FileExists(control);
    if (read) {
      try {
        U.SettingsFile.Assign(control);
        U.SettingsFile.Reset();
        U.SettingsFile.ReadLn(U.LineBuffer);
        U.SettingsFile.Close();
      } catch (const std::exception& e) {
        // A file that is there but cannot be read gives no leave to run:
        // said once, then the same end as a missing file.
        if (U.SettingsFile.IsOpen()) {
          try {
            U.SettingsFile.Close();
          } catch (const std::exception&) {
            // The report below says what went wrong first.
          }
        }
        read = false;
        // The poll goes on under this report and the stop window after it:
        // it must not say the same again.
        U.ControlFileOutageReported = true;
        App().ShowException(e);
      }
    }
    if (!read) {
      // The stop window stands for a missing file's outage in the same way.
      U.ControlFileOutageReported = true;
      P.Form8->ShowModal();
      return;
    }
    if (plat::UpperCase(U.LineBuffer) == "STOP") {
      P.Form8->SetOuterSize(327, 140);
      P.Form8->CenterOnScreen();
      P.Form8->ShowModal();
      // The program is ending: nothing more to set up.
      return;
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
    if (!plat::FileExists("browser\\index.htm")) WriteDefaultBrowserPage();
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

  // An unreadable or unwritable settings file is reported once; the
  // learner still hears about missing subjects or a bad topic below.
  try {
    ApplySettingsStep();
  } catch (const std::exception& e) {
    App().ShowException(e);
  }

  // Statistics drawn straight on the window: white on a dark window.
  const tk::Color text = knowledge::IsDarkColour(GetColor()) ? tk::clWhite : tk::clBlack;
  for (tk::Label* l : {LblCorrect, LblIncorrect, LblAttempted, LblPercentage}) l->SetFontColor(text);
  for (int i = 1; i <= 11; ++i) Shape[static_cast<size_t>(i)]->SetPenColor(text);
  P.Form7->ApplyDarkRule(GetColor());

  if (U.SchoolVersion == 0 && CbxSubject->ItemCount() == 0 && U.Scan.NumberOfQuestions == 0) BtnEdit->SetFocus();

  if (CbxSubject->IndexOf("COMBINED TOPICS") < 0) BtnRefreshClick();
}

void TForm1::ApplySettingsStep() {
  if (plat::FileExists(U.WorkPath)) ReadAndApplySettings();
  else WriteDefaultSettings();
}

void TForm1::ReadAndApplySettings() {
  TForm7& f7 = *P.Form7;
  const knowledge::SettingsLines lines = knowledge::ReadSettingsFile(U.SettingsFile, U.WorkPath);
  for (int line = 1; line <= knowledge::kSettingsLineCount; ++line) {
    const std::string& text = lines[static_cast<size_t>(line - 1)];
    U.LineBuffer = text;
    if (line == 9) {
      // Only a bare name of the folder, and only a picture that decodes.
      const std::string path = PicturesFolder() + text;
      bool loaded = false;
      if (knowledge::IsBareFileName(text) && plat::IsRegularFile(path)) {
        try {
          // Decoded once, for the main window and the preview alike.
          const tk::SharedPicture picture = tk::SharedPicture::Load(path, {Image1, f7.Image1});
          Image1->SetPicture(picture);
          f7.Image1->SetPicture(picture);
          loaded = true;
        } catch (const plat::PictureError&) {
        }
      }
      U.DefaultPictureName = loaded ? text : std::string(knowledge::kDefaultPictureName);
    } else if (line == 10) {
      f7.SelectLine(10, text);
      U.PictureAspectText = f7.CbxPictureAspect->Text().substr(0, 25);
      const bool stretched = knowledge::IsStretchedText(U.PictureAspectText);
      Image1->SetStretch(stretched);
      Image1->SetProportional(!stretched);
      U.FormatDefaults[10] = stretched ? "stretched" : "normal";
    } else if (line == 19) {
      U.MediaAlignText = text.substr(0, 25);
      const bool left = knowledge::IsLeftText(U.MediaAlignText);
      MemoMedia->SetAlignment(left ? tk::Alignment::Left : tk::Alignment::Center);
      f7.MemoMedia->SetAlignment(left ? tk::Alignment::Left : tk::Alignment::Center);
      U.FormatDefaults[3] = left ? "left" : "center";
    } else {
      ApplyMainLine(line, f7.SelectLine(line, text));
    }
  }
}

void TForm1::ApplyMainLine(int line, const knowledge::LineValue& v) {
  if (v.Colour) {
    const tk::Color c = *v.Colour;
    switch (line) {
      case 1: SetColor(c); break;
      case 2: Panel1->SetColor(c); CheckBox1->SetColor(c); break;
      case 3:
        for (tk::Control* l : std::initializer_list<tk::Control*>{Label3, Label4, Label6, LblTopic, CheckBox1})
          l->SetFontColor(c);
        break;
      case 5: MemoMedia->SetColor(c); break;
      case 6: MemoMedia->SetFontColor(c); break;
      case 7: PnlQuestion->SetFontColor(c); PnlAnswer->SetFontColor(c); break;
      case 8: PnlQuestion->SetColor(c); PnlAnswer->SetColor(c); break;
      case 11: PnlPicture->SetColor(c); break;
      case 13: MemoQuestion->SetFontColor(c); break;
      case 14: MemoQuestion->SetColor(c); break;
      case 16: MemoAnswer->SetFontColor(c); break;
      case 17: MemoAnswer->SetColor(c); break;
      case 18:
        for (tk::Label* l : {Label7, Label8, Label9, Label10, LblSchool}) l->SetFontColor(c);
        break;
      default: break;
    }
  }
  if (v.Size) {
    const std::string text = std::to_string(*v.Size);
    switch (line) {
      case 4: MemoMedia->SetFontSize(*v.Size); U.FormatDefaults[1] = text; break;
      case 12: MemoQuestion->SetFontSize(*v.Size); U.FormatDefaults[4] = text; break;
      case 15: MemoAnswer->SetFontSize(*v.Size); U.FormatDefaults[7] = text; break;
      default: break;
    }
  }
}

void TForm1::WriteDefaultSettings() {
  // The school build keeps its look on the share and never makes the local
  // tree, so there is nowhere to write: it only takes the default values.
  if (U.SchoolVersion == 0) knowledge::SaveSettingsFile(knowledge::kSettingsPath, knowledge::DefaultSettingsLines());
  U.FormatDefaults[1] = "10";
  U.FormatDefaults[10] = "normal";
  U.FormatDefaults[4] = "12";
  U.FormatDefaults[7] = "12";
  // The lists only: the windows keep the look they have.
  TForm7& f7 = *P.Form7;
  for (int line = 1; line <= 18; ++line) {
    if (line == 9 || line == 10) continue;
    tk::DropDownList& list = *f7.ListOfLine(line);
    list.SetItemIndex(list.IndexOf(std::string(knowledge::RowOfLine(line).Default)));
  }
  U.MediaAlignText = "Left";
}

void TForm1::BtnSetupClick() {
  P.Form7->CheckBox1->SetChecked(false);
  P.Form7->ShowModal();
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

// --- The run: start and stop --------------------------------------------------

knowledge::RunChoice TForm1::Choice() const {
  return {knowledge::ModeFromText(CbxMode->Text()), knowledge::SequenceFromText(CbxSequence->Text()),
          CheckBox1->Checked()};
}

std::string TForm1::TopicPath() const {
  return U.SchoolVersion != 0 ? SubjectsFolder() + CbxSubject->Text() + "\\" + CbxTopic->Text() + ".txt"
                              : knowledge::TopicFilePath(CbxSubject->Text(), CbxTopic->Text());
}

std::string TForm1::MediaFolder() const {
  return U.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\mediafiles\\" : std::string(knowledge::kMediaFolder);
}

std::string TForm1::PicturesFolder() const {
  return U.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\setup\\pictures\\" : std::string("setup\\pictures\\");
}

void TForm1::FocusOrSubject(tk::Control* c) {
  if (c == nullptr || !c->SetFocus()) CbxSubject->SetFocus();
}

void TForm1::BtnStartStopClick() {
  const bool running = knowledge::RunPhaseOf(BtnStartStop->Caption()) != knowledge::RunPhase::Idle;
  if (U.SchoolVersion == 0 && !plat::FileExists("subjects\\" + CbxSubject->Text() + "\\" + CbxTopic->Text() + ".txt")) {
    // A run whose file has gone still ends: nothing could stop it later.
    if (running) {
      knowledge::BeginStartStopClick(U.Run);
      U.Scan.NumberOfQuestions = 0;
      BtnPrevious->SetEnabled(false);
      ResetScoreDisplay();
      StopRun();
    }
    BtnRefresh->Click();
    return;
  }
  knowledge::BeginStartStopClick(U.Run);
  U.Scan.NumberOfQuestions = 0;
  BtnPrevious->SetEnabled(false);
  ResetScoreDisplay();
  if (running) StopRun();
  else StartRun();
}

void TForm1::StartRun() {
  const knowledge::RunChoice choice = Choice();
  const bool learning = choice.Mode == knowledge::RunMode::Learning;
  BtnStartStop->SetCaption(knowledge::kCaptionStop);
  if (choice.Mode == knowledge::RunMode::Practice && choice.CheckBox1) knowledge::ResetEliminatorStatus(U.Questions);
  const bool searchable = learning && !U.AutoAdvanceOn;
  if (searchable) knowledge::ClearSearchTexts(U.Questions);
  for (tk::Control* c : std::initializer_list<tk::Control*>{Label3, Label4, Label6, LblTopic, CbxSubject, CbxTopic,
                                                            CbxMode, CbxSequence, CheckBox1, BtnRefresh, BtnSetup,
                                                            BtnEdit, ChkSwopQA})
    c->SetEnabled(false);
  U.Flags.MediaFilesOk = 1;
  P.Form10->ListBox->ClearItems();

  knowledge::LoadOptions options;
  options.BuildSearchTexts = searchable;
  options.MediaFolder = MediaFolder();
  knowledge::LoadResult loaded;
  try {
    loaded = knowledge::LoadTopic(U.SettingsFile, TopicPath(), options, U.Questions);
  } catch (...) {
    // An unreadable file is reported by the error report; the window must
    // not stay locked in a run that never started.
    if (U.SettingsFile.IsOpen()) U.SettingsFile.Close();
    StopRun();
    throw;
  }
  const uint16_t n = loaded.NumberOfQuestions;
  U.Scan.NumberOfQuestions = n;
  if (loaded.TopicHasFormatCodes) U.TopicHasFormatCodes = true;

  if (n < knowledge::kMinRunQuestions) {
    // The file changed since its scan: the draws need two questions.
    U.TotalQuestions = n;
    StopRun();
    U.Flags.TooFewQuestions = 1;
    P.Form10->ShowModal();
    return;
  }
  U.Flags.MediaFilesOk = loaded.MediaFilesOk;
  for (const std::string& entry : loaded.FailingMediaLines) P.Form10->ListBox->AddItem(entry);

  if (ChkSwopQA->Checked()) knowledge::SwopQuestionsAndAnswers(U.Questions, n);
  if (U.Flags.MediaFilesOk == 0) {
    Timer->SetEnabled(false);
    P.Form10->ShowModal();
  }
  PnlQuestion->SetVisible(false);
  MemoQuestion->SetVisible(true);
  BtnClock->SetEnabled(false);
  if (U.AutoAdvanceOn) Timer->SetEnabled(true);

  if (!learning) {
    MemoAnswer->SetVisible(false);
    PnlAnswer->SetVisible(true);
    PnlAnswer->SetEnabled(true);
    PnlAnswer->SetCaption("SHOW ANSWER");
    BtnNext->SetEnabled(false);
    U.Run.RunComplete = false;
    Gauge1->SetBackColor(tk::clWhite);
    Panel1->SetFocus();
    ShowStatistics();
    EnableStatistics();
    BtnSearch->SetVisible(false);
  } else {
    PnlAnswer->SetVisible(false);
    MemoAnswer->SetVisible(true);
    BtnNext->SetEnabled(true);
    BtnNext->SetFocus();
    BtnSearch->SetEnabled(!U.AutoAdvanceOn);
    HideStatistics();
  }

  knowledge::PickFirstQuestion(U.Run, choice, n);
  knowledge::QuestionRecord& row = U.Questions.QuestionArray[U.Run.Counter];
  FillMemo(*MemoQuestion, row.QuestionText);
  FillMemo(*MemoAnswer, row.AnswerText);
  FontDecodeAndDisplay();
  DisplayMediaFileIfApplicable();
  PnlNumber->SetFontColor(tk::clBlack);
  PnlNumber->SetCaption(knowledge::NumberCaption(row.QuestionLabel, n));
  U.TotalQuestions = n;
  LblTopic->SetCaption("TOPIC  ...  " + Count(n) + (U.TopicHasFormatCodes ? "  QUESTIONS *" : "  QUESTIONS"));
}

void TForm1::StopRun() {
  const knowledge::RunMode mode = knowledge::ModeFromText(CbxMode->Text());
  BtnStartStop->SetCaption(knowledge::kCaptionStart);
  Timer->SetEnabled(false);
  BtnClock->SetEnabled(true);
  if (mode != knowledge::RunMode::Learning) {
    Gauge1->SetBackColor(tk::clBtnFace);
    ShowStatistics();
    DisableStatistics();
  } else {
    BtnSearch->SetEnabled(false);
    HideStatistics();
    if (BtnNext->Caption() == knowledge::kCaptionEnd) BtnNext->SetCaption(knowledge::kCaptionNext);
  }
  BtnNext->SetEnabled(false);
  BtnSetup->SetEnabled(true);
  ChkSwopQA->SetEnabled(true);
  ChkSwopQA->SetChecked(false);
  if (U.SchoolVersion == 0) BtnEdit->SetEnabled(true);
  MemoQuestion->ClearLines();
  MemoAnswer->ClearLines();
  PnlPicture->SetCaption("");
  PnlNumber->SetFontColor(tk::clGray);
  PnlNumber->SetCaption(knowledge::IdleNumberCaption(U.TotalQuestions));
  PnlAnswer->SetVisible(true);
  PnlAnswer->SetCaption("KNOWLEDGE SYSTEM");
  MemoAnswer->SetVisible(false);
  PnlQuestion->SetVisible(true);
  PnlQuestion->SetCaption("TOVREK");
  MemoQuestion->SetVisible(false);
  BmbCorrect->SetEnabled(false);
  BmbIncorrect->SetEnabled(false);
  U.WorkPath = PicturesFolder();
  ShowDefaultPicture();
  for (tk::Control* c :
       std::initializer_list<tk::Control*>{Label3, Label4, Label6, LblTopic, CbxSubject, CbxTopic, CbxMode, BtnRefresh})
    c->SetEnabled(true);
  CbxSequence->SetEnabled(mode != knowledge::RunMode::Practice);
  if (mode == knowledge::RunMode::Practice ||
      (mode == knowledge::RunMode::Learning && CbxSequence->Text() == "Random"))
    CheckBox1->SetEnabled(true);
}

void TForm1::ShowDefaultPicture() {
  MemoMedia->SetVisible(false);
  Image1->SetVisible(true);
  try {
    Image1->LoadFromFile(U.WorkPath + U.DefaultPictureName);
  } catch (const plat::PictureError&) {
    // Gone since activation, or damaged: say so where it would have been.
    ShowMediaMessage(U.DefaultPictureName, knowledge::kMediaNotFound);
  }
  ApplyPictureAspect();
}

// --- The run's order -----------------------------------------------------------

void TForm1::BtnNextClick() {
  if (BtnNext->Caption() == knowledge::kCaptionEnd) {
    BtnNext->SetCaption(knowledge::kCaptionNext);
    BtnStartStop->Click();
    return;
  }
  const uint16_t n = U.Scan.NumberOfQuestions;
  if (knowledge::RunPhaseOf(BtnStartStop->Caption()) == knowledge::RunPhase::Idle || n == 0) return;
  const knowledge::NextResult r = knowledge::NextAction(U.Run, U.Questions, Choice(), n);
  if (r.PreviousEnabled) BtnPrevious->SetEnabled(*r.PreviousEnabled);
  if (r.LastReached) {
    BtnNext->SetEnabled(false);
    FocusOrSubject(BtnPrevious);
  }
  if (r.RunEnds) {
    BtnStartStop->SetCaption(knowledge::kCaptionReset);
    BtnNext->SetCaption(knowledge::kCaptionEnd);
  }
  ShowQuestion();
}

void TForm1::BtnPreviousClick() {
  if (knowledge::RunPhaseOf(BtnStartStop->Caption()) == knowledge::RunPhase::Idle || U.Scan.NumberOfQuestions == 0)
    return;
  const knowledge::BackResult r = knowledge::BackAction(U.Run, U.Questions);
  BtnNext->SetEnabled(true);
  if (r.AtFirst) {
    BtnPrevious->SetEnabled(false);
    FocusOrSubject(BtnNext);
  }
  ShowQuestion();
}

void TForm1::RevealAnswer() {
  BmbCorrect->SetEnabled(true);
  BmbIncorrect->SetEnabled(true);
  MemoAnswer->SetVisible(true);
  PnlAnswer->SetVisible(false);
  const knowledge::RunChoice choice = Choice();
  if (choice.Mode == knowledge::RunMode::Test) knowledge::LastQuestionTest(U.Run, choice, U.Scan.NumberOfQuestions);
}

void TForm1::AdvanceAfterMark() {
  BmbCorrect->SetEnabled(false);
  BmbIncorrect->SetEnabled(false);
  MemoAnswer->SetVisible(false);
  PnlAnswer->SetVisible(true);
  MemoQuestion->ClearLines();
  MemoAnswer->ClearLines();
  U.WorkPath = PicturesFolder();
  const uint16_t n = U.Scan.NumberOfQuestions;
  if (knowledge::RunPhaseOf(BtnStartStop->Caption()) != knowledge::RunPhase::Running || n == 0) return;
  const knowledge::AdvanceResult r = knowledge::AdvanceAfterMark(U.Run, U.Questions, Choice(), U.Score, n);
  if (r.ShowEndScreen) {
    ShowEndScreen();
    return;
  }
  ShowQuestion();
  if (U.AutoAdvanceOn) Timer->SetEnabled(true);
}

void TForm1::ShowEndScreen() {
  // Nothing is left to advance to.
  Timer->SetEnabled(false);
  MemoQuestion->SetVisible(false);
  PnlQuestion->SetVisible(true);
  PnlQuestion->SetCaption(knowledge::EndScreenCaption(knowledge::ModeFromText(CbxMode->Text())));
  PnlAnswer->SetCaption(knowledge::kThankYou);
  BtnStartStop->SetCaption(knowledge::kCaptionReset);
  FocusOrSubject(BtnStartStop);
  PnlNumber->SetFontColor(tk::clGray);
  PnlNumber->SetCaption(knowledge::IdleNumberCaption(U.TotalQuestions));
  ShowDefaultPicture();
}

void TForm1::TimerTimer() {
  const uint16_t n = U.Scan.NumberOfQuestions;
  switch (knowledge::TimerTick(knowledge::RunPhaseOf(BtnStartStop->Caption()), Choice(), U.Run, n)) {
    case knowledge::TickAction::StopTimer:
      Timer->SetEnabled(false);
      break;
    case knowledge::TickAction::StartStopClick:
      BtnStartStop->Click();
      break;
    case knowledge::TickAction::NextAction:
      BtnNextClick();
      break;
    case knowledge::TickAction::RevealAnswer:
      Timer->SetEnabled(false);
      RevealAnswer();
      break;
  }
}

void TForm1::BtnClockClick() { P.Form9->ShowModal(); }

// --- Marks and score -------------------------------------------------------------

void TForm1::BmbCorrectClick() {
  knowledge::RecordMark(U.Score, true);
  AdvanceAfterMark();
  LblCorrect->SetCaption(Count(U.Score.CorrectCount));
  UpdateScoreDisplay();
}

void TForm1::BmbIncorrectClick() {
  knowledge::RecordMark(U.Score, false);
  AdvanceAfterMark();
  LblIncorrect->SetCaption(Count(U.Score.IncorrectCount));
  UpdateScoreDisplay();
}

void TForm1::UpdateScoreDisplay() {
  const int percent = knowledge::CountAttempt(U.Score);
  LblAttempted->SetCaption(Count(U.Score.AttemptedCount));
  LblPercentage->SetCaption(std::to_string(percent) + " %");
  Gauge1->SetProgress(percent);
  Gauge1->SetForeColor(knowledge::GaugeBarColour(Gauge1->Progress(), U.GaugeThresholds));
}

// --- Mode and sequence layouts, click zones -----------------------------------------

void TForm1::CbxModeChange() {
  FocusOrSubject(BtnStartStop);
  IdleDisplay();
  U.AutoAdvanceOn = false;
  PnlTimer->SetColor(tk::clBtnFace);
  BtnClock->SetEnabled(true);
  ResetScoreDisplay();
  const knowledge::RunMode mode = knowledge::ModeFromText(CbxMode->Text());
  if (mode == knowledge::RunMode::Learning) {
    HideStatistics();
    CbxSequence->SetEnabled(true);
    BtnSearch->SetVisible(true);
    BtnSearch->SetEnabled(false);
    BmbCorrect->SetVisible(false);
    BmbIncorrect->SetVisible(false);
    PnlTimer->SetBounds(476, 199, 239, 30);
    BtnClock->SetBounds(480, 202, 232, 25);
    BtnClock->SetCaption("Au&tomatic   Advance");
    CheckBox1->SetCaption(" Display each question once only");
    if (CbxSequence->Text() == "Random") {
      CheckBox1->SetEnabled(true);
      BtnPrevious->SetVisible(false);
      BtnNext->SetVisible(true);
      BtnNext->SetHeight(111);
    } else {
      CheckBox1->SetChecked(false);
      CheckBox1->SetEnabled(false);
      BtnPrevious->SetVisible(true);
      BtnNext->SetVisible(true);
      BtnNext->SetHeight(48);
    }
    return;
  }
  ShowStatistics();
  BtnSearch->SetVisible(false);
  Gauge1->SetEnabled(true);
  Gauge1->SetBackColor(tk::clBtnFace);
  BtnNext->SetVisible(false);
  BtnPrevious->SetVisible(false);
  for (tk::GlyphButton* b : {BmbCorrect, BmbIncorrect}) {
    b->SetVisible(true);
    b->SetLeft(476);
    b->SetCaption("");
  }
  CheckBox1->SetCaption(" Eliminator");
  PnlTimer->SetBounds(PnlTimer->Left(), 157, PnlTimer->Width(), 28);
  BtnClock->SetBounds(BtnClock->Left(), 160, BtnClock->Width(), 23);
  if (mode == knowledge::RunMode::Practice) {
    PnlTimer->SetBounds(613, 157, 89, 28);
    BtnClock->SetBounds(617, 160, 81, 23);
    BtnClock->SetCaption("Au&to");
    CheckBox1->SetEnabled(true);
    // Practice always draws at random.
    CbxSequence->SetItemIndex(CbxSequence->IndexOf("Random"));
    CbxSequence->SetEnabled(false);
  } else {
    PnlTimer->SetBounds(491, 157, 209, 28);
    BtnClock->SetBounds(495, 160, 202, 23);
    BtnClock->SetCaption("Au&tomatic   Advance");
    CheckBox1->SetEnabled(false);
    CheckBox1->SetChecked(false);
    CbxSequence->SetEnabled(true);
  }
}

void TForm1::CbxSequenceChange() {
  FocusOrSubject(BtnStartStop);
  IdleDisplay();
  ResetScoreDisplay();
  U.AutoAdvanceOn = false;
  PnlTimer->SetColor(tk::clBtnFace);
  BtnClock->SetEnabled(true);
  BtnClock->SetCaption(CbxMode->Text() == "Practice" ? "Au&to" : "Au&tomatic   Advance");
  if (knowledge::ModeFromText(CbxMode->Text()) != knowledge::RunMode::Learning) return;
  CheckBox1->SetChecked(false);
  if (CbxSequence->Text() == "Random") {
    CheckBox1->SetEnabled(true);
    BtnPrevious->SetVisible(false);
    BtnNext->SetHeight(111);
  } else {
    CheckBox1->SetEnabled(false);
    BtnPrevious->SetVisible(true);
    BtnNext->SetHeight(48);
  }
}

void TForm1::MemoQuestionClick() {
  const knowledge::RunChoice choice = Choice();
  if (choice.Mode == knowledge::RunMode::Learning) {
    if (BtnNext->Caption() == knowledge::kCaptionEnd) {
      BtnNextClick();
    } else if (BtnNext->Enabled()) {
      BtnNextClick();
      const bool toNext = choice.Sequence == knowledge::RunSequence::Random || BtnNext->Enabled();
      FocusOrSubject(toNext ? static_cast<tk::Control*>(BtnNext) : BtnPrevious);
    } else {
      FocusOrSubject(BtnPrevious);
    }
    return;
  }
  if (MemoAnswer->Visible()) return;
  if (choice.Mode == knowledge::RunMode::Test) knowledge::LastQuestionTest(U.Run, choice, U.Scan.NumberOfQuestions);
  BmbCorrect->Click();
  FocusOrSubject(BtnStartStop);
}

void TForm1::MemoQuestionMouseMove(tk::ShiftState, int, int) {
  if (knowledge::ModeFromText(CbxMode->Text()) == knowledge::RunMode::Learning) {
    MemoQuestion->SetShowHint(BtnNext->Enabled());
    if (BtnNext->Enabled())
      MemoQuestion->SetHint(BtnNext->Caption() == knowledge::kCaptionEnd ? "Click = End" : "Click = Next");
  } else {
    MemoQuestion->SetShowHint(!MemoAnswer->Visible());
    if (!MemoAnswer->Visible()) MemoQuestion->SetHint("Click = Correct");
  }
}

void TForm1::MemoAnswerClick() {
  const knowledge::RunChoice choice = Choice();
  if (choice.Mode != knowledge::RunMode::Learning) return;
  if (choice.Sequence == knowledge::RunSequence::Random) {
    const bool end = BtnNext->Caption() == knowledge::kCaptionEnd;
    BtnNextClick();
    if (!end) FocusOrSubject(BtnNext);
    return;
  }
  if (BtnPrevious->Enabled()) {
    BtnPreviousClick();
    FocusOrSubject(BtnPrevious->Enabled() ? static_cast<tk::Control*>(BtnPrevious) : BtnNext);
  } else {
    FocusOrSubject(BtnNext);
  }
}

void TForm1::MemoAnswerMouseMove(tk::ShiftState, int, int) {
  const knowledge::RunChoice choice = Choice();
  if (choice.Mode != knowledge::RunMode::Learning) {
    MemoAnswer->SetShowHint(false);
  } else if (choice.Sequence == knowledge::RunSequence::Random) {
    MemoAnswer->SetShowHint(true);
    MemoAnswer->SetHint(BtnNext->Caption() == knowledge::kCaptionEnd ? "Click = End" : "Click = Next");
  } else {
    MemoAnswer->SetShowHint(BtnPrevious->Enabled());
    if (BtnPrevious->Enabled()) MemoAnswer->SetHint("Click = Back");
  }
}

void TForm1::PnlAnswerClick() {
  const std::string caption = plat::UpperCase(PnlAnswer->Caption());
  if (caption == "KNOWLEDGE SYSTEM" || caption == "THANK YOU!") return;
  RevealAnswer();
  Panel1->SetFocus();
}

void TForm1::BtnAboutClick() { P.Form4->ShowModal(); }

void TForm1::PnlQuestionClick() {
  if (PnlQuestion->Visible() && plat::UpperCase(PnlQuestion->Caption()) == "TOVREK") P.Form13->ShowModal();
}

void TForm1::PnlQuestionMouseMove(tk::ShiftState, int, int) {
  const std::string& caption = PnlQuestion->Caption();
  PnlQuestion->SetShowHint(caption != knowledge::kEndOfTest && caption != knowledge::kEndOfPractice);
}

// A disabled Start button (a problem report unchecks the box) leaves the
// focus where it is.
void TForm1::CheckBox1Click() {
  if (BtnStartStop->CanFocus()) BtnStartStop->SetFocus();
}

// --- Question display ------------------------------------------------------------

void TForm1::FillMemo(tk::Memo& memo, std::string& text) {
  std::vector<std::string> lines = memo.Lines();
  for (std::string& line : knowledge::CutIntoLines(text)) lines.push_back(std::move(line));
  memo.SetLines(lines);
  // Back to the first line, however long the text.
  memo.InsertLine(0, "check");
  memo.DeleteLine(0);
}

void TForm1::ShowQuestion() {
  MemoQuestion->ClearLines();
  MemoAnswer->ClearLines();
  const uint16_t counter = U.Run.Counter;
  knowledge::RestoreWorkingTexts(U.Questions, counter);
  knowledge::QuestionRecord& row = U.Questions.QuestionArray[counter];
  FillMemo(*MemoQuestion, row.QuestionText);
  FillMemo(*MemoAnswer, row.AnswerText);
  FontDecodeAndDisplay();
  if (row.MediaLine != U.Run.ShownMediaName) DisplayMediaFileIfApplicable();
  PnlNumber->SetFontColor(tk::clBlack);
  PnlNumber->SetCaption(knowledge::NumberCaption(row.QuestionLabel, U.Scan.NumberOfQuestions));
}

namespace {

// A font set up again costs a font search each time: only changes go out.
void SetBoxFont(tk::Control& box, int size, const std::string& name) {
  if (box.GetFont().Size() != size) box.SetFontSize(size);
  if (box.GetFont().Name != name) box.SetFontName(name);
}

void ApplyStyle(tk::Memo& memo, const knowledge::TextBoxStyle& style) {
  SetBoxFont(memo, style.FontSize, style.FontName);
  const tk::Alignment alignment = style.LeftAligned ? tk::Alignment::Left : tk::Alignment::Center;
  if (memo.GetAlignment() != alignment) memo.SetAlignment(alignment);
}

}  // namespace

void TForm1::FontDecodeAndDisplay() {
  const knowledge::FormatDisplay d = knowledge::FontDecodeAndDisplay(
      U.Questions.QuestionArray[U.Run.Counter].FormatLine, ChkSwopQA->Checked(), U.FormatDefaults);
  SetBoxFont(*MemoMedia, d.MediaFontSize, d.MediaFontName);
  U.MediaAlignText = d.MediaAlignText;
  ApplyStyle(*MemoQuestion, d.Question);
  ApplyStyle(*MemoAnswer, d.Answer);
  U.PictureAspectText = d.PictureAspectText;
  if (d.Decoded) U.Format = *d.Decoded;
}

void TForm1::SizeMessageFor(const std::string& mediaLine) {
  Image1->SetVisible(false);
  PnlPicture->SetFontSize(knowledge::MediaMessageFontSize(mediaLine.size()));
  PnlPicture->SetFontColor(knowledge::IsDarkColour(PnlPicture->GetColor()) ? tk::clWhite : tk::clBlack);
}

void TForm1::ShowMediaMessage(const std::string& mediaLine, const char* verdict) {
  SizeMessageFor(mediaLine);
  PnlPicture->SetCaption(knowledge::MediaMessageCaption(mediaLine, verdict));
}

void TForm1::SizeMediaMessage() { SizeMessageFor(U.Questions.QuestionArray[U.Run.Counter].MediaLine); }

void TForm1::DisplayMediaFileIfApplicable() {
  const std::string line = U.Questions.QuestionArray[U.Run.Counter].MediaLine;
  // A name that would leave the media folder is no media of this topic.
  const bool inFolder = knowledge::MediaNameStaysInFolder(line);
  switch (knowledge::MediaKindOf(line)) {
    case knowledge::MediaKind::Picture: {
      MemoMedia->SetVisible(false);
      U.WorkPath = MediaFolder();
      if (!inFolder) {
        ShowMediaMessage(line, knowledge::kMediaInvalid);
      } else if (!plat::FileExists(U.WorkPath + line)) {
        ShowMediaMessage(line, knowledge::kMediaNotFound);
      } else {
        PnlPicture->SetCaption("");
        Image1->SetVisible(true);
        try {
          Image1->LoadFromFile(U.WorkPath + line);
          const bool stretched = plat::UpperCase(U.PictureAspectText) == "STRETCHED";
          Image1->SetStretch(stretched);
          Image1->SetProportional(!stretched);
        } catch (const plat::PictureError&) {
          ShowMediaMessage(line, knowledge::kMediaInvalid);
        }
      }
      break;
    }
    case knowledge::MediaKind::Text: {
      Image1->SetVisible(false);
      U.WorkPath = MediaFolder();
      if (!inFolder) {
        MemoMedia->SetVisible(false);
        ShowMediaMessage(line, knowledge::kMediaInvalid);
      } else if (!plat::FileExists(U.WorkPath + line)) {
        MemoMedia->SetVisible(false);
        ShowMediaMessage(line, knowledge::kMediaNotFound);
      } else {
        std::vector<std::string> lines;
        try {
          lines = knowledge::ReadMediaText(U.SettingsFile, U.WorkPath + line);
        } catch (const std::exception&) {
          // Unreadable: the message instead of an error report per question.
          MemoMedia->SetVisible(false);
          ShowMediaMessage(line, knowledge::kMediaInvalid);
          break;
        }
        MemoMedia->ClearLines();
        MemoMedia->SetVisible(true);
        MemoMedia->SetLines(lines);
        MemoMedia->SetAlignment(plat::UpperCase(U.MediaAlignText) == "LEFT" ? tk::Alignment::Left
                                                                             : tk::Alignment::Center);
      }
      break;
    }
    case knowledge::MediaKind::DefaultPicture:
      PnlPicture->SetCaption("");
      U.WorkPath = PicturesFolder();
      ShowDefaultPicture();
      break;
    case knowledge::MediaKind::Invalid:
      MemoMedia->SetVisible(false);
      ShowMediaMessage(line, knowledge::kMediaInvalid);
      ApplyPictureAspect();
      break;
  }
}

void TForm1::ApplyPictureAspect() {
  // The customisation window's choice; "Normal" until it offers one.
  std::string aspect = "Normal";
  if (auto* list = dynamic_cast<tk::DropDownList*>(P.Form7->FindComponent("CbxPictureAspect"))) aspect = list->Text();
  const bool stretched = plat::UpperCase(aspect) == "STRETCHED";
  Image1->SetStretch(stretched);
  Image1->SetProportional(!stretched);
}

void TForm1::ToggleImageStretch() {
  const bool stretch = Image1->Proportional();
  Image1->SetStretch(stretch);
  Image1->SetProportional(!stretch);
}

void TForm1::MemoMediaClick() {
  MemoMedia->SetAlignment(MemoMedia->GetAlignment() == tk::Alignment::Center ? tk::Alignment::Left
                                                                               : tk::Alignment::Center);
  if (CbxMode->Text() != "Learning") Panel1->SetFocus();
  else FocusOrSubject(BtnNext->Enabled() ? static_cast<tk::Control*>(BtnNext) : BtnPrevious);
}

// --- Keys and shut-down --------------------------------------------------------

void TForm1::FormKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnClose->Click();
  else if (key == tk::vk::F1) P.Form16->ShowModal();
}

namespace {

// The four Ctrl shortcuts of a Learning run.
enum class Shortcut { None, First, Last, Back, Next };

Shortcut ShortcutOf(uint16_t key, tk::ShiftState shift, bool regular) {
  if (!shift.Ctrl) return Shortcut::None;
  switch (key) {
    case tk::vk::Home: return regular ? Shortcut::First : Shortcut::None;
    case tk::vk::End: return regular ? Shortcut::Last : Shortcut::None;
    case tk::vk::Prior: return regular ? Shortcut::Back : Shortcut::Next;
    case tk::vk::Next: return Shortcut::Next;
    default: return Shortcut::None;
  }
}

}  // namespace

void TForm1::ShowFirstQuestion() {
  U.Run.ShownMediaName = U.Questions.QuestionArray[U.Run.Counter].MediaLine;
  BtnNext->SetEnabled(true);
  U.Run.Counter = 1;
  BtnPrevious->SetEnabled(false);
  FocusOrSubject(BtnNext);
  ShowQuestion();
}

void TForm1::ShowLastQuestion() {
  U.Run.ShownMediaName = U.Questions.QuestionArray[U.Run.Counter].MediaLine;
  BtnPrevious->SetEnabled(true);
  U.Run.Counter = U.Scan.NumberOfQuestions;
  BtnNext->SetEnabled(false);
  FocusOrSubject(BtnPrevious);
  ShowQuestion();
}

namespace {

void Perform(TForm1& f, Shortcut s) {
  switch (s) {
    case Shortcut::None: break;
    case Shortcut::First: f.ShowFirstQuestion(); break;
    case Shortcut::Last: f.ShowLastQuestion(); break;
    case Shortcut::Back: f.BtnPreviousClick(); break;
    case Shortcut::Next: f.BtnNextClick(); break;
  }
}

}  // namespace

void TForm1::RunButtonKeyDown(uint16_t& key, tk::ShiftState shift) {
  if (CbxMode->Text() != "Learning" || BtnStartStop->Caption() != knowledge::kCaptionStop) return;
  if (U.Scan.NumberOfQuestions == 0) return;
  Perform(*this, ShortcutOf(key, shift, CbxSequence->Text() == "Regular"));
}

// Next, Back and Search keep the focus after Stop: a shortcut there must
// not bring back a row of an old load, but "&End" still ends the run.
namespace {

bool LoadedRunOn(TForm1& f, const Unit1State& u) {
  return knowledge::RunPhaseOf(f.BtnStartStop->Caption()) != knowledge::RunPhase::Idle &&
         u.Scan.NumberOfQuestions > 0;
}

}  // namespace

void TForm1::BtnNextKeyDown(uint16_t& key, tk::ShiftState shift) {
  const Shortcut s = ShortcutOf(key, shift, CbxSequence->Text() == "Regular");
  if (s == Shortcut::Next && BtnNext->Caption() == knowledge::kCaptionEnd) {
    BtnNextClick();
    return;
  }
  if (LoadedRunOn(*this, U)) Perform(*this, s);
}

void TForm1::BtnPreviousKeyDown(uint16_t& key, tk::ShiftState shift) {
  if (!shift.Ctrl || !LoadedRunOn(*this, U)) return;
  switch (key) {
    case tk::vk::Home: ShowFirstQuestion(); break;
    case tk::vk::End: ShowLastQuestion(); break;
    case tk::vk::Next: BtnNextClick(); break;
    case tk::vk::Prior: BtnPreviousClick(); break;
    default: break;
  }
}

void TForm1::BtnSearchKeyDown(uint16_t& key, tk::ShiftState shift) {
  if (CbxSequence->Text() != "Regular" || !LoadedRunOn(*this, U)) return;
  Perform(*this, ShortcutOf(key, shift, true));
}

// --- Search, editor, browser, control file ----------------------------------------

void TForm1::BtnSearchClick() {
  for (tk::Control* c : std::initializer_list<tk::Control*>{BtnSearch, BtnStartStop, BtnBrowser, BtnAbout, BtnNext,
                                                            BtnPrevious, BtnClose})
    c->SetEnabled(false);
  P.Form14->ShowModal();
}

void TForm1::BtnEditClick() {
  U.Flags.EditorMissing = 0;
  if (!plat::FileExists("edit.exe")) {
    U.Flags.EditorMissing = 1;
    P.Form10->ShowModal();
    return;
  }
  FileRun1->FileName = "edit.exe";
  FileRun1->Directory = "";
  // The one file ever started as a program.
  FileRun1->ExecuteProgram();
}

void TForm1::BtnBrowserClick() {
  U.WorkPath = U.SchoolVersion != 0 ? SchoolSharePath("tovrek$") + "\\browser\\" : std::string("browser\\");
  // The page checked is the page opened.
  FileRun2->FileName = "index.htm";
  FileRun2->Directory = U.WorkPath;
  if (plat::FileExists(U.WorkPath + "index.htm")) FileRun2->Execute();
}

namespace {

const char* const kAuthorName = "Tovrek Author";

}  // namespace

void TForm1::WriteDefaultBrowserPage() {
  // The About window's links name the same site and address.
  const std::string web = std::string("http://") + kWebHost;
  const std::vector<std::string> lines = {
      "<html>",
      "<title>Tovrek</title>",
      "<body>",
      "<p><b><font color=\"blue\" face=\"Arial\" size=\"5\">",
      "Welcome to the Tovrek Browser!",
      "</font></b></p>",
      "<p><font face=\"Arial\" size=\"3\">",
      "This file (INDEX.HTM) is your springboard to supplementing",
      "the text-based questions and answers in Tovrek.",
      "Use any HTML editor to replace the default content with your own, ",
      "extending it with additional HTML files, sub-folders, hyperlinks, etc. ",
      "You are limited only by your own creativity and imagination!<br /><br />",
      "INDEX.HTM will be found in your Tovrek folder,",
      "under the sub-folder 'Browser'.<br /><br />",
      "For more about Tovrek, visit <a href=\"" + web + "\">" + web + "</a>",
      "<br /><br />",
      "<hr />",
      "<br />",
      std::string(kAuthorName) + " <a href=\"mailto:" + kAuthorMailAddress + "\">",
      std::string("<br />") + kAuthorMailAddress + "</a>",
      "</font></p>",
      "</body>",
      "</html>",
  };
  // The text file puts the page in place only at Close, whole: a failed
  // write never leaves a short page that would stand as the user's own
  // from then on, and no link is ever written through. After a failure the
  // file is closed and the new version gone.
  try {
    U.SettingsFile.Assign("browser\\index.htm");
    U.SettingsFile.Rewrite();
    for (const std::string& line : lines) U.SettingsFile.WriteLn(line);
    U.SettingsFile.Close();
  } catch (const std::exception& e) {
    // Reported, and activation goes on without the page.
    App().ShowException(e);
  }
}

void TForm1::TimerStopNowTimer() {
  if (U.SchoolVersion == 0 || U.PollRunning) return;
  U.PollRunning = true;
  struct Done {
    bool& b;
    ~Done() { b = false; }
  } done{U.PollRunning};
  // A file object of its own: another handler may hold SettingsFile open.
  plat::TextFile control;
  std::string line;
  try {
    control.Assign(SchoolSharePath("tovrekcontrol$") + "\\control.ini");
    control.Reset();
    control.ReadLn(line);
    control.Close();
  } catch (const std::exception&) {
    // Not STOP; said once per outage rather than every tick, and never a
    // second report over one still open. The report comes up after this
    // tick has returned: shown inside it, it would hold the poll, and an
    // unattended machine could no longer be stopped from the server.
    if (!U.ControlFileOutageReported && !U.ControlFileReportOpen) {
      U.ControlFileOutageReported = true;
      U.ControlFileReportOpen = true;
      App().Post(
          [this, error = std::current_exception()] {
            try {
              std::rethrow_exception(error);
            } catch (const std::exception& e) {
              App().ShowException(e);
            }
            U.ControlFileReportOpen = false;
          },
          TimerStopNow);
    }
    return;
  }
  U.ControlFileOutageReported = false;
  U.LineBuffer = line;
  if (plat::UpperCase(U.LineBuffer) == "STOP") App().Terminate();
}


// The drop-down lists ignore Backspace.
void TForm1::ListKeyPress(char& key) {
  if (key == 8) key = 0;
}

void TForm1::BtnCloseClick() { P.Form12->ShowModal(); }

void TForm1::BtnCloseContextPopup() { App().Terminate(); }

}  // namespace tovrek
