// The main window: the stage of every run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "knowledge/problem_flags.h"
#include "knowledge/score.h"
#include "knowledge/topic_scan.h"
#include "platform/text_file.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/shell_action.h"
#include "toolkit/timer.h"

namespace tovrek {

struct Program;

// Unit-level state of the main window's unit.
struct Unit1State : knowledge::ProblemFlags, knowledge::ScanResults, knowledge::Score {
  bool WindowsNTFamily = false;
  bool Windows98 = false;
  bool NoWriteAccess = false;
  bool FirstActivationDone = false;
  bool RunComplete = false;
  bool AutoAdvanceOn = false;
  bool TopicHasFormatCodes = false;
  int SchoolVersion = 0;
  uint16_t TotalQuestions = 0;
  std::array<uint8_t, 4> GaugeThresholds{};
  std::string DefaultPictureName;
  std::string MediaAlignText;
  std::string PictureAspectText;
  // Slots 1 to 10 of the configured defaults of the format code.
  std::array<std::string, 11> FormatDefaults;
  // The one text file through which every file is read and written.
  plat::TextFile SettingsFile;
  std::string WorkPath;
  std::string LineBuffer;
};

// Paths of the school build: the tree lies on the school server's share.
extern const char* const kSchoolServer;
std::string SchoolSharePath(const std::string& share);

class TForm1 : public tk::Form {
 public:
  explicit TForm1(Program& program);

  Program& P;
  Unit1State& U;

  tk::Panel* PnlPicture;
  tk::Image* Image1;
  tk::Memo* MemoMedia;
  tk::Memo* MemoQuestion;
  tk::Panel* PnlQuestion;
  tk::Memo* MemoAnswer;
  tk::Panel* PnlAnswer;
  tk::Panel* Panel1;
  tk::Label* Label6;
  tk::Label* LblTopic;
  tk::Label* Label3;
  tk::Label* Label4;
  tk::Button* BtnRefresh;
  tk::DropDownList* CbxSubject;
  tk::DropDownList* CbxTopic;
  tk::DropDownList* CbxMode;
  tk::DropDownList* CbxSequence;
  tk::CheckBox* CheckBox1;
  tk::Panel* PnlTimer;
  tk::Button* BtnClock;
  tk::Label* Label7;
  tk::Label* Label8;
  tk::Label* Label9;
  tk::Label* Label10;
  tk::Label* LblCorrect;
  tk::Label* LblIncorrect;
  tk::Label* LblAttempted;
  tk::Label* LblPercentage;
  tk::GlyphButton* BtnSearch;
  tk::Gauge* Gauge1;
  std::array<tk::Shape*, 12> Shape{};  // Shape[1] ... Shape[11]
  tk::Button* BtnStartStop;
  tk::Button* BtnBrowser;
  tk::Button* BtnSetup;
  tk::CheckBox* ChkSwopQA;
  tk::Panel* PnlNumber;
  tk::Button* BtnAbout;
  tk::Button* BtnNext;
  tk::GlyphButton* BmbCorrect;
  tk::Button* BtnEdit;
  tk::Label* LblSchool;
  tk::Button* BtnPrevious;
  tk::GlyphButton* BmbIncorrect;
  tk::GlyphButton* BtnClose;
  tk::Timer* Timer;
  tk::Timer* TimerStopNow;
  tk::ShellOpenAction* FileRun1;
  tk::ShellOpenAction* FileRun2;

  // Creation and activation.
  void FormCreate();
  void FormActivate();
  void CheckWindowsVersion();
  void AnimateSplashLoading();
  void SetSplashWarningColours();

  // Subjects and topics.
  void LoadSubjectList();
  void ListTopics();
  void ScanTopicFile();
  void ValidateTopicCounts();
  void CbxSubjectClick();
  void CbxTopicChange();
  void BtnRefreshClick();

  // Score and the statistics block.
  void ResetScoreDisplay();
  void ShowStatistics();
  void HideStatistics();
  void EnableStatistics();
  void DisableStatistics();

  // Keys and shut-down.
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  void ListKeyPress(char& key);
  void BtnCloseClick();
  void BtnCloseContextPopup();

 private:
  std::string SubjectsFolder() const;
  void IdleDisplay();
  void ResetAutoAdvanceLook();
};

}  // namespace tovrek
