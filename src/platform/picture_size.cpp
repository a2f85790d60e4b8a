#include "platform/picture_size.h"

namespace plat {

namespace {
uint32_t Le(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
}  // namespace

std::optional<PictureSize> BitmapSize(const uint8_t* head, size_t size) {
  if (size < kBitmapHeadBytes || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  const uint32_t infoSize = Le(head + 14, 4);
  int64_t width = 0, height = 0;
  if (infoSize == 12) {
    // The old OS/2 header: 16-bit sizes.
    width = Le(head + 18, 2);
    height = Le(head + 20, 2);
  } else if (infoSize >= 16 && infoSize <= 124) {
    width = static_cast<int32_t>(Le(head + 18, 4));
    height = static_cast<int32_t>(Le(head + 22, 4));
    if (height < 0) height = -height;  // rows stored top-down
  } else {
    return std::nullopt;
  }
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace plat
