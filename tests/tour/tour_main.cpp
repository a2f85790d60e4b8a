// A learner's tour of the program on the demo knowledge base, on a real
// display: each scene is put on the screen and captured with ImageMagick's
// `import -window root`. Run by tools/screenshots.sh under Xvfb.
//
//   tovrek_tour <demo folder> <output folder>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "main/Tovrek_Unit1.h"
#include "main/program.h"
#include "toolkit/application.h"
#include "toolkit/testing.h"

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

    // Learning, a question with a picture.
    Pick(*f.CbxSubject, "Astronomy");
    Pick(*f.CbxTopic, "The Solar System");
    tk::testing::UserClick(*f.BtnStartStop);
    tk::testing::UserClick(*f.BtnNext);
    ok &= Capture(app, out, "learning");
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
