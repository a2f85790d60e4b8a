#include "main/Tovrek_Unit14.h"

#include <algorithm>

#include "knowledge/search_texts.h"
#include "main/program.h"
#include "toolkit/application.h"

namespace tovrek {

namespace {

constexpr tk::Color kIdleColour = tk::clMoneyGreen;
constexpr tk::Color kMatchColour = tk::clLime;
constexpr tk::Color kNoMatchColour = tk::clYellow;
constexpr const char* kEnterPrompt = "Enter a word / phrase ...";

// The first code point of a UTF-8 text and its length in bytes.
uint32_t FirstCodePoint(const std::string& s, size_t& length) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
  if (length > s.size()) length = s.size();
  if (c < 0x80) return c;
  uint32_t code = c & (0x3F >> (length - 1));
  for (size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  return code;
}

}  // namespace

TForm14::TForm14(Program& program) : TForm14Design(program.App), P(program), S(program.Unit14) { LoadDesign(); }

void TForm14::ShowIdleLook() {
  LblMatchesFound->SetLeft(45);
  LblMatchesFound->SetCaption(kEnterPrompt);
  SetCaption("Search");
}

void TForm14::FormActivate() {
  BtnSearchNext->SetEnabled(false);
  BtnSearchPrevious->SetEnabled(false);
  BtnSearch->SetEnabled(!EdtSearch->Text().empty());
  EdtSearch->SetFocus();
  ShowIdleLook();
}

void TForm14::EdtSearchChange() {
  const std::string& text = EdtSearch->Text();
  const bool wasEmpty = lastText_.empty();
  lastText_ = text;
  BtnSearchPrevious->SetEnabled(false);
  BtnSearchNext->SetEnabled(false);
  SetColor(kIdleColour);
  ShowIdleLook();
  if (text.empty()) {
    BtnSearch->SetEnabled(false);
    return;
  }
  // Typed characters meet the key filter; one that reaches the empty box
  // without it (an input method's commit, a letter beyond Latin-1) is
  // held to the same first-character rule.
  size_t length = 0;
  if (wasEmpty && !firstKeyAccepted_ && FirstCodePoint(text, length) >= 0x80 && length == text.size()) {
    EdtSearch->SetText("");
    return;
  }
  firstKeyAccepted_ = false;
}

void TForm14::EdtSearchKeyPress(char& key) {
  if (!EdtSearch->Text().empty()) return;
  if (!knowledge::AcceptedFirstCharacter(static_cast<unsigned char>(key))) {
    key = 0;
    return;
  }
  firstKeyAccepted_ = true;
  BtnSearch->SetEnabled(true);
}

void TForm14::EdtSearchKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) {
    Close();
  } else if (key == tk::vk::Return && !EdtSearch->Text().empty()) {
    BtnSearch->Click();
    EdtSearch->SelectAll();
  }
}

void TForm14::EscapeKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

void TForm14::JumpToMatch() {
  Unit1State& u = P.Unit1;
  u.Run.Counter = S.SearchMatches[S.SearchMatchPos];
  u.Run.ShownMediaName.clear();
  P.Form1->ShowQuestion();
}

void TForm14::BtnSearchClick() {
  S.SearchMatchCount = 0;
  S.SearchMatches.fill(0);
  const Unit1State& u = P.Unit1;
  const std::vector<uint16_t> found =
      knowledge::SearchTopicAsTyped(u.Questions, u.Scan.NumberOfQuestions, EdtSearch->Text());
  for (uint16_t i : found) S.SearchMatches[++S.SearchMatchCount] = i;
  S.SearchMatchPos = 1;
  const size_t count = S.SearchMatchCount;
  SetColor(count > 0 ? kMatchColour : kNoMatchColour);
  const knowledge::MatchesLabel label = knowledge::MatchesFoundLabel(count);
  LblMatchesFound->SetCaption(label.Caption);
  LblMatchesFound->SetLeft(label.Left);
  BtnSearchPrevious->SetEnabled(false);
  BtnSearchNext->SetEnabled(count > 1);
  if (count == 0) {
    EdtSearch->SetFocus();
    SetCaption("Search");
    return;
  }
  if (count == 1) EdtSearch->SetFocus();
  else BtnSearchNext->SetFocus();
  SetCaption(knowledge::FoundCaption(1, count));
  JumpToMatch();
}

void TForm14::BtnSearchNextClick() {
  if (S.SearchMatchPos >= S.SearchMatchCount) return;  // a click from code past the last match
  ++S.SearchMatchPos;
  JumpToMatch();
  BtnSearchPrevious->SetEnabled(true);
  SetCaption(knowledge::FoundCaption(S.SearchMatchPos, S.SearchMatchCount));
  if (S.SearchMatchPos == S.SearchMatchCount) {
    BtnSearchNext->SetEnabled(false);
    EdtSearch->SetFocus();
  }
}

void TForm14::BtnSearchPreviousClick() {
  if (S.SearchMatchPos <= 1) return;
  --S.SearchMatchPos;
  JumpToMatch();
  BtnSearchNext->SetEnabled(true);
  SetCaption(knowledge::FoundCaption(S.SearchMatchPos, S.SearchMatchCount));
  if (S.SearchMatchPos == 1) {
    BtnSearchPrevious->SetEnabled(false);
    EdtSearch->SetFocus();
  }
}

void TForm14::FormClose() {
  TForm1& f = *P.Form1;
  const Unit1State& u = P.Unit1;
  const bool regular = f.CbxSequence->Text() == "Regular";
  if (u.Run.Counter == 1) {
    if (regular) f.BtnPrevious->SetEnabled(false);
    f.BtnNext->SetEnabled(true);
  } else if (u.Run.Counter == u.Scan.NumberOfQuestions) {
    if (regular) {
      f.BtnPrevious->SetEnabled(true);
      f.BtnNext->SetEnabled(false);
    } else {
      f.BtnNext->SetEnabled(true);
    }
  } else {
    if (regular) f.BtnPrevious->SetEnabled(true);
    f.BtnNext->SetEnabled(true);
  }
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.BtnSearch, f.BtnStartStop, f.BtnBrowser, f.BtnAbout,
                                                            f.BtnClose})
    c->SetEnabled(true);
  SetColor(kIdleColour);
  // Back where the learner left off, so the shortcuts work at once.
  f.BtnSearch->SetFocus();
}

}  // namespace tovrek
