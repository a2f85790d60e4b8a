// The search window: finds the loaded questions holding a word or phrase
// and steps the main window's display through them.
#pragma once

#include <array>
#include <cstdint>

#include "designs/Tovrek_Unit14_design.h"
#include "knowledge/question_table.h"

namespace tovrek {

struct Program;

// The last search's matches; only the search window reads them.
struct Unit14State {
  std::array<uint16_t, knowledge::kMaxQuestions + 1> SearchMatches{};  // 1-based
  uint16_t SearchMatchCount = 0;
  uint16_t SearchMatchPos = 0;
};

class TForm14 : public TForm14Design<TForm14> {
 public:
  explicit TForm14(Program& program);
  Program& P;
  Unit14State& S;

  void FormActivate();
  void FormClose();
  void EdtSearchChange();
  void EdtSearchKeyPress(char& key);
  void EdtSearchKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnSearchClick();
  void BtnSearchNextClick();
  void BtnSearchPreviousClick();
  void EscapeKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnSearchKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }
  void BtnSearchNextKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }
  void BtnSearchPreviousKeyDown(uint16_t& key, tk::ShiftState shift) { EscapeKeyDown(key, shift); }

 private:
  void ShowIdleLook();
  // Shows match SearchMatchPos in the main window, media reloaded.
  void JumpToMatch();
  std::string lastText_;
  bool firstKeyAccepted_ = false;
};

}  // namespace tovrek
