// Leaks 4000 bytes inside a timer handler run by the real message loop, then
// ends. Under the sanitizers the leak check must report it and fail the run:
// the suppressions may hide the libraries' own caches, never a leak made in
// a handler whose caller is a Qt library.
#include <cstdlib>

#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace {

char* volatile g_lost = nullptr;

[[gnu::noinline]] void Lose() {
  g_lost = new char[4000];
  g_lost[0] = 1;
  g_lost = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::InitToolkit(argc, argv);
  tk::Application app;
  tk::Form* form = app.CreateForm<tk::Form>(app, "Main");
  auto* timer = form->CreateComponent<tk::Timer>("Timer1");
  timer->OnTimer = [&app] {
    Lose();
    app.Terminate();
  };
  timer->SetInterval(1);
  app.Run();
  return 0;
}
