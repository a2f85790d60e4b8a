// Topics and media texts no editor writes, as the learner meets them: the
// program's start-up (creation and the first activation, which scan the
// first topic twice) and Start with the first question painted. Each shape
// beside its anchors measured in the same run: the hostile file read in
// blocks (the least any reader pays) and an ordinary two-question topic.
//
// peak_MB is the process's peak resident memory during the benchmark
// (counted afresh for each), idle_MB the resident memory before it.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "knowledge/media_display.h"
#include "knowledge/question_table.h"
#include "main/program.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "toolkit/application.h"
#include "toolkit/testing.h"

namespace {

namespace fs = std::filesystem;

// Resident memory from /proc/self/status, in MB.
double StatusMb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::strtod(line.c_str() + std::char_traits<char>::length(field), nullptr) / 1024;
  return 0;
}

// Counts the peak afresh from now (Linux resets it on "5").
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

enum class Shape { Ordinary, LongLine, MillionLines, HundredMb, NoLineEnds, MediaLongLine, MediaMillionLines, Widest };

struct ShapeInfo {
  Shape shape;
  const char* name;
  bool startable;  // a valid topic, so Start shows its first question
};

const ShapeInfo kShapes[] = {
    {Shape::Ordinary, "Ordinary", true},
    {Shape::LongLine, "QuestionOf10MbLine", true},
    {Shape::MillionLines, "QuestionOfMillionLines", true},
    {Shape::HundredMb, "Topic100MbQuestionOf33MillionLines", true},
    {Shape::NoLineEnds, "Topic2GbWithoutLineEnds", false},
    {Shape::MediaLongLine, "MediaTextOf10MbLine", true},
    {Shape::MediaMillionLines, "MediaTextOfMillionLines", true},
    // The most the bounds let through to the three memos at once: every
    // line as long as a line is kept, without a blank to wrap at.
    {Shape::Widest, "WidestTextsKept", true},
};

// `count` copies of `unit`, written a megabyte at a time.
void WriteRepeated(std::ofstream& out, const std::string& unit, size_t count) {
  std::string chunk;
  while (chunk.size() < (1u << 20)) chunk += unit;
  const size_t perChunk = chunk.size() / unit.size();
  for (; count >= perChunk; count -= perChunk) out << chunk;
  for (; count > 0; --count) out << unit;
}

// A working folder whose one subject holds the shape as its one topic.
class ShapeFolder {
 public:
  explicit ShapeFolder(Shape shape) {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tovrek-hostile-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    fs::current_path(folder_);
    fs::create_directories("subjects/Hostile");
    fs::create_directories("mediafiles");
    fs::copy_file(fs::path(TOVREK_SOURCE_DIR) / "demo/default.jpg", "default.jpg");
    path_ = "subjects/Hostile/Topic.txt";
    if (shape == Shape::NoLineEnds) {
      const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || ftruncate(fd, off_t{2} << 30) != 0) std::abort();
      close(fd);
      return;
    }
    std::ofstream out(path_, std::ios::binary);
    const char* media = shape == Shape::MediaLongLine       ? "long.txt"
                        : shape == Shape::MediaMillionLines ? "many.txt"
                        : shape == Shape::Widest            ? "widest.txt"
                                                            : "MEDIA";
    const std::string widestLine = std::string(plat::TextFile::kMaxLineLength, 'x') + "\r\n";
    out << "[Q1\r\n" << media << "\r\nFONT\r\n";
    switch (shape) {
      case Shape::LongLine:
        WriteRepeated(out, "x", 10u << 20);
        out << "\r\n";
        break;
      case Shape::MillionLines: WriteRepeated(out, "x\r\n", 1000000); break;
      case Shape::HundredMb: WriteRepeated(out, "x\r\n", (100u << 20) / 3); break;
      case Shape::Widest: WriteRepeated(out, widestLine, knowledge::kMaxTextLines); break;
      default: out << "What is the first question?\r\n"; break;
    }
    out << "[A\r\n";
    if (shape == Shape::Widest) {
      WriteRepeated(out, widestLine, knowledge::kMaxTextLines);
    } else {
      out << "The first answer.\r\n";
    }
    out << "[Q2\r\nMEDIA\r\nFONT\r\nThe second question?\r\n[A\r\nThe second answer.\r\n[[qend\r\n";
    if (shape == Shape::MediaLongLine || shape == Shape::MediaMillionLines || shape == Shape::Widest) {
      path_ = std::string("mediafiles/") + media;
      std::ofstream text(path_, std::ios::binary);
      if (shape == Shape::MediaLongLine) WriteRepeated(text, "x", 10u << 20);
      if (shape == Shape::MediaMillionLines) WriteRepeated(text, "x\r\n", 1000000);
      if (shape == Shape::Widest) WriteRepeated(text, widestLine, knowledge::kMaxMediaTextLines);
    }
  }
  ~ShapeFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  // The topic, or the media text when that is the shape.
  const std::string& HostilePath() const { return path_; }

 private:
  fs::path previous_, folder_;
  std::string path_;
};

// The program created and activated on a manual clock. A topic it cannot
// start is reported at the first activation; Ok closes the report.
class StartedProgram {
 public:
  explicit StartedProgram(bool startable) {
    tk::testing::UseManualClock(app_, clock_);
    if (!startable) app_.QueueModalScript([](tk::Form& f) { tk::testing::UserClick(f, "BtnOk"); });
    program_ = std::make_unique<tovrek::Program>(app_);
    tovrek::CreateWindows(*program_);
    app_.ShowMainForm();
  }
  ~StartedProgram() {
    program_.reset();
    tk::testing::ReleaseClock();
  }
  tovrek::Program& P() { return *program_; }

 private:
  plat::ManualClock clock_{1000};
  tk::Application app_;
  std::unique_ptr<tovrek::Program> program_;
};

void ReportMemory(benchmark::State& state, double idle) {
  state.counters["idle_MB"] = idle;
  state.counters["peak_MB"] = StatusMb("VmHWM:");
}

// The anchor: the file read in blocks, nothing kept.
void AnchorReadInBlocks(benchmark::State& state, ShapeInfo shape) {
  ShapeFolder folder(shape.shape);
  const double idle = StatusMb("VmRSS:");
  ResetPeakMemory();
  std::vector<char> block(1 << 16);
  for (auto _ : state) {
    const int fd = open(folder.HostilePath().c_str(), O_RDONLY);
    size_t bytes = 0;
    for (ssize_t n; (n = read(fd, block.data(), block.size())) > 0;) bytes += static_cast<size_t>(n);
    close(fd);
    benchmark::DoNotOptimize(bytes);
  }
  ReportMemory(state, idle);
}

void StartUp(benchmark::State& state, ShapeInfo shape) {
  ShapeFolder folder(shape.shape);
  const double idle = StatusMb("VmRSS:");
  ResetPeakMemory();
  for (auto _ : state) {
    StartedProgram program(shape.startable);
    benchmark::DoNotOptimize(program.P().Unit1.TotalQuestions);
  }
  ReportMemory(state, idle);
}

// Start and the first question painted; Stop is left out of the timing.
void FirstDisplay(benchmark::State& state, ShapeInfo shape) {
  ShapeFolder folder(shape.shape);
  StartedProgram program(shape.startable);
  tovrek::TForm1& f = *program.P().Form1;
  const double idle = StatusMb("VmRSS:");
  ResetPeakMemory();
  for (auto _ : state) {
    f.BtnStartStop->Click();
    f.Repaint();
    state.PauseTiming();
    if (program.P().Unit1.Run.Counter != 1 || f.MemoQuestion->LineCount() == 0) state.SkipWithError("no question shown");
    f.BtnStartStop->Click();
    state.ResumeTiming();
  }
  ReportMemory(state, idle);
}

const bool kRegistered = [] {
  for (const ShapeInfo& s : kShapes) {
    const std::string name = s.name;
    const bool big = s.shape == Shape::HundredMb || s.shape == Shape::NoLineEnds;
    const int iterations = big ? 3 : 10;
    benchmark::RegisterBenchmark(("BM_AnchorReadInBlocks/" + name).c_str(), AnchorReadInBlocks, s)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(iterations);
    benchmark::RegisterBenchmark(("BM_StartUp/" + name).c_str(), StartUp, s)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(iterations);
    if (s.startable)
      benchmark::RegisterBenchmark(("BM_FirstDisplay/" + name).c_str(), FirstDisplay, s)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(iterations);
  }
  return true;
}();

}  // namespace
