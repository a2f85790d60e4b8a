// How long the learner waits for a 1000-question topic: the counting scan,
// and the whole start-up up to the first activation's Refresh.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "knowledge/topic_scan.h"
#include "main/program.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "toolkit/application.h"
#include "toolkit/testing.h"

namespace {

namespace fs = std::filesystem;

// A working folder with one subject holding a 1000-question topic.
class BigTopicFolder {
 public:
  BigTopicFolder() {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tovrek-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    fs::current_path(folder_);
    fs::create_directories("subjects/Big");
    std::ofstream out("subjects/Big/Thousand.txt", std::ios::binary);
    for (int i = 1; i <= 1000; ++i) {
      out << "[Q" << i << "\r\nMEDIA\r\nFONT\r\nWhat is question number " << i << "?\r\nSecond line\r\n";
      out << "[A\r\nIt is number " << i << ".\r\n";
    }
    out << "[[qend\r\n";
    fs::copy_file(fs::path(TOVREK_SOURCE_DIR) / "demo/default.jpg", "default.jpg");
  }
  ~BigTopicFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

 private:
  fs::path previous_, folder_;
};

// The anchor for the scan: a plain line-by-line read of the same file.
void BM_AnchorPlainReadThousand(benchmark::State& state) {
  BigTopicFolder folder;
  std::string line;
  for (auto _ : state) {
    std::ifstream in("subjects/Big/Thousand.txt", std::ios::binary);
    size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_AnchorPlainReadThousand)->Unit(benchmark::kMillisecond);

void BM_ScanThousandQuestionTopic(benchmark::State& state) {
  BigTopicFolder folder;
  plat::TextFile file;
  knowledge::ScanResults results;
  for (auto _ : state) {
    knowledge::ScanTopicFile(file, "Subjects\\Big\\Thousand.txt", results);
    benchmark::DoNotOptimize(results.NumberOfQuestions);
  }
}
BENCHMARK(BM_ScanThousandQuestionTopic)->Unit(benchmark::kMillisecond);

// Creation and the first activation (the splash pauses pass on a manual clock).
void BM_StartWithThousandQuestionTopic(benchmark::State& state) {
  BigTopicFolder folder;
  plat::ManualClock clock;
  for (auto _ : state) {
    tk::Application app;
    tk::testing::UseManualClock(app, clock);
    tovrek::Program program(app);
    tovrek::CreateWindows(program);
    app.ShowMainForm();
    benchmark::DoNotOptimize(program.Unit1.TotalQuestions);
    tk::testing::ReleaseClock();
  }
}
BENCHMARK(BM_StartWithThousandQuestionTopic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::InitToolkit(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
