// The media check of a topic whose 1000 questions each name their own file
// in a media folder of 1000 files, beside a plain read of the same topic.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "knowledge/question_table.h"
#include "knowledge/topic_loader.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;

class MediaFolder {
 public:
  MediaFolder() {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tovrek-media-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    fs::current_path(folder_);
    fs::create_directories("subjects/Big");
    fs::create_directories("mediafiles");
    std::ofstream topic("subjects/Big/Own.txt", std::ios::binary);
    for (int i = 1; i <= 1000; ++i) {
      const std::string name = "Picture" + std::to_string(i) + ".JPG";
      std::ofstream(fs::path("mediafiles") / name) << "x";
      topic << "[Q" << i << "\r\n" << "picture" << i << ".jpg\r\nFONT\r\nQuestion " << i << "?\r\n";
      topic << "[A\r\nAnswer " << i << ".\r\n";
    }
    topic << "[[qend\r\n";
  }
  ~MediaFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

 private:
  fs::path previous_, folder_;
};

void BM_PlainRead(benchmark::State& state) {
  MediaFolder folder;
  plat::TextFile file;
  std::string line;
  for (auto _ : state) {
    file.Assign("subjects\\Big\\Own.txt");
    file.Reset();
    while (!file.Eof()) file.ReadLn(line);
    file.Close();
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);

void BM_LoadWithOwnMediaEach(benchmark::State& state) {
  MediaFolder folder;
  plat::TextFile file;
  knowledge::QuestionTable table;
  for (auto _ : state) {
    const knowledge::LoadResult r = knowledge::LoadTopic(file, "subjects\\Big\\Own.txt", {}, table);
    if (r.MediaFilesOk != 1) state.SkipWithError("a media file was not found");
  }
}
BENCHMARK(BM_LoadWithOwnMediaEach)->Unit(benchmark::kMicrosecond);

}  // namespace
