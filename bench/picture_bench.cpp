// What a large picture costs the learner: the start-up and first paint with
// a 24-megapixel photograph as the default picture, and adding a 200 MB
// picture to the pictures folder; each beside the same with the program's
// own small default picture. Besides the time, each reports how far the
// resident memory rose above what the program held before (peak_MB).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "appearance/Tovrek_Unit7.h"
#include "knowledge/settings_file.h"
#include "main/program.h"
#include "platform/clock.h"
#include "support/jpeg_maker.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/open_dialog.h"
#include "toolkit/testing.h"

namespace {

namespace fs = std::filesystem;

// Linux keeps the peak resident size; writing "5" to clear_refs sets it
// back to the present size, so each step's own peak can be read.
long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string word;
  while (in >> word)
    if (word == key) {
      long kb = 0;
      in >> kb;
      return kb;
    }
  return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

class PeakMeter {
 public:
  void Begin() {
    ResetPeak();
    before_ = StatusKb("VmRSS:");
  }
  void End() { rise_ = std::max(rise_, StatusKb("VmHWM:") - before_); }
  void Report(benchmark::State& state) const { state.counters["peak_MB"] = static_cast<double>(rise_) / 1024.0; }

 private:
  long before_ = 0, rise_ = 0;
};

const fs::path& Source() {
  static const fs::path source = TOVREK_SOURCE_DIR;
  return source;
}

// A working folder with one topic and a settings file naming default.jpg,
// so activation loads the default picture; `picture` becomes default.jpg.
class PictureFolder {
 public:
  explicit PictureFolder(const std::string& picture) {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tovrek-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    fs::current_path(folder_);
    fs::create_directories("subjects/Maths");
    std::ofstream topic("subjects/Maths/Sums.txt", std::ios::binary);
    for (int i = 1; i <= 3; ++i) topic << "[Q" << i << "\r\nMEDIA\r\nFONT\r\nQuestion " << i << "\r\n[A\r\nAnswer\r\n";
    topic << "[[qend\r\n";
    topic.close();
    fs::create_directories("setup/pictures");
    std::ofstream("setup/config.ini", std::ios::binary)
        << knowledge::SettingsBytes(knowledge::DefaultSettingsLines());
    fs::copy_file(picture, "default.jpg");
  }
  ~PictureFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

 private:
  fs::path previous_, folder_;
};

// Made once per run, outside every timing: a 6000 x 4000 photograph, and a
// 200 MB picture file (the same photograph followed by a hole).
const std::string& Photo24() {
  static const std::string path = [] {
    const std::string p = "/tmp/tovrek-bench-photo24.jpg";
    if (!tovrek_test::WritePhotoJpeg(p, 6000, 4000)) std::abort();
    return p;
  }();
  return path;
}
const std::string& Picture200MB() {
  static const std::string path = [] {
    const std::string p = "/tmp/tovrek-bench-200mb.jpg";
    fs::copy_file(Photo24(), p, fs::copy_options::overwrite_existing);
    fs::resize_file(p, 200u << 20);
    return p;
  }();
  return path;
}
std::string DemoPicture() { return (Source() / "demo/default.jpg").string(); }

// Creation, the first activation (which loads the default picture) and the
// first paint of the main window.
void StartAndPaint(benchmark::State& state, const std::string& picture) {
  PictureFolder folder(picture);
  plat::ManualClock clock;
  PeakMeter peak;
  for (auto _ : state) {
    peak.Begin();
    {
      tk::Application app;
      tk::testing::UseManualClock(app, clock);
      tovrek::Program program(app, 0);
      tovrek::CreateWindows(program);
      app.ShowMainForm();
      program.Form1->Repaint();
      benchmark::DoNotOptimize(program.Unit1.DefaultPictureName);
      tk::testing::ReleaseClock();
    }
    peak.End();
  }
  peak.Report(state);
}

void BM_AnchorStartWithDemoPicture(benchmark::State& state) { StartAndPaint(state, DemoPicture()); }
BENCHMARK(BM_AnchorStartWithDemoPicture)->Unit(benchmark::kMillisecond);

void BM_StartWith24MegapixelPicture(benchmark::State& state) { StartAndPaint(state, Photo24()); }
BENCHMARK(BM_StartWith24MegapixelPicture)->Unit(benchmark::kMillisecond);

// A right click on the customisation window's picture list, the file chosen
// in the dialog: checked, copied into the pictures folder and previewed.
void AddPicture(benchmark::State& state, const std::string& picture) {
  PictureFolder folder(DemoPicture());
  plat::ManualClock clock;
  tk::Application app;
  tk::testing::UseManualClock(app, clock);
  tovrek::Program program(app, 0);
  tovrek::CreateWindows(program);
  app.ShowMainForm();
  const std::string destination = "setup/pictures/added.jpg";
  const std::string source = (fs::current_path() / "elsewhere/added.jpg").string();
  fs::create_directories("elsewhere");
  fs::copy_file(picture, source);
  PeakMeter peak;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(destination);
    tk::testing::AnswerOpenDialog(source);
    app.QueueModalScript("Form7", [](tk::Form& f) {
      auto& f7 = static_cast<tovrek::TForm7&>(f);
      tk::testing::UserRightClick(*f7.CbxPictureDefault);
      tk::testing::UserClick(*f7.BtnClose);
    });
    peak.Begin();
    state.ResumeTiming();
    tk::testing::UserClick(*program.Form1->BtnSetup);
    peak.End();
    if (!fs::exists(destination)) state.SkipWithError("the picture was not added");
  }
  peak.Report(state);
  tk::testing::ReleaseClock();
}

void BM_AnchorAddDemoPicture(benchmark::State& state) { AddPicture(state, DemoPicture()); }
BENCHMARK(BM_AnchorAddDemoPicture)->Unit(benchmark::kMillisecond);

void BM_Add200MBPicture(benchmark::State& state) { AddPicture(state, Picture200MB()); }
BENCHMARK(BM_Add200MBPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
