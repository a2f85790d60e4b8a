// The main window: the stage of every run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "knowledge/format_code.h"
#include "knowledge/problem_flags.h"
#include "knowledge/question_table.h"
#include "knowledge/run_order.h"
#include "knowledge/settings_file.h"
#include "knowledge/score.h"
#include "knowledge/topic_scan.h"
#include "platform/text_file.h"
#include "designs/Tovrek_Unit1_design.h"
#include "toolkit/shell_action.h"
#include "toolkit/timer.h"

namespace tovrek {

struct Program;

// Unit-level state of the main window's unit.
struct Unit1State {
  knowledge::ProblemFlags Flags;
  // The last scan's counts; NumberOfQuestions is reused for the questions
  // loaded at Start.
  knowledge::ScanResults Scan;
  knowledge::Score Score;
  // The loaded topic and the run over it.
  knowledge::QuestionTable Questions;
  knowledge::RunState Run;
  // The values of the last valid format code.
  knowledge::DecodedFormat Format;
  bool WindowsNTFamily = false;
  bool Windows98 = false;
  bool NoWriteAccess = false;
  bool FirstActivationDone = false;
  bool AutoAdvanceOn = false;
  bool TopicHasFormatCodes = false;
  int SchoolVersion = 0;
  uint16_t TotalQuestions = 0;
  std::array<uint8_t, 4> GaugeThresholds{};
  std::string DefaultPictureName;
  std::string MediaAlignText;
  std::string PictureAspectText;
  // Slots 1 to 10 of the configured defaults of the format code; the
  // default file's values until the settings file is read.
  std::array<std::string, 11> FormatDefaults{"", "10", "", "left", "12", "", "", "12", "", "", "normal"};
  // The one text file through which every file is read and written.
  plat::TextFile SettingsFile;
  std::string WorkPath;
  std::string LineBuffer;
  // The control-file poll: a tick under way, an outage already reported,
  // and its report still on the screen.
  bool PollRunning = false;
  bool ControlFileOutageReported = false;
  bool ControlFileReportOpen = false;
};

// Paths of the school build: the tree lies on the school server's share.
extern const char* const kSchoolServer;
std::string SchoolSharePath(const std::string& share);

class TForm1 : public TForm1Design<TForm1> {
 public:
  explicit TForm1(Program& program);

  Program& P;
  Unit1State& U;

  std::array<tk::Shape*, 12> Shape{};  // Shape[1] ... Shape[11]

  // Creation and activation.
  void FormCreate();
  void FormActivate();
  void CheckWindowsVersion();
  void AnimateSplashLoading();
  void SetSplashWarningColours();
  // The settings step of activation: the file read and applied to both
  // windows, or the default file written.
  void ApplySettingsStep();
  void ReadAndApplySettings();
  void WriteDefaultSettings();
  void ApplyMainLine(int line, const knowledge::LineValue& v);
  // "C&ustomise": the customisation window, "&Make Default" unchecked.
  void BtnSetupClick();

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

  // The run: start and stop, its order, the marks.
  void BtnStartStopClick();
  void BtnNextClick();
  void BtnPreviousClick();
  void BmbCorrectClick();
  void BmbIncorrectClick();
  void AdvanceAfterMark();
  void RevealAnswer();
  void ShowEndScreen();
  void TimerTimer();
  void BtnClockClick();
  void UpdateScoreDisplay();

  // Mode and sequence layouts, click zones and hints.
  void CbxModeChange();
  void CbxSequenceChange();
  void MemoQuestionClick();
  void MemoQuestionMouseMove(tk::ShiftState shift, int x, int y);
  void MemoAnswerClick();
  void MemoAnswerMouseMove(tk::ShiftState shift, int x, int y);
  void PnlAnswerClick();
  void PnlQuestionClick();
  void PnlQuestionMouseMove(tk::ShiftState shift, int x, int y);
  void CheckBox1Click();
  // "&About": the About window.
  void BtnAboutClick();

  // The display of question Counter.
  void ShowQuestion();
  void FontDecodeAndDisplay();
  void DisplayMediaFileIfApplicable();
  void SizeMediaMessage();
  void ApplyPictureAspect();
  void ToggleImageStretch();
  void Image1Click() { ToggleImageStretch(); }
  void Image1ContextPopup() { ToggleImageStretch(); }
  void MemoMediaClick();

  // The mode, sequence and variant box as the run reads them.
  knowledge::RunChoice Choice() const;
  // The topic file of the chosen subject and topic.
  std::string TopicPath() const;

  // Keys and shut-down.
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  // The Ctrl shortcuts of the run's buttons.
  void RunButtonKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnStartStopKeyDown(uint16_t& key, tk::ShiftState shift) { RunButtonKeyDown(key, shift); }
  void BtnAboutKeyDown(uint16_t& key, tk::ShiftState shift) { RunButtonKeyDown(key, shift); }
  void BtnBrowserKeyDown(uint16_t& key, tk::ShiftState shift) { RunButtonKeyDown(key, shift); }
  void BtnCloseKeyDown(uint16_t& key, tk::ShiftState shift) { RunButtonKeyDown(key, shift); }
  void BtnNextKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnPreviousKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnSearchKeyDown(uint16_t& key, tk::ShiftState shift);
  void ShowFirstQuestion();
  void ShowLastQuestion();

  // Search, the editor, the browser start page and the control-file poll.
  void BtnSearchClick();
  void BtnEditClick();
  void BtnBrowserClick();
  void WriteDefaultBrowserPage();
  void TimerStopNowTimer();
  void ListKeyPress(char& key);
  void CbxSubjectKeyPress(char& key) { ListKeyPress(key); }
  void CbxTopicKeyPress(char& key) { ListKeyPress(key); }
  void CbxModeKeyPress(char& key) { ListKeyPress(key); }
  void CbxSequenceKeyPress(char& key) { ListKeyPress(key); }
  void BtnCloseClick();
  void BtnCloseContextPopup();

 private:
  std::string SubjectsFolder() const;
  void IdleDisplay();
  // "0  of  n" for the scanned topic, and its TotalQuestions.
  void ShowTopicSize();
  void ResetAutoAdvanceLook();
  void StartRun();
  void StopRun();
  void FillMemo(tk::Memo& memo, std::string& text);
  void ShowDefaultPicture();
  std::string MediaFolder() const;
  std::string PicturesFolder() const;
  void SizeMessageFor(const std::string& mediaLine);
  // The media message, "< NAME >  not found" and the like.
  void ShowMediaMessage(const std::string& mediaLine, const char* verdict);
  // Gives the focus to c, or to CbxSubject when c cannot take it.
  void FocusOrSubject(tk::Control* c);
};

}  // namespace tovrek
