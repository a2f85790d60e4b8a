// The About window: build labels, the introduction or the version history,
// portraits, and the mail and web links.
#pragma once

#include <cstdint>

#include "designs/Tovrek_Unit4_design.h"

namespace tovrek {

struct Program;

class TForm4 : public TForm4Design<TForm4> {
 public:
  explicit TForm4(Program& program);
  Program& P;

  void BtnCloseClick();
  void BtnCloseKeyDown(uint16_t& key, tk::ShiftState shift);
  void BtnVersionKeyDown(uint16_t& key, tk::ShiftState shift);
  void Memo1Click();
  void Memo2Click();
  void BtnVersionClick();
  void Label5Click();
  void Label6Click();
  void Label5MouseEnter() { PointerOverLink(true); }
  void Label6MouseEnter() { PointerOverLink(true); }
  void Label5MouseLeave() { PointerOverLink(false); }
  void Label6MouseLeave() { PointerOverLink(false); }

 private:
  void PointerOverLink(bool over);
  void OpenLink(tk::Label& link, const std::string& target);
};

}  // namespace tovrek
