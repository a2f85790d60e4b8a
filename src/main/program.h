// The running program: the application object, every window and the
// unit-level state of each unit. Tests make a fresh one each.
#pragma once

#include "appearance/unit7_state.h"
#include "main/Tovrek_Unit1.h"
#include "quotations/quotation_model.h"
#include "main/Tovrek_Unit14.h"

namespace tk {
class Application;
}

namespace tovrek {

class TSplashForm;
class TForm4;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm15;
class TForm16;

// The variant a plain start runs: the build option chooses it.
#ifdef TOVREK_SCHOOL_VERSION
inline constexpr int kBuildSchoolVersion = 1;
#else
inline constexpr int kBuildSchoolVersion = 0;
#endif

struct Program {
  // `schoolVersion` 1 runs the school-network variant; tests choose either.
  explicit Program(tk::Application& app, int schoolVersion = kBuildSchoolVersion)
      : App(app), SchoolVersion(schoolVersion) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  tk::Application& App;
  // Copied into the main window's unit when it is created.
  const int SchoolVersion;
  Unit1State Unit1;
  Unit13State Unit13;
  Unit14State Unit14;
  Unit7State Unit7;

  TSplashForm* SplashForm = nullptr;
  TForm1* Form1 = nullptr;
  TForm4* Form4 = nullptr;
  TForm7* Form7 = nullptr;
  TForm8* Form8 = nullptr;
  TForm9* Form9 = nullptr;
  TForm10* Form10 = nullptr;
  TForm11* Form11 = nullptr;
  TForm12* Form12 = nullptr;
  TForm13* Form13 = nullptr;
  TForm14* Form14 = nullptr;
  TForm15* Form15 = nullptr;
  TForm16* Form16 = nullptr;
};

// Brings up the splash window, creates every window in its fixed order and
// hides the splash window again: everything before the message loop.
void CreateWindows(Program& program);

// The program entry: the windows, then the message loop until the
// application is terminated.
int RunProgram(int argc, char** argv);

}  // namespace tovrek
