// The picture-exists window: replace the folder's picture, use it, or
// cancel; the answer goes back through the unit's state.
#pragma once

#include "designs/Tovrek_Unit15_design.h"

namespace tovrek {

struct Program;

class TForm15 : public TForm15Design<TForm15> {
 public:
  explicit TForm15(Program& program);
  Program& P;

  void FormActivate();
  void BtnReplaceClick();
  void BtnUseExistingClick();
  void BtnCancelClick();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
};

}  // namespace tovrek
