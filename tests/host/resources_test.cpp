// The committed artwork, sounds and help file: their exact formats, that the generators still
// make them, the help file's words against the captions, and the picture decoder on good and
// bad data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "engine/help_names.h"
#include "platform/ascii.h"
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

// An icon file's images as its directory lists them.
struct IconEntry {
  int side = 0;
  std::size_t offset = 0, size = 0;
};

std::vector<IconEntry> IconEntries(const Bytes& ico) {
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < U16(ico, 4); ++i) {
    const std::size_t at = 6 + 16 * i;
    entries.push_back({ico.at(at), U32(ico, at + 12), U32(ico, at + 8)});
  }
  return entries;
}

// One 16-colour image for each size Windows asks for at 96, 120, 144 and 192 dots per inch.
TEST(ResourceFiles, IconsHoldASixteenColourImageForEachScale) {
  struct Case {
    const char* file;
    Mask mask;
  };
  for (const Case& c : {Case{"mainicon.ico", Mask::Opaque},
                        Case{"transparent.ico", Mask::Transparent}}) {
    SCOPED_TRACE(c.file);
    const Bytes ico = ReadFile(kResources / c.file);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u) << "icon, not cursor";
    const std::vector<IconEntry> entries = IconEntries(ico);
    std::vector<int> sides;
    std::size_t next = 6 + 16 * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const IconEntry& e = entries[i];
      SCOPED_TRACE(e.side);
      sides.push_back(e.side);
      const std::size_t dir = 6 + 16 * i;
      EXPECT_EQ(ico[dir + 1], e.side) << "square";
      EXPECT_EQ(ico[dir + 2], 16) << "colour count";
      EXPECT_EQ(U16(ico, dir + 6), 4u);
      EXPECT_EQ(e.offset, next) << "images one after the other";
      // Info header, palette, 4-bit colour rows and 1-bit mask rows, each padded to 4 bytes.
      const std::size_t colourRow = (e.side * 4 + 31) / 32 * 4, maskRow = (e.side + 31) / 32 * 4;
      ASSERT_EQ(e.size, 40 + 64 + (colourRow + maskRow) * e.side);
      ASSERT_LE(e.offset + e.size, ico.size());
      EXPECT_EQ(U32(ico, e.offset), 40u);
      EXPECT_EQ(S32(ico, e.offset + 4), e.side);
      EXPECT_EQ(S32(ico, e.offset + 8), 2 * e.side) << "colour and mask together";
      EXPECT_EQ(U16(ico, e.offset + 14), 4u);
      for (std::size_t k = 0; k < 16; ++k) {
        const std::size_t at = e.offset + 40 + 4 * k;
        EXPECT_EQ((Bgr{ico[at], ico[at + 1], ico[at + 2]}), kStandardPalette[k]) << "entry " << k;
      }
      const auto colourAt = ico.begin() + static_cast<std::ptrdiff_t>(e.offset + 104);
      const Bytes colour(colourAt, colourAt + static_cast<std::ptrdiff_t>(colourRow * e.side));
      const Bytes mask(colourAt + static_cast<std::ptrdiff_t>(colourRow * e.side),
                       colourAt + static_cast<std::ptrdiff_t>(e.size - 104));
      std::set<int> indices;
      for (std::uint8_t pair : colour) indices.insert({pair >> 4, pair & 15});
      if (c.mask == Mask::Opaque) {
        EXPECT_EQ(mask, Bytes(mask.size(), 0x00)) << "every pixel drawn";
        // White ground, yellow hair, blue eyes, red lips.
        for (int wanted : {15, 11, 12, 9}) EXPECT_TRUE(indices.count(wanted)) << "colour " << wanted;
      } else {
        EXPECT_EQ(mask, Bytes(mask.size(), 0xFF)) << "no pixel drawn";
        EXPECT_EQ(colour, Bytes(colour.size(), 0x00));
      }
      next = e.offset + e.size;
    }
    EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 40, 48}));
    EXPECT_EQ(next, ico.size());
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
  const std::vector<IconEntry> entries = IconEntries(ico);
  // The colour of a pixel of the icon's image of that side.
  const auto iconPixel = [&](int side, int x, int y) {
    const auto image = std::find_if(entries.begin(), entries.end(), [&](const IconEntry& e) { return e.side == side; });
    const std::size_t row = static_cast<std::size_t>(side - 1 - y) * static_cast<std::size_t>((side * 4 + 31) / 32 * 4);
    const std::uint8_t pair = ico.at(image->offset + 104 + row + static_cast<std::size_t>(x / 2));
    return kStandardPalette[static_cast<std::size_t>(x % 2 == 0 ? pair >> 4 : pair & 15)];
  };
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(picture.At(x, y), iconPixel(32, x, y)) << x << "," << y;
  }
  // The small image is every other pixel of it, as the system reduced the icon before it had a
  // small image: at 96 dots per inch the notification area shows what it always showed.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(iconPixel(16, x, y), picture.At(2 * x + 1, 2 * y)) << x << "," << y;
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
  const std::string help = std::string("\"") + TOLVA_HELP_EXE + "\" \"" + (kResources / "help").string() +
                           "\" \"" + (out / "tolva.hlp").string() + "\"";
  ASSERT_EQ(std::system(help.c_str()), 0);
  EXPECT_TRUE(ReadFile(out / "tolva.hlp") == ReadFile(kResources / "tolva.hlp")) << "tolva.hlp differs";
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

// ---- The help file, read back as a help viewer reads it -------------------------------------

std::string StringAt(const Bytes& b, std::size_t at) {
  std::string text;
  while (b.at(at) != 0) text += static_cast<char>(b[at++]);
  return text;
}

// A B+ tree's leaf entries in order: down the first child of each index page to the leftmost
// leaf, then along the leaves. `size` tells an entry's length.
std::vector<std::size_t> LeafEntries(const Bytes& f, std::size_t tree,
                                     const std::function<std::size_t(std::size_t)>& size) {
  EXPECT_EQ(U16(f, tree), 0x293Bu);
  const std::size_t pageSize = U16(f, tree + 4), pages = tree + 38;
  std::size_t page = U16(f, tree + 26);
  for (auto level = U16(f, tree + 32); level > 1; --level) page = U16(f, pages + page * pageSize + 4);
  std::vector<std::size_t> entries;
  for (; page != 0xFFFF; page = U16(f, pages + page * pageSize + 6)) {
    std::size_t entry = pages + page * pageSize + 8;
    for (auto n = U16(f, pages + page * pageSize + 2); n > 0; --n, entry += size(entry)) {
      entries.push_back(entry);
    }
  }
  return entries;
}

// A topic block's LZ77: a flag byte before each eight tokens, each token a byte as it is or, its
// flag bit set, a copy of 3 to 18 bytes from 1 to 4,096 bytes back.
Bytes Unpacked(const Bytes& f, std::size_t from, std::size_t to) {
  Bytes out;
  while (from < to) {
    const unsigned flags = f[from++];
    for (unsigned bit = 0; bit < 8 && from < to; ++bit) {
      if ((flags >> bit & 1) == 0) {
        out.push_back(f[from++]);
        continue;
      }
      const std::uint32_t code = U16(f, from);
      from += 2;
      for (std::size_t n = 0; n < (code >> 12) + 3; ++n) {
        out.push_back(out.at(out.size() - (code & 0xFFF) - 1));
      }
    }
  }
  return out;
}

struct Topic {
  std::string title, text;
};
struct HelpFile {
  std::vector<std::string> files;                  // the directory, in its order
  std::map<std::int32_t, std::uint32_t> contexts;  // by hash: the topic's offset
  std::map<std::uint32_t, std::uint32_t> numbers;  // by context number
  std::map<std::uint32_t, std::string> titles;
  std::uint32_t contents = 0;
  std::map<std::uint32_t, Topic> topics;  // by offset: the block times 0x8000, and the characters before
};

HelpFile ReadHelpFile(const Bytes& f) {
  HelpFile help;
  EXPECT_EQ(U32(f, 0), 0x00035F3Fu);
  EXPECT_EQ(U32(f, 12), f.size());
  std::map<std::string, std::size_t> at;  // an internal file's content, after its header
  const auto named = [&](std::size_t e) { return StringAt(f, e).size() + 5; };  // a name, then a long
  for (std::size_t e : LeafEntries(f, U32(f, 4) + 9, named)) {
    help.files.push_back(StringAt(f, e));
    at[help.files.back()] = U32(f, e + help.files.back().size() + 1) + 9;
  }
  const auto end = [&](const char* name) { return at.at(name) + U32(f, at.at(name) - 5); };
  for (std::size_t e : LeafEntries(f, at.at("|CONTEXT"), [](std::size_t) { return 8; })) {
    help.contexts[S32(f, e)] = U32(f, e + 4);
  }
  for (std::size_t e : LeafEntries(f, at.at("|TTLBTREE"), [&](std::size_t e) { return named(e + 4); })) {
    help.titles[U32(f, e)] = StringAt(f, e + 4);
  }
  for (std::size_t i = 0, map = at.at("|CTXOMAP"); i < U16(f, map); ++i) {
    help.numbers[U32(f, map + 2 + 8 * i)] = U32(f, map + 6 + 8 * i);
  }
  // A 3.1 file whose topics are compressed in 4 KB blocks; then its records.
  const std::size_t system = at.at("|SYSTEM");
  EXPECT_EQ(U16(f, system + 2), 21u);
  EXPECT_EQ(U16(f, system + 10), 4u);
  for (std::size_t r = system + 12; r < end("|SYSTEM"); r += 4 + U16(f, r + 2)) {
    if (U16(f, r) == 3) help.contents = U32(f, r + 4);
  }
  // The topic links from the first, each at its block (of 16 KB once decompressed) and offset.
  std::vector<Bytes> blocks;
  for (std::size_t b = at.at("|TOPIC"); b < end("|TOPIC"); b += 4096) {
    blocks.push_back(Unpacked(f, b + 12, std::min(b + 4096, end("|TOPIC"))));
  }
  std::size_t block = 0, characters = 0;
  Topic* topic = nullptr;
  for (std::uint32_t pos = 12; pos != 0xFFFFFFFF;) {
    const Bytes& r = blocks.at((pos - 12) / 0x4000);
    const std::size_t link = (pos - 12) % 0x4000, data2 = link + U32(r, link + 16);
    if ((pos - 12) / 0x4000 != block) block = (pos - 12) / 0x4000, characters = 0;
    if (r.at(link + 20) == 2) {
      topic = &help.topics[static_cast<std::uint32_t>(block * 0x8000 + characters)];
      topic->title = StringAt(r, data2);
    } else if (topic != nullptr) {  // text: its TopicLength after the packed TopicSize, its words
      const std::size_t length = link + 21 + ((r.at(link + 21) & 1) != 0 ? 4 : 2);
      characters += (r.at(length) & 1) != 0 ? U16(r, length) / 2 : r[length] / 2u;
      for (std::size_t i = data2; i < data2 + U32(r, link + 4); ++i)
        if (r.at(i) != 0) topic->text += static_cast<char>(r[i]);
      topic->text += '\n';
    }
    pos = U32(r, link + 12);
  }
  return help;
}

// The hash of a context string a viewer looks it up by: base-43 digits, "1" to "9" 1 to 9,
// "0" 10, "." 12, "_" 13, and the letters 17 to 42 in either case.
std::int32_t ContextHash(std::string_view context) {
  std::uint32_t hash = 0;
  for (const char c : context) {
    const char upper = platform::AsciiUpper(c);
    hash = hash * 43 + static_cast<std::uint32_t>(upper >= 'A' && upper <= 'Z' ? upper - 'A' + 17
                                                  : upper >= '1' && upper <= '9' ? upper - '0'
                                                  : upper == '0' ? 10 : upper == '.' ? 12 : 13);
  }
  return static_cast<std::int32_t>(hash);
}

TEST(HelpFile, TopicsAreFoundByContextStringNumberAndTitle) {
  const HelpFile help = ReadHelpFile(ReadFile(kResources / "tolva.hlp"));
  EXPECT_EQ(help.files,
            (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  struct Row {
    const char* context;
    std::uint32_t number;  // 0: none
    const char* title;
  };
  for (const Row& row : {Row{"Contents", 0, "Contents"}, Row{"Main_Window", 1000, "The Main Window"},
                         Row{"Options_Dialog", 1010, "The Options Dialog"},
                         Row{"Settings_Page", 0, "Options: Settings Page"},
                         Row{"Exclude_Page", 0, "Options: Exclude Page"},
                         Row{"Copyright", 0, "Copyright"}}) {
    SCOPED_TRACE(row.context);
    ASSERT_EQ(help.contexts.count(ContextHash(row.context)), 1u);
    const std::uint32_t offset = help.contexts.at(ContextHash(row.context));
    ASSERT_EQ(help.topics.count(offset), 1u) << "no topic starts at " << offset;
    EXPECT_EQ(help.topics.at(offset).title, row.title);
    EXPECT_EQ(help.titles.at(offset), row.title);
    if (row.number != 0) {
      EXPECT_EQ(help.numbers.at(row.number), offset);
    }
  }
  EXPECT_EQ(help.numbers.size(), 2u);
  EXPECT_EQ(help.contents, help.contexts.at(ContextHash("Contents")));
  EXPECT_EQ(help.contexts.size(), help.topics.size());
  EXPECT_EQ(help.titles.size(), help.topics.size());
  EXPECT_NE(help.topics.at(help.contexts.at(ContextHash("Copyright"))).text.find(
                "Copyright \xA9 2003 Marrowby Corporation. All rights reserved.\n"),
            std::string::npos);
}

// The HTML Help file as the build compiles it, read back by chmlib's tools: every topic's page
// is there and each of its links leads to a page; each context number, and each topic the
// program names, leads to its page.
std::string Output(const std::string& command) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

TEST(HtmlHelpFile, ChmlibFindsEveryPageAndTheContextMapLeadsToPages) {
  const fs::path out = fs::temp_directory_path() / ("tolva_chm_" + std::to_string(::getpid()));
  fs::remove_all(out);
  fs::create_directories(out);
  const fs::path chm = out / "tolva.chm";
  ASSERT_EQ(std::system(("\"" + std::string(TOLVA_HELP_EXE) + "\" --chm \"" + (kResources / "help").string() +
                         "\" \"" + chm.string() + "\"").c_str()),
            0);
  std::set<std::string> listed;  // enum_chmLib: "space start length type name"
  std::istringstream listing(Output("enum_chmLib \"" + chm.string() + "\""));
  for (std::string line; std::getline(listing, line);) {
    const std::size_t name = line.rfind('\t');
    if (line.find("normal file") != std::string::npos && name != std::string::npos) listed.insert(line.substr(name + 1));
  }
  const fs::path pages = out / "pages";
  ASSERT_EQ(std::system(("extract_chmLib \"" + chm.string() + "\" \"" + pages.string() + "\" >/dev/null").c_str()), 0);

  std::vector<std::string> contexts;  // from the topics' own text
  for (const auto& entry : fs::directory_iterator(kResources / "help" / "topics")) {
    std::ifstream topic(entry.path());
    for (std::string line; std::getline(topic, line);)
      if (line.rfind("Context: ", 0) == 0) contexts.push_back(line.substr(9));
  }
  ASSERT_EQ(contexts.size(), 15u);
  for (const std::string& context : contexts) {
    SCOPED_TRACE(context);
    const std::string page = engine::HtmlHelpPage(context);
    ASSERT_EQ(listed.count("/" + page), 1u);
    const Bytes bytes = ReadFile(pages / page);
    const std::string html(bytes.begin(), bytes.end());
    for (std::size_t at = 0; (at = html.find("href=\"", at)) != std::string::npos;) {
      at += 6;
      const std::string target = html.substr(at, html.find('"', at) - at);
      EXPECT_EQ(listed.count("/" + target), 1u) << "a link to " << target;
    }
  }
  EXPECT_EQ(listed.count("/tolva.hhc") + listed.count("/tolva.hhk"), 2u);

  // The map: a count of bytes, then each number with the place of its page's name in /#STRINGS.
  for (const char* part : {"#IVB", "#STRINGS"}) {
    Output("test_chmLib \"" + chm.string() + "\" /" + part + " \"" + (out / part).string() + "\"");
  }
  const Bytes ivb = ReadFile(out / "#IVB"), strings = ReadFile(out / "#STRINGS");
  ASSERT_GE(ivb.size(), 4u);
  std::map<std::uint32_t, std::string> map;
  for (std::size_t at = 4; at + 8 <= ivb.size(); at += 8) map[U32(ivb, at)] = StringAt(strings, U32(ivb, at + 4));
  EXPECT_EQ(map, (std::map<std::uint32_t, std::string>{{1000, "Main_Window.htm"}, {1010, "Options_Dialog.htm"}}));
  for (const auto& [number, page] : map) EXPECT_EQ(listed.count("/" + page), 1u) << number;
  for (const char* topic : {"Options_Dialog", "Copyright"}) {
    EXPECT_EQ(listed.count("/" + engine::HtmlHelpPage(topic)), 1u) << topic;
  }
  fs::remove_all(out);
}

// Each window's topic names its controls as they are captioned on the screen.
class HelpWords : public ::testing::Test, public app::testing::MainWindowRig {};

TEST_F(HelpWords, TopicsNameTheControlsByTheirCaptions) {
  Create();
  const HelpFile help = ReadHelpFile(ReadFile(kResources / "tolva.hlp"));
  const auto& dialog = *state().OptionsDialog;
  const auto& about = AboutBox();
  std::map<std::string, std::vector<std::string>> captions;  // by the topic's context string
  const std::pair<const ui::TabSheet*, std::string> pages[] = {
      {&dialog.SettingsTabSheet, "Settings_Page"}, {&dialog.ActionsTabSheet, "Actions_Page"},
      {&dialog.IconTabSheet, "Icon_Page"}, {&dialog.DateTimeTabSheet, "Date_Time_Page"},
      {&dialog.ExcludeTabSheet, "Exclude_Page"}};
  for (const ui::Control* control : dialog.controls) {
    for (const ui::Control* up = control->parent; up != nullptr; up = up->parent)
      for (const auto& [page, context] : pages)
        if (up == page) captions[context].push_back(control->Caption());
  }
  for (const auto& [page, context] : pages) captions["Options_Dialog"].push_back(page->Caption());
  for (const ui::Control* c : {&dialog.OKBtn, &dialog.CancelBtn, &dialog.HelpBtn}) {
    captions["Options_Dialog"].push_back(c->Caption());
  }
  for (const ui::ToolButton* b : Form1().ToolBar1.buttons) captions["Main_Window"].push_back(b->Caption());
  for (const ui::MenuItem* item : Form1().PopupMenu1.items) {
    if (item->Caption() != "-") captions["Notification_Icon"].push_back(item->Caption());
  }
  for (const ui::Label* label : {&about.Label1, &about.Copyright, &about.MarrowbyLink, &about.Copyright2,
                                 &about.MemLabel, &about.PhysLabel}) {
    captions["About_Box"].push_back(label->Caption());
  }
  EXPECT_EQ(captions.size(), 9u);
  for (const auto& [context, shown] : captions) {
    SCOPED_TRACE(context);
    const std::string& text = help.topics.at(help.contexts.at(ContextHash(context))).text;
    for (std::string caption : shown) {
      std::erase(caption, '&');  // the underline of the shortcut letter
      const std::size_t first = caption.find_first_not_of(' ');
      if (first == std::string::npos) continue;  // the controls without a caption
      caption = caption.substr(first, caption.find_last_not_of(' ') - first + 1);
      EXPECT_NE(text.find(caption), std::string::npos) << caption;
    }
  }
}

}  // namespace
}  // namespace tolva
