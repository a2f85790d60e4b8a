// The customisation window opened as a learner opens it, over a program
// started in the local variant with one valid topic.
#pragma once

#include <filesystem>
#include <functional>

#include "appearance/Tovrek_Unit11.h"
#include "appearance/Tovrek_Unit15.h"
#include "appearance/Tovrek_Unit7.h"
#include "knowledge/settings_file.h"
#include "support/program_fixture.h"
#include "toolkit/open_dialog.h"

namespace tovrek_test {

class AppearanceTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
    WriteTopic("Maths", "Sums", SimpleTopic(3));
  }
  void TearDown() override {
    EXPECT_EQ(tk::testing::PendingOpenDialogAnswers(), 0u) << "a file dialog answer was left unused";
    tk::testing::ClearOpenDialogAnswers();
    ProgramTest::TearDown();
  }

  tovrek::TForm7& F7() { return *P().Form7; }

  // Opens "C&ustomise" and runs act while the window is up; act must leave
  // it closed (Close, Esc, or a successful Apply).
  void Customise(std::function<void(tovrek::TForm7&)> act) {
    Answer("Form7", [act](tk::Form& f) { act(static_cast<tovrek::TForm7&>(f)); });
    tk::testing::UserClick(*F1().BtnSetup);
  }
  static void Pick(tk::DropDownList& list, const std::string& item) {
    const int index = list.IndexOf(item);
    ASSERT_GE(index, 0) << list.Name() << " has no " << item;
    tk::testing::UserPick(list, index);
  }
  // A picture outside the pictures folder, copied from the default one.
  static std::string PictureAt(const std::string& path) {
    const std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::filesystem::copy_file("default.jpg", p, std::filesystem::copy_options::overwrite_existing);
    return std::filesystem::absolute(p).string();
  }
  static std::string Config() { return ReadBytes("setup/config.ini"); }
};

}  // namespace tovrek_test
