#include "platform/text8.h"

#include <cstdint>

namespace plat {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0. *consumed tells how
// many bytes form the longest invalid prefix (at least 1) when it is 0.
size_t Utf8SequenceAt(const std::string& text, size_t i, size_t* consumed) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  *consumed = 1;
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;        // overlong
    else if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;        // overlong
    else if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  for (size_t k = 1; k < length; ++k) {
    if (i + k >= text.size()) return 0;
    const unsigned char b = byte(i + k);
    const bool ok = k == 1 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
    if (!ok) return 0;
    *consumed = k + 1;
  }
  return length;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 from 0x80 to 0x9F; the unused five keep their C1 values.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

bool IsValidUtf8(const std::string& bytes) {
  size_t consumed = 0;
  for (size_t i = 0; i < bytes.size();) {
    // Most text is ASCII: the memos check every line they show.
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Utf8SequenceAt(bytes, i, &consumed);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string DisplayText(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return bytes;
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80] : b);
  }
  return out;
}

std::string TypedText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t consumed = 0;
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = Utf8SequenceAt(utf8, i, &consumed);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      i += consumed;
    } else {
      out.append(utf8, i, n);
      i += n;
    }
  }
  return out;
}

std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

int CompareText(const std::string& a, const std::string& b) {
  const auto upper = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
  };
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ca = upper(a[i]), cb = upper(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string IntToStr(long long value) { return std::to_string(value); }

}  // namespace plat
