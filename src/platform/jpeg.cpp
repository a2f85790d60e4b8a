#include "platform/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>  // after jpeglib.h, which it needs

#include "platform/files.h"

namespace plat {

namespace {

constexpr uint64_t kMaxPixels = 200'000'000;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings stay quiet, except that a file cut short is an error: libjpeg
// would otherwise fill the missing rows with grey.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

// Everything the decoder touches lives here, outside the frame that calls
// setjmp, so nothing is left indeterminate after a longjmp. With a target
// the pixels go there as 32-bit words, else into image as RGB bytes.
struct DecodeContext {
  jpeg_decompress_struct info;
  ErrorManager err;
  RgbImage image;
  Rgb32Target* target = nullptr;
  std::vector<uint8_t> row;
};

uint8_t Scale(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// libjpeg-turbo writes 0xFFRRGGBB words itself; the alpha form, since the
// padding byte of its X forms is left undefined.
constexpr J_COLOR_SPACE kNative32 =
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    JCS_EXT_ARGB;
#else
    JCS_EXT_BGRA;
#endif

uint32_t Word(unsigned r, unsigned g, unsigned b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }

bool Decode(DecodeContext* ctx, const uint8_t* data, size_t size) {
  ctx->info.err = jpeg_std_error(&ctx->err.base);
  ctx->err.base.error_exit = OnError;
  ctx->err.base.emit_message = OnMessage;
  ctx->err.message[0] = '\0';
  if (setjmp(ctx->err.jump)) {
    jpeg_destroy_decompress(&ctx->info);
    return false;
  }
  jpeg_create_decompress(&ctx->info);
  jpeg_mem_src(&ctx->info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&ctx->info, TRUE);

  const J_COLOR_SPACE stored = ctx->info.jpeg_color_space;
  const bool cmyk = stored == JCS_CMYK || stored == JCS_YCCK;
  const bool gray = stored == JCS_GRAYSCALE;
  // Colour pictures for the screen are decoded straight into its rows.
  const bool direct = ctx->target != nullptr && !cmyk && !gray;
  ctx->info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : direct ? kNative32 : JCS_RGB;
  jpeg_start_decompress(&ctx->info);

  const unsigned width = ctx->info.output_width;
  const unsigned height = ctx->info.output_height;
  const unsigned components = static_cast<unsigned>(ctx->info.output_components);
  // Adobe's CMYK pictures store the inks inverted.
  const bool inverted = ctx->info.saw_Adobe_marker;
  // A damaged header can claim a huge picture; no real one comes near this.
  if (static_cast<uint64_t>(width) * height > kMaxPixels) {
    std::snprintf(ctx->err.message, sizeof ctx->err.message, "picture too large (%ux%u)", width, height);
    jpeg_destroy_decompress(&ctx->info);
    return false;
  }
  uint8_t* rows = nullptr;
  size_t stride = 0;
  if (ctx->target != nullptr) {
    rows = reinterpret_cast<uint8_t*>(ctx->target->Allocate(static_cast<int>(width), static_cast<int>(height), stride));
    if (rows == nullptr) {
      std::snprintf(ctx->err.message, sizeof ctx->err.message, "no memory for a %ux%u picture", width, height);
      jpeg_destroy_decompress(&ctx->info);
      return false;
    }
  } else {
    ctx->image.width = static_cast<int>(width);
    ctx->image.height = static_cast<int>(height);
    ctx->image.pixels.resize(static_cast<size_t>(width) * height * 3);
    rows = ctx->image.pixels.data();
    stride = static_cast<size_t>(width) * 3;
  }
  if (!direct) ctx->row.resize(static_cast<size_t>(width) * components);

  while (ctx->info.output_scanline < height) {
    uint8_t* out = rows + ctx->info.output_scanline * stride;
    JSAMPROW rowPointer = direct ? out : ctx->row.data();
    jpeg_read_scanlines(&ctx->info, &rowPointer, 1);
    if (direct) continue;
    const uint8_t* in = ctx->row.data();
    auto* out32 = reinterpret_cast<uint32_t*>(out);
    for (unsigned x = 0; x < width; ++x, in += components) {
      unsigned r, g, b;
      if (gray) {
        r = g = b = in[0];
      } else if (cmyk) {
        unsigned c = in[0], m = in[1], yel = in[2], k = in[3];
        if (!inverted) {
          c = 255 - c, m = 255 - m, yel = 255 - yel, k = 255 - k;
        }
        // Here each value is 255 minus the ink.
        r = Scale(c, k);
        g = Scale(m, k);
        b = Scale(yel, k);
      } else {
        r = in[0], g = in[1], b = in[2];
      }
      if (ctx->target != nullptr) {
        out32[x] = Word(r, g, b);
      } else {
        out[3 * x] = static_cast<uint8_t>(r);
        out[3 * x + 1] = static_cast<uint8_t>(g);
        out[3 * x + 2] = static_cast<uint8_t>(b);
      }
    }
  }
  jpeg_finish_decompress(&ctx->info);
  jpeg_destroy_decompress(&ctx->info);
  return true;
}

void DecodeNamed(DecodeContext* ctx, const uint8_t* data, size_t size, const std::string& name) {
  if (!Decode(ctx, data, size))
    throw PictureError("Cannot decode the picture " + name + ": " + ctx->err.message);
}

RgbImage DecodeNamed(const uint8_t* data, size_t size, const std::string& name) {
  auto ctx = std::make_unique<DecodeContext>();
  DecodeNamed(ctx.get(), data, size, name);
  return std::move(ctx->image);
}

void DecodeNamed(const uint8_t* data, size_t size, const std::string& name, Rgb32Target& target) {
  auto ctx = std::make_unique<DecodeContext>();
  ctx->target = &target;
  DecodeNamed(ctx.get(), data, size, name);
}

// A regular file only: a pipe named like a picture would block the open,
// a link to a device would be read for ever.
std::string ReadPictureFile(const std::string& path) {
  std::string bytes;
  bool opened = false;
  if (!ReadWholeFile(path, bytes, &opened))
    throw PictureError((opened ? "Cannot read the picture " : "Cannot open the picture ") + path);
  return bytes;
}

}  // namespace

RgbImage DecodeJpegFile(const std::string& path) {
  const std::string bytes = ReadPictureFile(path);
  return DecodeNamed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path);
}

RgbImage DecodeJpegBytes(const uint8_t* data, size_t size) { return DecodeNamed(data, size, "(in memory)"); }

void DecodeJpegFile(const std::string& path, Rgb32Target& target) {
  const std::string bytes = ReadPictureFile(path);
  DecodeNamed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path, target);
}

void DecodeJpegBytes(const uint8_t* data, size_t size, Rgb32Target& target) {
  DecodeNamed(data, size, "(in memory)", target);
}

}  // namespace plat
