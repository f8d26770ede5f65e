// The committed artwork and sounds: their exact formats, that the generator still makes them,
// and the picture decoder on good and bad data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/jpeg/jpeg_picture.h"

// libjpeg needs size_t and FILE declared first.
#include <jpeglib.h>

namespace tolva {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

const fs::path kResources = TOLVA_RESOURCES_DIR;

const std::vector<std::string> kArtworkFiles = {
    "mainicon.ico", "transparent.ico", "conceal.wav",    "reveal.wav",   "soundkey.wav",
    "tolva.bmp",    "tolva_name.bmp",  "marrowby.bmp",   "toolbar.bmp",  "splash.jpg",
    "launch_glyph.bmp", "launch_glyph_disabled.bmp", "refresh_glyph.bmp",
    "refresh_glyph_disabled.bmp", "marrowby_site.bmp"};

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t S32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }
std::string Tag(const Bytes& b, std::size_t at) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

struct Bgr {
  std::uint8_t b, g, r;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

// A bottom-up BMP of 24 bits per pixel, or of 8 with a 256-entry palette, read into top-down
// pixels after checking its headers.
struct Bmp {
  int width = 0, height = 0;
  unsigned bits = 0;
  std::vector<Bgr> pixels;
  Bgr At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * width + x)); }
};

Bmp ReadBmp(const Bytes& file) {
  Bmp bmp;
  EXPECT_GE(file.size(), 54u);
  if (file.size() < 54) return bmp;
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), file.size());
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U16(file, 26), 1u);
  bmp.bits = U16(file, 28);
  EXPECT_TRUE(bmp.bits == 8 || bmp.bits == 24) << bmp.bits;
  EXPECT_EQ(U32(file, 30), 0u);  // uncompressed
  const bool indexed = bmp.bits == 8;
  EXPECT_EQ(U32(file, 46), indexed ? 256u : 0u) << "palette entries";
  const std::size_t start = indexed ? 54 + 4 * 256 : 54;
  EXPECT_EQ(U32(file, 10), start);
  bmp.width = S32(file, 18);
  bmp.height = S32(file, 22);
  EXPECT_GT(bmp.height, 0) << "rows must run bottom-up";
  const std::size_t pixelBytes = indexed ? 1 : 3;
  const auto stride = (static_cast<std::size_t>(bmp.width) * pixelBytes + 3) & ~std::size_t{3};
  const std::size_t size = start + stride * static_cast<std::size_t>(bmp.height);
  EXPECT_EQ(file.size(), size);
  if (bmp.width <= 0 || bmp.height <= 0 || (bmp.bits != 8 && bmp.bits != 24) || file.size() != size) {
    return bmp;
  }
  for (int y = 0; y < bmp.height; ++y) {
    const std::size_t row = start + stride * static_cast<std::size_t>(bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      const std::size_t at = indexed ? 54 + 4 * std::size_t{file[row + static_cast<std::size_t>(x)]}
                                     : row + 3 * static_cast<std::size_t>(x);
      bmp.pixels.push_back({file[at], file[at + 1], file[at + 2]});
    }
  }
  return bmp;
}

constexpr std::array<Bgr, 16> kStandardPalette = {{
    {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
    {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},  {0, 255, 255},
    {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}}};

enum class Mask { Opaque, Transparent };

TEST(ResourceFiles, IconsAreOne32x32SixteenColourImage) {
  struct Case {
    const char* file;
    Mask mask;
  };
  for (const Case& c : {Case{"mainicon.ico", Mask::Opaque},
                        Case{"transparent.ico", Mask::Transparent}}) {
    SCOPED_TRACE(c.file);
    const Bytes ico = ReadFile(kResources / c.file);
    ASSERT_EQ(ico.size(), 6u + 16u + 744u);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u) << "icon, not cursor";
    EXPECT_EQ(U16(ico, 4), 1u) << "one image";
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16) << "colour count";
    EXPECT_EQ(U16(ico, 10), 1u);
    EXPECT_EQ(U16(ico, 12), 4u);
    EXPECT_EQ(U32(ico, 14), 744u);
    EXPECT_EQ(U32(ico, 18), 22u);
    // The image: info header, palette, 4-bit colour bits, 1-bit mask.
    EXPECT_EQ(U32(ico, 22), 40u);
    EXPECT_EQ(S32(ico, 26), 32);
    EXPECT_EQ(S32(ico, 30), 64) << "colour and mask together";
    EXPECT_EQ(U16(ico, 36), 4u);
    EXPECT_EQ(U32(ico, 38), 0u);
    for (std::size_t i = 0; i < 16; ++i) {
      const std::size_t at = 62 + 4 * i;
      EXPECT_EQ((Bgr{ico[at], ico[at + 1], ico[at + 2]}), kStandardPalette[i]) << "entry " << i;
    }
    const Bytes colour(ico.begin() + 126, ico.begin() + 126 + 512);
    const Bytes mask(ico.begin() + 126 + 512, ico.end());
    ASSERT_EQ(mask.size(), 128u);
    std::set<int> indices;
    for (std::uint8_t pair : colour) indices.insert({pair >> 4, pair & 15});
    if (c.mask == Mask::Opaque) {
      EXPECT_EQ(mask, Bytes(128, 0x00)) << "every pixel drawn";
      // White ground, yellow hair, blue eyes, red lips, magenta lettering.
      EXPECT_GT(std::count(colour.begin(), colour.end(), 0xFF), 100);
      for (int wanted : {11, 12, 9, 13}) EXPECT_TRUE(indices.count(wanted)) << "colour " << wanted;
    } else {
      EXPECT_EQ(mask, Bytes(128, 0xFF)) << "no pixel drawn";
      EXPECT_EQ(colour, Bytes(512, 0x00));
    }
  }
}

struct Wave {
  std::uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  Bytes data;
};

// Walks the RIFF chunks the way a player does, word-aligned.
std::optional<Wave> ReadWave(const Bytes& file) {
  if (file.size() < 12 || Tag(file, 0) != "RIFF" || Tag(file, 8) != "WAVE") return std::nullopt;
  if (U32(file, 4) != file.size() - 8) return std::nullopt;
  Wave wave;
  bool haveFormat = false, haveData = false;
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::string id = Tag(file, at);
    const std::size_t size = U32(file, at + 4);
    if (at + 8 + size > file.size()) return std::nullopt;
    if (id == "fmt ") {
      wave.format = U16(file, at + 8);
      wave.channels = U16(file, at + 10);
      wave.rate = U32(file, at + 12);
      wave.byteRate = U32(file, at + 16);
      wave.blockAlign = U16(file, at + 20);
      wave.bits = U16(file, at + 22);
      haveFormat = true;
    } else if (id == "data") {
      wave.data.assign(file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                       file.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) return std::nullopt;
  return wave;
}

TEST(ResourceFiles, WavesAreMono22kHz8BitPcm) {
  struct Case {
    const char* file;
    std::size_t samples;
  };
  std::vector<Bytes> data;
  for (const Case& c : {Case{"conceal.wav", 1851}, Case{"reveal.wav", 1851},
                        Case{"soundkey.wav", 19685}}) {
    SCOPED_TRACE(c.file);
    const auto wave = ReadWave(ReadFile(kResources / c.file));
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->format, 1u) << "PCM";
    EXPECT_EQ(wave->channels, 1u);
    EXPECT_EQ(wave->rate, 22050u);
    EXPECT_EQ(wave->byteRate, 22050u);
    EXPECT_EQ(wave->blockAlign, 1u);
    EXPECT_EQ(wave->bits, 8u);
    EXPECT_EQ(wave->data.size(), c.samples);
    // Audible: the samples swing well away from the 8-bit midpoint.
    const auto [lo, hi] = std::minmax_element(wave->data.begin(), wave->data.end());
    EXPECT_LT(*lo, 128 - 40);
    EXPECT_GT(*hi, 128 + 40);
    data.push_back(wave->data);
  }
  EXPECT_NE(data[0], data[1]) << "conceal and reveal must sound different";
}

TEST(ResourceFiles, BitmapsHaveTheirLayoutSizesAndDepths) {
  struct Case {
    const char* file;
    int width, height;
    unsigned bits;  // 8: 256 colours
  };
  for (const Case& c : {Case{"tolva.bmp", 32, 32, 8}, Case{"tolva_name.bmp", 209, 30, 8},
                        Case{"marrowby.bmp", 182, 24, 24}, Case{"marrowby_site.bmp", 168, 25, 24},
                        Case{"toolbar.bmp", 176, 16, 24},
                        Case{"launch_glyph.bmp", 16, 16, 24}, Case{"launch_glyph_disabled.bmp", 16, 16, 24},
                        Case{"refresh_glyph.bmp", 16, 16, 24},
                        Case{"refresh_glyph_disabled.bmp", 16, 16, 24}}) {
    SCOPED_TRACE(c.file);
    const Bmp bmp = ReadBmp(ReadFile(kResources / c.file));
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);
    EXPECT_EQ(bmp.bits, c.bits);
  }
}

// Eleven 16 x 16 images side by side, each drawn on the transparent magenta.
TEST(ResourceFiles, ToolBarStripHoldsElevenTransparentImages) {
  const Bmp strip = ReadBmp(ReadFile(kResources / "toolbar.bmp"));
  ASSERT_EQ(strip.pixels.size(), 176u * 16u);
  constexpr Bgr kMagenta{255, 0, 255};
  for (int image = 0; image < 11; ++image) {
    SCOPED_TRACE(image);
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) drawn += strip.At(16 * image + x, y) == kMagenta ? 0 : 1;
    }
    EXPECT_GE(drawn, 30) << "an empty image";
    EXPECT_LE(drawn, 16 * 16 - 30) << "no transparent background";
    EXPECT_EQ(strip.At(16 * image, 0), kMagenta);
  }
}

// A button's greyed picture has the shape of its picture, in grey and white only.
TEST(ResourceFiles, GreyedGlyphsKeepTheShapeOfTheirPictures) {
  constexpr Bgr kMagenta{255, 0, 255}, kGrey{128, 128, 128}, kWhite{255, 255, 255};
  for (const char* name : {"launch_glyph", "refresh_glyph"}) {
    SCOPED_TRACE(name);
    const Bmp glyph = ReadBmp(ReadFile(kResources / (std::string(name) + ".bmp")));
    const Bmp greyed = ReadBmp(ReadFile(kResources / (std::string(name) + "_disabled.bmp")));
    ASSERT_EQ(glyph.pixels.size(), greyed.pixels.size());
    int drawn = 0;
    for (std::size_t i = 0; i < glyph.pixels.size(); ++i) {
      const bool clear = glyph.pixels[i] == kMagenta;
      drawn += clear ? 0 : 1;
      if (clear) {
        EXPECT_EQ(greyed.pixels[i], kMagenta) << i;
      } else {
        EXPECT_TRUE(greyed.pixels[i] == kGrey || greyed.pixels[i] == kWhite) << i;
      }
    }
    EXPECT_GE(drawn, 30) << "an empty picture";
    EXPECT_EQ(glyph.At(0, 0), kMagenta) << "no transparent background";
  }
}

// The main window's product picture is the program's icon.
TEST(ResourceFiles, ProductPictureMatchesTheIcon) {
  const Bmp picture = ReadBmp(ReadFile(kResources / "tolva.bmp"));
  const Bytes ico = ReadFile(kResources / "mainicon.ico");
  ASSERT_EQ(picture.pixels.size(), 32u * 32u);
  ASSERT_EQ(ico.size(), 766u);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint8_t pair = ico[126 + static_cast<std::size_t>((31 - y) * 16 + x / 2)];
      const int index = x % 2 == 0 ? pair >> 4 : pair & 15;
      ASSERT_EQ(picture.At(x, y), kStandardPalette[static_cast<std::size_t>(index)])
          << x << "," << y;
    }
  }
}

struct JpegFrame {
  int marker = 0;  // 0xC0 baseline, 0xC2 progressive, ...
  int width = 0, height = 0, components = 0;
};

// The start-of-frame segment, found by walking the marker segments up to the scan.
std::optional<JpegFrame> ReadJpegFrame(const Bytes& file) {
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return std::nullopt;
  for (std::size_t at = 2; at + 4 <= file.size();) {
    if (file[at] != 0xFF) return std::nullopt;
    const int marker = file[at + 1];
    const std::size_t length = static_cast<std::size_t>(file[at + 2] << 8 | file[at + 3]);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (at + 10 > file.size()) return std::nullopt;
      return JpegFrame{marker, file[at + 7] << 8 | file[at + 8], file[at + 5] << 8 | file[at + 6],
                       file[at + 9]};
    }
    if (marker == 0xDA) return std::nullopt;  // a scan before any frame
    at += 2 + length;
  }
  return std::nullopt;
}

TEST(ResourceFiles, SplashIsABaselineColourJpegOnOrange) {
  const Bytes jpeg = ReadFile(kResources / "splash.jpg");
  const auto frame = ReadJpegFrame(jpeg);
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(frame->marker, 0xC0) << "baseline, not progressive";
  EXPECT_EQ(frame->width, 480);
  EXPECT_EQ(frame->height, 320);
  EXPECT_EQ(frame->components, 3);

  const auto picture = platform::DecodeJpeg(jpeg.data(), jpeg.size());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 480);
  EXPECT_EQ(picture->height, 320);
  EXPECT_EQ(picture->stride, 1440);
  ASSERT_EQ(picture->pixels.size(), 1440u * 320u);
  // The top-left corner (the last row of the bottom-up buffer) is the orange ground.
  const std::uint8_t* corner = picture->pixels.data() + 319 * 1440;
  EXPECT_NEAR(corner[0], 0, 24);
  EXPECT_NEAR(corner[1], 128, 24);
  EXPECT_NEAR(corner[2], 255, 24);
}

TEST(ResourceFiles, GeneratorRemakesTheCommittedFiles) {
  const fs::path out = fs::temp_directory_path() / ("tolva_artwork_" + std::to_string(::getpid()));
  fs::remove_all(out);
  fs::create_directories(out);
  const std::string command = std::string("\"") + TOLVA_ARTWORK_EXE + "\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::set<std::string> made;
  for (const auto& entry : fs::directory_iterator(out)) made.insert(entry.path().filename());
  EXPECT_EQ(made, std::set<std::string>(kArtworkFiles.begin(), kArtworkFiles.end()));
  for (const std::string& file : kArtworkFiles) {
    SCOPED_TRACE(file);
    const Bytes committed = ReadFile(kResources / file);
    EXPECT_FALSE(committed.empty());
    EXPECT_TRUE(ReadFile(out / file) == committed) << "differs from the committed file";
  }
  fs::remove_all(out);
}

// A small picture made here, so that the expected pixels are known: the top half one colour,
// the bottom half another, and a width whose rows need padding.
Bytes EncodeJpeg(int width, int height, bool grey, Bgr top, Bgr bottom) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const Bgr c = static_cast<int>(cinfo.next_scanline) < height / 2 ? top : bottom;
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
      if (grey) {
        row[x] = c.g;
      } else {
        row[3 * x] = c.r, row[3 * x + 1] = c.g, row[3 * x + 2] = c.b;
      }
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

TEST(DecodeJpeg, GivesBottomUpBgrRowsPaddedToFourBytes) {
  struct Case {
    const char* name;
    int width, height;
    bool grey;
    Bgr top, bottom;
    int stride;
  };
  for (const Case& c : {Case{"colour, padded", 17, 32, false, {255, 0, 0}, {0, 0, 255}, 52},
                        Case{"colour, no padding", 16, 16, false, {0, 255, 0}, {255, 255, 255}, 48},
                        Case{"greyscale expanded", 21, 16, true, {40, 40, 40}, {220, 220, 220}, 64},
                        Case{"one pixel", 1, 1, false, {0, 0, 0}, {0, 128, 255}, 4}}) {
    SCOPED_TRACE(c.name);
    const Bytes jpeg = EncodeJpeg(c.width, c.height, c.grey, c.top, c.bottom);
    const auto picture = platform::DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, c.width);
    EXPECT_EQ(picture->height, c.height);
    EXPECT_EQ(picture->stride, c.stride);
    ASSERT_EQ(picture->pixels.size(), static_cast<std::size_t>(c.stride * c.height));
    // The first row in memory is the bottom of the picture.
    auto expectPixel = [&](int row, int x, Bgr want) {
      const std::uint8_t* p = picture->pixels.data() + row * c.stride + 3 * x;
      EXPECT_NEAR(p[0], want.b, 6) << "row " << row << " x " << x;
      EXPECT_NEAR(p[1], want.g, 6) << "row " << row << " x " << x;
      EXPECT_NEAR(p[2], want.r, 6) << "row " << row << " x " << x;
    };
    expectPixel(0, 0, c.bottom);
    expectPixel(0, c.width - 1, c.bottom);
    if (c.height > 1) expectPixel(c.height - 1, c.width / 2, c.top);
  }
}

TEST(DecodeJpeg, RefusesDataItCannotDecode) {
  const Bytes splash = ReadFile(kResources / "splash.jpg");
  ASSERT_GT(splash.size(), 1000u);
  auto prefix = [&](std::size_t n) { return Bytes(splash.begin(), splash.begin() + n); };
  Bytes garbage(4096);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 7);
  Bytes corruptHeader = splash;
  constexpr std::array<std::uint8_t, 2> kFrameMarker = {0xFF, 0xC0};
  const auto frame = std::search(corruptHeader.begin(), corruptHeader.end(), kFrameMarker.begin(),
                                 kFrameMarker.end());
  ASSERT_NE(frame, corruptHeader.end());
  frame[4] = 0x07;  // 7 bits per sample, which baseline does not allow
  struct Case {
    const char* name;
    Bytes data;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"garbage", garbage},
      {"a PNG signature", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}},
      {"start marker only", prefix(2)},
      {"cut inside the headers", prefix(120)},
      {"cut inside the scan", prefix(splash.size() / 2)},
      {"end marker missing", prefix(splash.size() - 2)},
      {"bad sample precision", corruptHeader},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(platform::DecodeJpeg(c.data.data(), c.data.size()).has_value());
  }
  EXPECT_FALSE(platform::DecodeJpeg(nullptr, 0).has_value());
  EXPECT_TRUE(platform::DecodeJpeg(splash.data(), splash.size()).has_value())
      << "the intact file still decodes after the failures";
}

}  // namespace
}  // namespace tolva
