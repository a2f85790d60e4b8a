// What a learner waits for during a run over a 1000-question topic: Start
// (load and first display, with a picture), Next to a new picture, Next
// with the media unchanged, and the search texts; each beside an anchor
// measured in the same run (a plain line-by-line read of the same file, a
// bare window shown and painted).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "knowledge/search_texts.h"
#include "knowledge/topic_loader.h"
#include "main/program.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/testing.h"

namespace {

namespace fs = std::filesystem;

// One subject with two 1000-question topics: "Pictures" changes its picture
// at every question, "Same" shows one picture throughout.
class RunFolder {
 public:
  RunFolder() {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tovrek-run-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    fs::current_path(folder_);
    fs::create_directories("subjects/Big");
    fs::create_directories("mediafiles");
    const fs::path picture = fs::path(TOVREK_SOURCE_DIR) / "demo/default.jpg";
    fs::copy_file(picture, "default.jpg");
    fs::copy_file(picture, "mediafiles/a.jpg");
    fs::copy_file(picture, "mediafiles/b.jpg");
    Write("subjects/Big/Pictures.txt", true);
    Write("subjects/Big/Same.txt", false);
  }
  ~RunFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

 private:
  static void Write(const char* path, bool alternate) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 1; i <= 1000; ++i) {
      out << "[Q" << i << "\r\n" << (alternate && i % 2 == 0 ? "b.jpg" : "a.jpg") << "\r\nbbbdcaabbb\r\n";
      out << "What is question number " << i << "?\r\nSecond line\r\n";
      out << "[A\r\nIt is number " << i << ".\r\nAnd a second answer line\r\n";
    }
    out << "[[qend\r\n";
  }
  fs::path previous_, folder_;
};

// The program started on the chosen topic, Learning in the Regular order.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& topic) {
    tk::testing::UseManualClock(app_, clock_);
    program_ = std::make_unique<tovrek::Program>(app_);
    tovrek::CreateWindows(*program_);
    app_.ShowMainForm();
    tovrek::TForm1& f = *program_->Form1;
    tk::testing::UserPick(*f.CbxTopic, f.CbxTopic->IndexOf(topic));
  }
  ~RunningProgram() {
    program_.reset();
    tk::testing::ReleaseClock();
  }
  tovrek::TForm1& F1() { return *program_->Form1; }
  tovrek::Program& P() { return *program_; }

 private:
  plat::ManualClock clock_{1000};
  tk::Application app_;
  std::unique_ptr<tovrek::Program> program_;
};

void BM_AnchorPlainRead(benchmark::State& state) {
  RunFolder folder;
  std::string line;
  for (auto _ : state) {
    std::ifstream in("subjects/Big/Pictures.txt", std::ios::binary);
    size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_AnchorPlainRead)->Unit(benchmark::kMicrosecond);

void BM_AnchorBareWindowPaint(benchmark::State& state) {
  plat::ManualClock clock;
  tk::Application app;
  tk::testing::UseManualClock(app, clock);
  {
    tk::Form form(app, "Bare");
    form.SetClientSize(727, 560);
    form.Show();
    for (auto _ : state) form.Repaint();
  }
  tk::testing::ReleaseClock();
}
BENCHMARK(BM_AnchorBareWindowPaint)->Unit(benchmark::kMicrosecond);

// Start and the first question painted; Stop is left out of the timing.
void BM_StartWithPicture(benchmark::State& state) {
  RunFolder folder;
  RunningProgram run("Pictures");
  tovrek::TForm1& f = run.F1();
  for (auto _ : state) {
    f.BtnStartStop->Click();
    f.Repaint();
    state.PauseTiming();
    f.BtnStartStop->Click();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartWithPicture)->Unit(benchmark::kMillisecond);

void NextLoop(benchmark::State& state, const std::string& topic, bool paint = true) {
  RunFolder folder;
  RunningProgram run(topic);
  tovrek::TForm1& f = run.F1();
  f.BtnStartStop->Click();
  for (auto _ : state) {
    if (run.P().Unit1.Run.Counter == 1000) {
      state.PauseTiming();
      f.BtnStartStop->Click();
      f.BtnStartStop->Click();
      state.ResumeTiming();
    }
    f.BtnNext->Click();
    if (paint) f.Repaint();
  }
}

void BM_NextToNewPicture(benchmark::State& state) { NextLoop(state, "Pictures"); }
BENCHMARK(BM_NextToNewPicture)->Unit(benchmark::kMicrosecond);

void BM_NextSameMedia(benchmark::State& state) { NextLoop(state, "Same"); }
BENCHMARK(BM_NextSameMedia)->Unit(benchmark::kMicrosecond);

// The handler's own share, without the paint that follows it.
void BM_NextSameMediaUnpainted(benchmark::State& state) { NextLoop(state, "Same", false); }
BENCHMARK(BM_NextSameMediaUnpainted)->Unit(benchmark::kMicrosecond);

void BM_NextToNewPictureUnpainted(benchmark::State& state) { NextLoop(state, "Pictures", false); }
BENCHMARK(BM_NextToNewPictureUnpainted)->Unit(benchmark::kMicrosecond);

void BM_SearchTextsBuild(benchmark::State& state) {
  RunFolder folder;
  plat::TextFile file;
  knowledge::QuestionTable table;
  const knowledge::LoadResult loaded =
      knowledge::LoadTopic(file, "subjects\\Big\\Pictures.txt", knowledge::LoadOptions{}, table);
  for (auto _ : state) {
    knowledge::ClearSearchTexts(table);
    for (uint16_t i = 1; i <= loaded.NumberOfQuestions; ++i) knowledge::BuildSearchTexts(table, i);
    benchmark::DoNotOptimize(table.SearchQuestionTexts[1]);
  }
}
BENCHMARK(BM_SearchTextsBuild)->Unit(benchmark::kMicrosecond);

}  // namespace
