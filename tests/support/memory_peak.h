// How far the test program's resident memory rises during a step, its
// peak included: Linux keeps the peak, and writing "5" to
// /proc/self/clear_refs sets it back to the present size.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace tovrek_test {

#if defined(__SANITIZE_ADDRESS__)
#define TOVREK_TEST_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVREK_TEST_ADDRESS_SANITIZER 1
#endif
#endif

class MemoryPeak {
 public:
  // Starts measuring.
  MemoryPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    measurable_ = clear.good();
    start_ = StatusKb("VmRSS:");
    if (start_ <= 0) measurable_ = false;
  }

  // Fails the test when the peak since the start rose more than `mb`
  // megabytes above the resident size at the start. Not checked under
  // AddressSanitizer, whose shadow memory and quarantine of freed blocks
  // keep memory resident the program has let go of, nor where the kernel
  // keeps no resettable peak; the test says so in its output.
  void ExpectRiseBelow(double mb, const std::string& what) const {
#ifdef TOVREK_TEST_ADDRESS_SANITIZER
    (void)mb;
    ::testing::Test::RecordProperty("memory_not_checked", what + ": not measured under AddressSanitizer");
#else
    if (!measurable_) {
      ::testing::Test::RecordProperty("memory_not_checked", what + ": no resettable peak here");
      return;
    }
    const double rise = static_cast<double>(StatusKb("VmHWM:") - start_) / 1024.0;
    EXPECT_LT(rise, mb) << what << ": the resident memory rose " << rise << " MB";
#endif
  }

 private:
  static long StatusKb(const char* key) {
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

  bool measurable_ = false;
  long start_ = 0;
};

}  // namespace tovrek_test
