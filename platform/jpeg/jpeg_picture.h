#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tolva::platform {

// A picture decoded to 24-bit pixels laid out as a bottom-up Windows DIB wants them: rows from
// the bottom of the picture up, blue-green-red byte order, each row padded to a multiple of 4
// bytes (stride).
struct DecodedPicture {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<std::uint8_t> pixels;  // stride * height bytes
};

// Decodes a colour or greyscale JPEG with libjpeg; nothing when the data is not a JPEG it can read
// (a corrupt picture never aborts the program).
std::optional<DecodedPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size);

}  // namespace tolva::platform
