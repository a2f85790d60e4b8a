// The program keeps 8-bit strings; the screen wants UTF-8.
#pragma once

#include <string>

namespace plat {

bool IsValidUtf8(const std::string& bytes);

// UTF-8 for showing: the bytes themselves when they are valid UTF-8, else
// read as Windows-1252 (its five unused bytes become the C1 controls
// U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows maps them).
std::string DisplayText(const std::string& bytes);

// What the user typed, as the program stores it: UTF-8, with each invalid
// sequence replaced by U+FFFD.
std::string TypedText(const std::string& utf8);

// Changes only 'a' to 'z', as the program's comparisons expect.
std::string UpperCase(const std::string& text);

// The program's one collation: both sides upper-cased ('a' to 'z' only),
// then compared byte by byte as unsigned; <0, 0 or >0 like strcmp. Folder
// listings and sorted lists both order by it, so they agree on names such
// as "a_b" and "ab" ('_' sorts after the capitals).
int CompareText(const std::string& a, const std::string& b);

std::string IntToStr(long long value);

}  // namespace plat
