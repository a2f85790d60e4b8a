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
// setjmp, so nothing is left indeterminate after a longjmp.
struct DecodeContext {
  jpeg_decompress_struct info;
  ErrorManager err;
  RgbImage image;
  std::vector<uint8_t> row;
};

uint8_t Scale(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

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
  ctx->info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
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
  ctx->image.width = static_cast<int>(width);
  ctx->image.height = static_cast<int>(height);
  ctx->image.pixels.resize(static_cast<size_t>(width) * height * 3);
  ctx->row.resize(static_cast<size_t>(width) * components);

  while (ctx->info.output_scanline < height) {
    const size_t y = ctx->info.output_scanline;
    JSAMPROW rowPointer = ctx->row.data();
    jpeg_read_scanlines(&ctx->info, &rowPointer, 1);
    uint8_t* out = ctx->image.pixels.data() + y * width * 3;
    const uint8_t* in = ctx->row.data();
    for (unsigned x = 0; x < width; ++x, out += 3, in += components) {
      if (gray) {
        out[0] = out[1] = out[2] = in[0];
      } else if (cmyk) {
        unsigned c = in[0], m = in[1], yel = in[2], k = in[3];
        if (!inverted) {
          c = 255 - c, m = 255 - m, yel = 255 - yel, k = 255 - k;
        }
        // Here each value is 255 minus the ink.
        out[0] = Scale(c, k);
        out[1] = Scale(m, k);
        out[2] = Scale(yel, k);
      } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
    }
  }
  jpeg_finish_decompress(&ctx->info);
  jpeg_destroy_decompress(&ctx->info);
  return true;
}

RgbImage DecodeNamed(const uint8_t* data, size_t size, const std::string& name) {
  auto ctx = std::make_unique<DecodeContext>();
  if (!Decode(ctx.get(), data, size))
    throw PictureError("Cannot decode the picture " + name + ": " + ctx->err.message);
  return std::move(ctx->image);
}

}  // namespace

RgbImage DecodeJpegFile(const std::string& path) {
  // A regular file only: a pipe named like a picture would block the open,
  // a link to a device would be read for ever.
  std::string bytes;
  bool opened = false;
  if (!ReadWholeFile(path, bytes, &opened))
    throw PictureError((opened ? "Cannot read the picture " : "Cannot open the picture ") + path);
  return DecodeNamed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path);
}

RgbImage DecodeJpegBytes(const uint8_t* data, size_t size) { return DecodeNamed(data, size, "(in memory)"); }

}  // namespace plat
