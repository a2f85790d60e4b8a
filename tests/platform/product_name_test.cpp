#include "platform/product_name.h"

#include <gtest/gtest.h>

#include "platform/text8.h"

namespace {

const char* const kNtKey = "\\software\\microsoft\\windows nt\\currentversion";
const char* const kWin9xKey = "\\software\\microsoft\\windows\\currentversion";

TEST(ProductNameTest, LinuxPassesAsWindows10) {
  plat::ResetProductNameForTests();
  EXPECT_EQ(plat::UpperCase(plat::ReadProductName(kNtKey).substr(0, 10)), "WINDOWS 10");
  EXPECT_EQ(plat::ReadProductName("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"), plat::ReadProductName(kNtKey));
  EXPECT_EQ(plat::ReadProductName(kWin9xKey), "");
  EXPECT_EQ(plat::ReadProductName("\\software\\other"), "");
}

TEST(ProductNameTest, TestsSubstituteNames) {
  plat::SetProductNameForTests(std::nullopt, "Microsoft Windows 98");
  EXPECT_EQ(plat::ReadProductName(kNtKey), "");
  EXPECT_EQ(plat::ReadProductName(kWin9xKey), "Microsoft Windows 98");
  plat::SetProductNameForTests("Windows Server 2008 R2", std::nullopt);
  EXPECT_EQ(plat::ReadProductName(kNtKey), "Windows Server 2008 R2");
  EXPECT_EQ(plat::ReadProductName(kWin9xKey), "");
  plat::ResetProductNameForTests();
  EXPECT_EQ(plat::ReadProductName(kNtKey), "Windows 10 (Linux)");
}

}  // namespace
