// The splash window: on screen while the windows are created.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tovrek {

struct Program;

class TSplashForm : public tk::Form {
 public:
  explicit TSplashForm(Program& program);

  tk::Bevel* Bevel1;
  tk::Image* Image1;
  tk::Label* Label1;
  tk::Label* Label2;
  tk::Label* Label3;
  tk::Label* Label4;
  tk::Label* Label5;
  tk::Label* Label6;
  tk::Label* Label7;
  tk::Label* Label8;
  tk::Label* Label9;
  tk::Label* LblLoading;
  tk::Label* LblSplashStatus;
};

}  // namespace tovrek
