#include "main/program.h"

#include "appearance/Tovrek_Unit11.h"
#include "appearance/Tovrek_Unit15.h"
#include "appearance/Tovrek_Unit7.h"
#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit12.h"
#include "main/Tovrek_Unit14.h"
#include "main/Tovrek_Unit16.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "main/Tovrek_Unit9.h"
#include "quotations/Tovrek_Unit13.h"
#include "quotations/Tovrek_Unit4.h"
#include "toolkit/application.h"

namespace tovrek {

void CreateWindows(Program& p) {
  tk::Application& app = p.App;
  p.SplashForm = app.CreateSideForm<TSplashForm>(p);
  // On screen before the slow steps that follow.
  p.SplashForm->Show();
  p.SplashForm->Repaint();
  p.Form1 = app.CreateForm<TForm1>(p);
  p.Form4 = app.CreateForm<TForm4>(p);
  p.Form7 = app.CreateForm<TForm7>(p);
  p.Form8 = app.CreateForm<TForm8>(p);
  p.Form9 = app.CreateForm<TForm9>(p);
  p.Form10 = app.CreateForm<TForm10>(p);
  p.Form11 = app.CreateForm<TForm11>(p);
  p.Form12 = app.CreateForm<TForm12>(p);
  p.Form13 = app.CreateForm<TForm13>(p);
  p.Form14 = app.CreateForm<TForm14>(p);
  p.Form15 = app.CreateForm<TForm15>(p);
  p.Form16 = app.CreateForm<TForm16>(p);
  p.SplashForm->Close();
}

int RunProgram(int argc, char** argv) {
  tk::InitToolkit(argc, argv);
  tk::Application app;
  Program program(app);
  CreateWindows(program);
  app.Run();
  return 0;
}

}  // namespace tovrek
