#include "platform/jpeg/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>

// libjpeg needs size_t and FILE declared first.
#include <jpeglib.h>

namespace tolva::platform {
namespace {

// libjpeg's default error handler ends the process; ours jumps back to the decoder instead.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(errors->escape, 1);
}

// Nothing is printed. A warning about corrupt data (level -1) is counted: libjpeg goes on past a
// truncated or damaged stream with made-up pixels, and the decoder refuses such a picture.
extern "C" void OnJpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}

// A header can claim any size up to 65,500 square; pictures beyond these bounds are refused
// before memory is set aside for them.
constexpr JDIMENSION kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 25;

// The picture as it comes out of libjpeg: top-down rows of red, green and blue.
struct RgbRows {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Everything between setjmp and a longjmp back to it is plain C data: a longjmp skips C++
// destructors, so the vector is only ever resized before decoding starts and written through a
// raw pointer afterwards, and no object with a destructor is created in between.
bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& errors, const std::uint8_t* data,
            std::size_t size, RgbRows& out) {
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  errors.base.emit_message = OnJpegMessage;
  if (setjmp(errors.escape) != 0) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_RGB;  // a greyscale picture is expanded to three channels
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3 || cinfo.output_width > kMaxSide ||
      cinfo.output_height > kMaxSide ||
      std::uint64_t{cinfo.output_width} * cinfo.output_height > kMaxPixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.rgb.resize(static_cast<std::size_t>(cinfo.output_width) * 3 * cinfo.output_height);
  std::uint8_t* const base = out.rgb.data();
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = base + static_cast<std::size_t>(cinfo.output_scanline) * cinfo.output_width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return errors.base.num_warnings == 0;
}

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  // libjpeg takes the length as an unsigned long, which is 32 bits on Windows.
  if (data == nullptr || size == 0 || size > std::numeric_limits<unsigned long>::max()) {
    return std::nullopt;
  }
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  std::memset(&cinfo, 0, sizeof cinfo);
  std::memset(&errors, 0, sizeof errors);
  RgbRows rows;
  if (!Decode(cinfo, errors, data, size, rows)) return std::nullopt;

  DecodedPicture picture;
  picture.width = rows.width;
  picture.height = rows.height;
  picture.stride = (rows.width * 3 + 3) & ~3;
  picture.pixels.assign(static_cast<std::size_t>(picture.stride) * rows.height, 0);
  const auto width = static_cast<std::size_t>(rows.width);
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* src = rows.rgb.data() + static_cast<std::size_t>(y) * width * 3;
    std::uint8_t* dst = picture.pixels.data() +
                        static_cast<std::size_t>(rows.height - 1 - y) * picture.stride;
    for (std::size_t x = 0; x < width; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  return picture;
}

}  // namespace tolva::platform
