// A learner's tour of the program on the demo knowledge base, on a real
// display: each scene is put on the screen and captured with ImageMagick's
// `import -window root`. Run by tools/screenshots.sh under Xvfb.
//
//   tovrek_tour <demo folder> <output folder>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <functional>
#include <string>

#include "main/Tovrek_Unit1.h"
#include "main/program.h"
#include "toolkit/application.h"
#include "toolkit/testing.h"
#include "toolkit/timer.h"

namespace fs = std::filesystem;

namespace {

// Lets the display server draw what the program painted.
void Settle(tk::Application& app) {
  for (int i = 0; i < 20; ++i) {
    app.ProcessMessages();
    usleep(20'000);
  }
}

bool Capture(tk::Application& app, const fs::path& out, const std::string& scene) {
  Settle(app);
  const std::string file = (out / (scene + ".png")).string();
  const std::string command = "import -window root '" + file + "'";
  if (std::system(command.c_str()) != 0) {
    std::cerr << "could not capture " << file << "\n";
    return false;
  }
  std::cout << file << "\n";
  return true;
}

// Opens a modal window with `open` and, once it is up, acts in it with
// `inside`, captures the screen and closes it, from a timer: the modal loop
// runs until then.
bool CaptureModal(tk::Application& app, tk::Form& owner, const fs::path& out, const std::string& scene,
                  const std::function<void()>& open, const std::function<void()>& inside = {},
                  uint32_t afterMs = 300) {
  bool ok = false;
  auto* timer = owner.CreateComponent<tk::Timer>("Tour" + scene);
  timer->SetInterval(afterMs);
  timer->OnTimer = [&] {
    timer->SetEnabled(false);
    if (inside) inside();
    ok = Capture(app, out, scene);
    if (tk::Form* shown = app.ActiveForm(); shown != nullptr && shown != &owner) shown->Close();
  };
  timer->SetEnabled(true);
  open();
  timer->SetEnabled(false);
  return ok;
}

void Pick(tk::DropDownList& list, const std::string& item) {
  const int index = list.IndexOf(item);
  if (index < 0) throw std::runtime_error("no item " + item + " in " + list.Name());
  tk::testing::UserPick(list, index);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tovrek_tour <demo folder> <output folder>\n";
    return 2;
  }
  const fs::path demo = fs::absolute(argv[1]);
  const fs::path out = fs::absolute(argv[2]);
  fs::create_directories(out);
  // The program works in its current folder: a fresh copy of the demo.
  const fs::path work = fs::temp_directory_path() / ("tovrek-tour-" + std::to_string(getpid()));
  fs::remove_all(work);
  fs::copy(demo, work, fs::copy_options::recursive);
  fs::current_path(work);

  bool ok = true;
  try {
    tk::InitToolkit(argc, argv);
    tk::Application app;
    tovrek::Program program(app, 0);
    tovrek::CreateWindows(program);
    app.ShowMainForm();
    tovrek::TForm1& f = *program.Form1;
    ok &= Capture(app, out, "idle");

    // The quotations, typing, from the idle question panel.
    ok &= CaptureModal(app, f, out, "quotation", [&] { tk::testing::UserClick(*f.PnlQuestion); }, {}, 2500);
    // About, and the keyboard shortcuts from F1.
    ok &= CaptureModal(app, f, out, "about", [&] { tk::testing::UserClick(*f.BtnAbout); });
    ok &= CaptureModal(app, f, out, "shortcuts", [&] { tk::testing::UserKey(app, tk::vk::F1); });
    // Customise.
    ok &= CaptureModal(app, f, out, "customise", [&] { tk::testing::UserClick(*f.BtnSetup); });

    // Learning, a question with a picture.
    Pick(*f.CbxSubject, "Astronomy");
    Pick(*f.CbxTopic, "The Solar System");
    tk::testing::UserClick(*f.BtnStartStop);
    tk::testing::UserClick(*f.BtnNext);
    ok &= Capture(app, out, "learning");
    // Search the run: a word with matches, then one without.
    ok &= CaptureModal(app, f, out, "search-found", [&] { tk::testing::UserClick(*f.BtnSearch); }, [&] {
      tk::testing::UserType(app, "planet");
      tk::testing::UserKey(app, tk::vk::Return);
    });
    ok &= CaptureModal(app, f, out, "search-none", [&] { tk::testing::UserClick(*f.BtnSearch); }, [&] {
      tk::testing::UserKey(app, tk::vk::End);
      for (int i = 0; i < 6; ++i) tk::testing::UserKey(app, tk::vk::Back);
      tk::testing::UserType(app, "comet");
      tk::testing::UserKey(app, tk::vk::Return);
    });
    tk::testing::UserClick(*f.BtnStartStop);

    // Practice, before and after the answer is shown.
    Pick(*f.CbxMode, "Practice");
    tk::testing::UserClick(*f.BtnStartStop);
    ok &= Capture(app, out, "practice-question");
    tk::testing::UserClick(*f.PnlAnswer);
    ok &= Capture(app, out, "practice-answer");
    tk::testing::UserClick(*f.BtnStartStop);

    // Test, marked through to its end screen.
    Pick(*f.CbxMode, "Test");
    tk::testing::UserClick(*f.BtnStartStop);
    for (int i = 0; i < 200 && f.BtnStartStop->Caption() == "&Stop"; ++i) {
      tk::testing::UserClick(*f.PnlAnswer);
      tk::testing::UserClick(i % 3 == 2 ? *static_cast<tk::Control*>(f.BmbIncorrect)
                                        : *static_cast<tk::Control*>(f.BmbCorrect));
    }
    ok &= Capture(app, out, "test-end");
  } catch (const std::exception& e) {
    std::cerr << "tour stopped: " << e.what() << "\n";
    ok = false;
  }
  fs::current_path(out);
  fs::remove_all(work);
  return ok ? 0 : 1;
}
