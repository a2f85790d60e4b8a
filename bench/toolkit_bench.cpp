// The toolkit's own share of a paint: labels plain and with an accelerator,
// a font set up for a family that is not installed, a JPEG loaded and a
// picture painted; each beside a bare window painted in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/testing.h"

namespace {

// A shown window the size of the main window, on a manual clock.
class Window {
 public:
  Window() {
    tk::testing::UseManualClock(app_, clock_);
    form_ = std::make_unique<tk::Form>(app_, "Bench");
    form_->SetClientSize(727, 560);
  }
  ~Window() {
    form_.reset();
    tk::testing::ReleaseClock();
  }
  tk::Form& F() { return *form_; }

 private:
  plat::ManualClock clock_{1000};
  tk::Application app_;
  std::unique_ptr<tk::Form> form_;
};

void BM_AnchorBarePaint(benchmark::State& state) {
  Window w;
  w.F().Show();
  for (auto _ : state) w.F().Repaint();
}
BENCHMARK(BM_AnchorBarePaint)->Unit(benchmark::kMicrosecond);

// Twenty labels in the main window's font; the argument puts an
// accelerator in each caption, which needs rich text.
void BM_LabelsPaint(benchmark::State& state) {
  Window w;
  tk::Font font;
  font.Name = "Tahoma";
  font.Height = 13;
  for (int i = 0; i < 20; ++i) {
    auto* label = w.F().Create<tk::Label>(nullptr, "Label" + std::to_string(i));
    label->SetFont(font);
    label->SetBounds(10 + (i % 2) * 300, 10 + (i / 2) * 24, 280, 20);
    label->SetCaption(std::string(state.range(0) != 0 ? "&" : "") + "Question number " + std::to_string(i));
  }
  w.F().Show();
  for (auto _ : state) w.F().Repaint();
}
BENCHMARK(BM_LabelsPaint)->Arg(0)->Arg(1)->ArgName("accelerator")->Unit(benchmark::kMicrosecond);

// A label's font changed between two heights of a family that is not
// installed, as the question display does between format codes.
void BM_FontSetUp(benchmark::State& state) {
  Window w;
  auto* label = w.F().Create<tk::Label>(nullptr, "Label");
  label->SetCaption("Question");
  tk::Font font;
  font.Name = "MS Sans Serif";
  int i = 0;
  for (auto _ : state) {
    font.Height = 13 + (i++ & 1) * 6;
    label->SetFont(font);
  }
}
BENCHMARK(BM_FontSetUp)->Unit(benchmark::kMicrosecond);

const std::string& DemoPicture() {
  static const std::string path = (std::filesystem::path(TOVREK_SOURCE_DIR) / "demo/default.jpg").string();
  return path;
}

void BM_ImageLoadJpeg(benchmark::State& state) {
  Window w;
  auto* image = w.F().Create<tk::Image>(nullptr, "Image");
  for (auto _ : state) image->LoadFromFile(DemoPicture());
}
BENCHMARK(BM_ImageLoadJpeg)->Unit(benchmark::kMicrosecond);

// The main window's picture, 440 x 260 in an area of its size.
void BM_ImagePaint(benchmark::State& state) {
  Window w;
  auto* image = w.F().Create<tk::Image>(nullptr, "Image");
  image->SetBounds(15, 12, 440, 260);
  image->SetCenter(true);
  image->SetProportional(true);
  image->LoadFromFile(DemoPicture());
  w.F().Show();
  for (auto _ : state) w.F().Repaint();
}
BENCHMARK(BM_ImagePaint)->Unit(benchmark::kMicrosecond);

}  // namespace
