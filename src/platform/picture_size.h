// How large a picture may be. A picture file is only a few bytes of header
// away from claiming any size, so every decoder checks these bounds before
// it allocates a pixel, and pictures are decoded no larger than the area
// they are shown in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace plat {

struct PictureSize {
  int width = 0, height = 0;
  bool operator==(const PictureSize&) const = default;
};

// A picture's own size, from its header: more is no photograph but a trap
// (10,000 x 10,000 is the most a square picture may be).
inline constexpr uint64_t kMaxPicturePixels = 100'000'000;
// The decoded pixels of one picture, at whatever scale it is decoded.
inline constexpr size_t kMaxPictureBytes = size_t{64} << 20;
// A bitmap is decoded whole, 4 bytes a pixel: about 16.7 million pixels.
inline constexpr uint64_t kMaxBitmapPixels = kMaxPictureBytes / 4;
// libjpeg's own memory for one picture. A progressive JPEG keeps all its
// coefficients while it is read, 2 bytes for every sample whatever the
// scale (about 3 bytes a pixel as cameras subsample colour, 6 without).
inline constexpr size_t kMaxJpegDecoderBytes = size_t{200} << 20;
// Every scan of a progressive JPEG passes over the whole picture; real
// ones have about ten.
inline constexpr int kMaxJpegScans = 100;

// The size a Windows bitmap's first bytes declare (at least
// kBitmapHeadBytes of them), without decoding it; nullopt when they are not
// those of a bitmap.
inline constexpr size_t kBitmapHeadBytes = 26;
std::optional<PictureSize> BitmapSize(const uint8_t* head, size_t size);

}  // namespace plat
