// Each toolkit test gets its own application on a manual clock, and builds
// its forms from layout text, as the program's windows are built.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/layout.h"
#include "toolkit/testing.h"
#include "toolkit/timer.h"

namespace tk_test {

using Handlers = std::map<std::string, tk::Handler>;

// A form whose design comes from a layout text (empty: a bare form).
class TestForm : public tk::Form {
 public:
  TestForm(tk::Application& app, const std::string& name, const std::string& layout = "",
           const Handlers& handlers = {})
      : tk::Form(app, name) {
    if (!layout.empty()) LoadLayoutText(layout, handlers, name + ".layout");
  }

  template <class T>
  T* Get(const std::string& name) const {
    T* p = nullptr;
    Bind(p, name);
    return p;
  }
};

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { tk::testing::UseManualClock(app, clock); }
  void TearDown() override {
    // Posted work left over must not outlive the forms it points at.
    app.ProcessMessages();
    tk::testing::ReleaseClock();
  }

  TestForm* MakeForm(const std::string& name, const std::string& layout = "", const Handlers& handlers = {}) {
    return app.CreateForm<TestForm>(app, name, layout, handlers);
  }
  // The main form, shown and active.
  TestForm* ShowMain(const std::string& layout = "", const Handlers& handlers = {}, const std::string& name = "Main") {
    TestForm* f = MakeForm(name, layout, handlers);
    app.ShowMainForm();
    return f;
  }

  // Counts calls, and remembers the order of named events.
  static tk::NotifyEvent Log(std::vector<std::string>& log, const std::string& what) {
    return [&log, what] { log.push_back(what); };
  }

  plat::ManualClock clock;
  tk::Application app;
};

// RGB channels close enough for anti-aliased or dithered pixels.
inline bool NearRgb(uint32_t a, uint32_t b, int tolerance = 8) {
  for (int shift : {0, 8, 16}) {
    const int x = static_cast<int>((a >> shift) & 0xFF), y = static_cast<int>((b >> shift) & 0xFF);
    if (x - y > tolerance || y - x > tolerance) return false;
  }
  return true;
}

}  // namespace tk_test
