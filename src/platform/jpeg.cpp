#include "platform/jpeg.h"

#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>  // after jpeglib.h, which it needs

#include "platform/files.h"

namespace plat {

namespace {

std::atomic<uint64_t> g_fileDecodes{0};

constexpr size_t kBlockBytes = size_t{64} << 10;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool tooLarge;
};

// Ends the decode with our own reason; libjpeg's state is dropped with it.
[[noreturn]] void Refuse(j_common_ptr info, bool tooLarge, const char* reason) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  std::snprintf(err->message, sizeof err->message, "%s", reason);
  err->tooLarge = tooLarge;
  std::longjmp(err->jump, 1);
}

[[noreturn]] void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  const int code = info->err->msg_code;
  // libjpeg runs out of the memory it may use only for a progressive
  // picture too large to hold.
  if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE || code == JERR_TFILE_CREATE)
    Refuse(info, true, "picture too large to decode in the memory allowed");
  (*info->err->format_message)(info, err->message);
  err->tooLarge = false;
  std::longjmp(err->jump, 1);
}

// Warnings stay quiet, except that a file cut short is an error: libjpeg
// would otherwise fill the missing rows with grey.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

// Called between the rows of every scan: a file of a few bytes a scan could
// otherwise make the decoder pass over the whole picture thousands of times.
void OnProgress(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans)
    Refuse(info, false, "too many scans");
}

// libjpeg's input from a ByteSource, a block at a time.
struct BlockSource {
  jpeg_source_mgr base;
  ByteSource* in;
  bool startOfFile;
  bool readFailed;
  JOCTET buffer[kBlockBytes];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
  auto* src = reinterpret_cast<BlockSource*>(info->src);
  long n = src->in->Read(src->buffer, sizeof src->buffer);
  if (n < 0) {
    src->readFailed = true;
    ERREXIT(info, JERR_FILE_READ);
  }
  if (n == 0) {
    if (src->startOfFile) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);  // an error, see OnMessage
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    n = 2;
  }
  src->base.next_input_byte = src->buffer;
  src->base.bytes_in_buffer = static_cast<size_t>(n);
  src->startOfFile = false;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  auto* src = reinterpret_cast<BlockSource*>(info->src);
  if (count <= 0) return;
  while (count > static_cast<long>(src->base.bytes_in_buffer)) {
    count -= static_cast<long>(src->base.bytes_in_buffer);
    FillInput(info);
  }
  src->base.next_input_byte += count;
  src->base.bytes_in_buffer -= static_cast<size_t>(count);
}

// Everything the decoder touches lives here, outside the frame that calls
// setjmp, so nothing is left indeterminate after a longjmp. With a target
// the pixels go there as 32-bit words, when checking nowhere, else into
// image as RGB bytes.
struct DecodeContext {
  jpeg_decompress_struct info;
  ErrorManager err;
  jpeg_progress_mgr progress;
  BlockSource src;
  RgbImage image;
  Rgb32Target* target = nullptr;
  bool checkOnly = false;
  PictureSize cover;
  PictureSize own;
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

// The smallest scale n/8 whose output covers `cover`; 8/8 when none does.
void ChooseScale(j_decompress_ptr info, PictureSize cover) {
  info->scale_denom = 8;
  info->scale_num = 8;
  if (cover.width > 0 && cover.height > 0) {
    for (unsigned n = 1; n < 8; ++n) {
      info->scale_num = n;
      jpeg_calc_output_dimensions(info);
      if (info->output_width >= static_cast<unsigned>(cover.width) &&
          info->output_height >= static_cast<unsigned>(cover.height))
        return;
    }
    info->scale_num = 8;
  }
  jpeg_calc_output_dimensions(info);
}

// The input is `in` when given, else the bytes.
bool Decode(DecodeContext* ctx, const uint8_t* data, size_t size, ByteSource* in) {
  ctx->info.err = jpeg_std_error(&ctx->err.base);
  ctx->err.base.error_exit = OnError;
  ctx->err.base.emit_message = OnMessage;
  ctx->err.message[0] = '\0';
  ctx->err.tooLarge = false;
  if (setjmp(ctx->err.jump)) {
    jpeg_destroy_decompress(&ctx->info);
    return false;
  }
  jpeg_create_decompress(&ctx->info);
  ctx->info.mem->max_memory_to_use = static_cast<long>(kMaxJpegDecoderBytes);
  ctx->progress.progress_monitor = OnProgress;
  ctx->info.progress = &ctx->progress;
  if (in != nullptr) {
    ctx->src.base.init_source = InitSource;
    ctx->src.base.fill_input_buffer = FillInput;
    ctx->src.base.skip_input_data = SkipInput;
    ctx->src.base.resync_to_restart = jpeg_resync_to_restart;
    ctx->src.base.term_source = TermSource;
    ctx->src.base.next_input_byte = nullptr;
    ctx->src.base.bytes_in_buffer = 0;
    ctx->src.in = in;
    ctx->src.startOfFile = true;
    ctx->src.readFailed = false;
    ctx->info.src = &ctx->src.base;
  } else {
    jpeg_mem_src(&ctx->info, data, static_cast<unsigned long>(size));
  }
  jpeg_read_header(&ctx->info, TRUE);

  // A header can claim any size: a trap of a few bytes must cost nothing.
  if (static_cast<uint64_t>(ctx->info.image_width) * ctx->info.image_height > kMaxPicturePixels)
    Refuse(reinterpret_cast<j_common_ptr>(&ctx->info), true, "picture too large");
  ctx->own = {static_cast<int>(ctx->info.image_width), static_cast<int>(ctx->info.image_height)};

  const J_COLOR_SPACE stored = ctx->info.jpeg_color_space;
  const bool cmyk = stored == JCS_CMYK || stored == JCS_YCCK;
  const bool gray = stored == JCS_GRAYSCALE;
  // Colour pictures for the screen are decoded straight into its rows.
  const bool direct = ctx->target != nullptr && !cmyk && !gray;
  ctx->info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : direct ? kNative32 : JCS_RGB;
  ChooseScale(&ctx->info, ctx->checkOnly ? PictureSize{1, 1} : ctx->cover);

  const unsigned width = ctx->info.output_width;
  const unsigned height = ctx->info.output_height;
  const uint64_t bytesPerPixel = ctx->checkOnly ? 0 : ctx->target != nullptr ? 4 : 3;
  if (uint64_t{width} * height * bytesPerPixel > kMaxPictureBytes)
    Refuse(reinterpret_cast<j_common_ptr>(&ctx->info), true, "picture too large");
  jpeg_start_decompress(&ctx->info);

  const unsigned components = static_cast<unsigned>(ctx->info.output_components);
  // Adobe's CMYK pictures store the inks inverted.
  const bool inverted = ctx->info.saw_Adobe_marker;
  uint8_t* rows = nullptr;
  size_t stride = 0;
  if (ctx->checkOnly) {
    // One row, written over and over.
  } else if (ctx->target != nullptr) {
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
  const bool intoRows = direct && !ctx->checkOnly;
  if (!intoRows) ctx->row.resize(static_cast<size_t>(width) * components);

  while (ctx->info.output_scanline < height) {
    uint8_t* out = ctx->checkOnly ? nullptr : rows + ctx->info.output_scanline * stride;
    JSAMPROW rowPointer = intoRows ? out : ctx->row.data();
    jpeg_read_scanlines(&ctx->info, &rowPointer, 1);
    if (intoRows || ctx->checkOnly) continue;
    const uint8_t* from = ctx->row.data();
    auto* out32 = reinterpret_cast<uint32_t*>(out);
    for (unsigned x = 0; x < width; ++x, from += components) {
      unsigned r, g, b;
      if (gray) {
        r = g = b = from[0];
      } else if (cmyk) {
        unsigned c = from[0], m = from[1], yel = from[2], k = from[3];
        if (!inverted) {
          c = 255 - c, m = 255 - m, yel = 255 - yel, k = 255 - k;
        }
        // Here each value is 255 minus the ink.
        r = Scale(c, k);
        g = Scale(m, k);
        b = Scale(yel, k);
      } else {
        r = from[0], g = from[1], b = from[2];
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

void DecodeNamed(DecodeContext* ctx, const uint8_t* data, size_t size, ByteSource* in, const std::string& name) {
  if (Decode(ctx, data, size, in)) return;
  if (in != nullptr && ctx->src.readFailed) throw PictureReadError("Cannot read the picture " + name);
  const std::string message = "Cannot decode the picture " + name + ": " + ctx->err.message;
  if (ctx->err.tooLarge) throw PictureTooLargeError(message);
  throw PictureError(message);
}

// A regular file only: a pipe named like a picture would block the open,
// a link to a device would be read for ever.
std::unique_ptr<FileReader> OpenPicture(const std::string& path) {
  std::unique_ptr<FileReader> file = FileReader::Open(path);
  if (!file) throw PictureError("Cannot open the picture " + path);
  ++g_fileDecodes;
  return file;
}

}  // namespace

RgbImage DecodeJpegFile(const std::string& path) {
  const std::unique_ptr<FileReader> file = OpenPicture(path);
  auto ctx = std::make_unique<DecodeContext>();
  DecodeNamed(ctx.get(), nullptr, 0, file.get(), path);
  return std::move(ctx->image);
}

RgbImage DecodeJpegBytes(const uint8_t* data, size_t size) {
  auto ctx = std::make_unique<DecodeContext>();
  DecodeNamed(ctx.get(), data, size, nullptr, "(in memory)");
  return std::move(ctx->image);
}

PictureSize DecodeJpegFile(const std::string& path, Rgb32Target& target, PictureSize cover) {
  const std::unique_ptr<FileReader> file = OpenPicture(path);
  auto ctx = std::make_unique<DecodeContext>();
  ctx->target = &target;
  ctx->cover = cover;
  DecodeNamed(ctx.get(), nullptr, 0, file.get(), path);
  return ctx->own;
}

PictureSize DecodeJpegBytes(const uint8_t* data, size_t size, Rgb32Target& target, PictureSize cover) {
  auto ctx = std::make_unique<DecodeContext>();
  ctx->target = &target;
  ctx->cover = cover;
  DecodeNamed(ctx.get(), data, size, nullptr, "(in memory)");
  return ctx->own;
}

void CheckJpeg(ByteSource& source, const std::string& name) {
  auto ctx = std::make_unique<DecodeContext>();
  ctx->checkOnly = true;
  DecodeNamed(ctx.get(), nullptr, 0, &source, name);
}

uint64_t JpegFileDecodesForTests() { return g_fileDecodes.load(); }

}  // namespace plat
