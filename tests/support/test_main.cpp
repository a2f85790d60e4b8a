// Every test program starts the toolkit headless, once.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  tk::InitToolkit(argc, argv);
  return RUN_ALL_TESTS();
}
