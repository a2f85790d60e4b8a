#include "knowledge/windows_version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct VersionCase {
    const char* ntName;
    const char* win9xName;
    bool ntFamily;
    bool windows98;
    bool asks9x;
};

TEST(CheckVersionNames, ProductNameTable) {
    const VersionCase cases[] = {
        // Whole-name matches: any case, nothing behind.
        {"Microsoft Windows XP", "", true, false, false},
        {"microsoft WINDOWS xp", "", true, false, false},
        {"Microsoft Windows XP Professional", "", false, false, false},
        {"Microsoft Windows 2000", "", true, false, false},
        {"Microsoft Windows Server 2000", "", true, false, false},
        {"Microsoft Windows Server 2003", "", true, false, false},
        {"Microsoft Windows Server 2003 R2", "", false, false, false},
        // Prefix matches: an edition may follow.
        {"Windows Vista (TM) Ultimate", "", true, false, false},
        {"Windows Vista", "", true, false, false},
        {"Windows 7 Professional", "", true, false, false},
        {"windows 7", "", true, false, false},
        {"Windows 8 Pro", "", true, false, false},
        {"Windows 8.1 Pro", "", true, false, false},
        {"Windows 10 Enterprise", "", true, false, false},
        {"Windows 11 Pro", "", false, false, false},
        {"Windows Server 2008 R2 Enterprise", "", false, false, false},
        {"Windows", "", false, false, false},
        {" Windows 7", "", false, false, false},
        // An unsupported NT name never leads to the 9x name.
        {"Windows Server 2008 R2", "Microsoft Windows 98", false, false, false},
        {"Microsoft Windows XP", "Microsoft Windows 98", true, false, false},
        // No NT name: the 9x name decides, whole and in any case.
        {"", "Microsoft Windows 98", false, true, true},
        {"", "MICROSOFT windows 98", false, true, true},
        {"", "Microsoft Windows 98 SE", false, false, true},
        {"", "Microsoft Windows ME", false, false, true},
        {"", "Microsoft Windows 95", false, false, true},
        {"", "", false, false, true},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(std::string("NT \"") + c.ntName + "\", 9x \"" + c.win9xName + "\"");
        int reads = 0;
        const knowledge::VersionVerdict verdict = knowledge::CheckVersionNames(c.ntName, [&] {
            ++reads;
            return std::string(c.win9xName);
        });
        EXPECT_EQ(verdict.WindowsNTFamily, c.ntFamily);
        EXPECT_EQ(verdict.Windows98, c.windows98);
        EXPECT_EQ(reads, c.asks9x ? 1 : 0);
    }
}

}  // namespace
