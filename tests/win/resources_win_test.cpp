// The program's resources as Windows loads them. The test program links the same resource
// script as the program, so everything is looked up in this module.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "app/main_form.h"
#include "files.h"
#include "platform/jpeg/jpeg_picture.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"

namespace tolva {
namespace {

struct ObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;

HMODULE Module() { return GetModuleHandleA(nullptr); }

// A resource's bytes, as they lie in the module (no copy; the module outlives the test).
std::optional<std::string_view> ResourceBytes(LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(Module(), name, type);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(Module(), found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(Module(), found));
}

std::uint32_t U32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

BITMAP BitmapInfo(HBITMAP bitmap) {
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  return info;
}

// The bits of a 32 x 32 monochrome mask, as 32-bit-aligned rows top-down.
std::vector<std::uint8_t> MaskBits(HBITMAP mask) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = 32;
  info.header.biHeight = -32;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  std::vector<std::uint8_t> bits(32 * 4);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, mask, 0, 32, bits.data(),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(rows, 32);
  return bits;
}

// The icon Windows picks for each size it asks for is the image drawn at that size; the
// notification area's is the system's small-icon size at the screen's scale.
TEST(ResourcesWin, IconsLoadAtEverySizeWithTheirMasks) {
  struct Case {
    LPCSTR name;
    WORD firstImageId;  // the script's order gives the main icon's images 1 to 6
    std::uint8_t maskByte;  // 0: every pixel drawn; 0xFF: none
  };
  constexpr int sides[] = {16, 20, 24, 32, 40, 48};
  for (const Case& c : {Case{TOLVA_ICON_MAIN, 1, 0x00}, Case{TOLVA_ICON_TRANSPARENT, 7, 0xFF}}) {
    SCOPED_TRACE(c.name);
    // The large icon at 96 dots per inch, whatever the scale of the screen.
    const auto icon = static_cast<HICON>(LoadImageA(Module(), c.name, IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    const GdiObject colour(info.hbmColor), mask(info.hbmMask);
    EXPECT_TRUE(info.fIcon);
    ASSERT_NE(info.hbmColor, nullptr) << "a colour icon";
    const BITMAP colourInfo = BitmapInfo(info.hbmColor);
    EXPECT_EQ(colourInfo.bmWidth, 32);
    EXPECT_EQ(colourInfo.bmHeight, 32);
    const BITMAP maskInfo = BitmapInfo(info.hbmMask);
    EXPECT_EQ(maskInfo.bmWidth, 32);
    EXPECT_EQ(maskInfo.bmHeight, 32);
    EXPECT_EQ(MaskBits(info.hbmMask), std::vector<std::uint8_t>(128, c.maskByte));

    const auto group = ResourceBytes(c.name, RT_GROUP_ICON);
    ASSERT_TRUE(group.has_value());
    ASSERT_EQ(group->size(), 6u + 14u * std::size(sides));
    auto* directory = reinterpret_cast<PBYTE>(const_cast<char*>(group->data()));
    for (std::size_t k = 0; k < std::size(sides); ++k) {
      SCOPED_TRACE(sides[k]);
      const int id = LookupIconIdFromDirectoryEx(directory, TRUE, sides[k], sides[k], LR_DEFAULTCOLOR);
      EXPECT_EQ(id, c.firstImageId + static_cast<int>(k));
      const auto image = ResourceBytes(MAKEINTRESOURCEA(id), RT_ICON);
      ASSERT_TRUE(image.has_value());
      EXPECT_EQ(U32(*image, 4), static_cast<std::uint32_t>(sides[k]));
    }

    platform::win32::Win32Icons icons;
    ICONINFO small{};
    ASSERT_TRUE(GetIconInfo(platform::win32::ToIcon(icons.LoadSmallIcon(c.name)), &small));
    const GdiObject smallColour(small.hbmColor), smallMask(small.hbmMask);
    EXPECT_EQ(BitmapInfo(small.hbmColor).bmWidth, GetSystemMetrics(SM_CXSMICON));
    DestroyIcon(icon);
  }
}

TEST(ResourcesWin, WavesAreFoundWithTheirSampleCounts) {
  struct Case {
    WORD id;
    std::uint32_t samples;
  };
  std::vector<std::string_view> sounds;
  for (const Case& c : {Case{TOLVA_WAVE_CONCEAL, 1851}, Case{TOLVA_WAVE_REVEAL, 1851},
                        Case{TOLVA_WAVE_SOUND_KEY, 19685}}) {
    SCOPED_TRACE(c.id);
    const auto wave = ResourceBytes(MAKEINTRESOURCEA(c.id), "WAVE");
    ASSERT_TRUE(wave.has_value());
    ASSERT_GE(wave->size(), 44u);
    EXPECT_EQ(wave->substr(0, 4), "RIFF");
    EXPECT_EQ(U32(*wave, 4) + 8, wave->size()) << "the whole file is the resource";
    EXPECT_EQ(wave->substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(wave->substr(36, 4), "data");
    EXPECT_EQ(U32(*wave, 40), c.samples);
    EXPECT_EQ(wave->size(), 44 + c.samples + (c.samples & 1));
    sounds.push_back(*wave);
  }
  ASSERT_EQ(sounds.size(), 3u);
  EXPECT_NE(sounds[0], sounds[1]);
}

TEST(ResourcesWin, BitmapsLoadWithTheirSizesAndDepths) {
  struct Case {
    LPCSTR name;
    LONG width, height;
    WORD bits;  // as a picture control loads it, a DIB section of the resource's own depth
  };
  for (const Case& c : {Case{TOLVA_BITMAP_TOLVA, 32, 32, 8}, Case{TOLVA_BITMAP_TOLVA_NAME, 209, 30, 8},
                        Case{TOLVA_BITMAP_MARROWBY, 182, 24, 24},
                        Case{TOLVA_BITMAP_TOOLBAR, 176, 16, 24}}) {
    SCOPED_TRACE(c.name);
    const GdiObject bitmap(LoadImageA(Module(), c.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    const BITMAP info = BitmapInfo(static_cast<HBITMAP>(bitmap.get()));
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
    EXPECT_EQ(info.bmBitsPixel, c.bits);
  }
}

TEST(ResourcesWin, SplashDecodesTo480x320) {
  const auto jpeg = ResourceBytes(TOLVA_JPEG_SPLASH, RT_RCDATA);
  ASSERT_TRUE(jpeg.has_value());
  const auto picture = platform::DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg->data()),
                                            jpeg->size());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 480);
  EXPECT_EQ(picture->height, 320);
  EXPECT_EQ(picture->stride, 1440);
  EXPECT_EQ(picture->pixels.size(), 1440u * 320u);
}

// The program file's version record as the file's Properties read it: 2.1, the about box's
// version, with a build number; the same numbers as text; the names in its string table.
TEST(ResourcesWin, VersionRecordReadsBackFromTheProgramFile) {
  const tests::FileVersion version(TOLVA_EXE);
  ASSERT_TRUE(version.Found());
  const VS_FIXEDFILEINFO fixed = version.Fixed();
  EXPECT_EQ(fixed.dwSignature, VS_FFI_SIGNATURE);
  EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(1, 2));
  EXPECT_GT(LOWORD(fixed.dwFileVersionLS), 0) << "a build number";
  EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
  EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
  const std::string numbers = "2.1." + std::to_string(HIWORD(fixed.dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed.dwFileVersionLS));
  struct Row {
    const char* name;
    std::string text;
  };
  for (const Row& row : {Row{"FileVersion", numbers}, Row{"ProductVersion", numbers},
                         Row{"ProductName", std::string(app::ApplicationTitle)},
                         Row{"CompanyName", "Marrowby Corporation"},
                         Row{"OriginalFilename", TOLVA_EXE}, Row{"InternalName", "tolva"}}) {
    EXPECT_EQ(version.Text(row.name), row.text) << row.name;
  }
  // The about box's notice, with the copyright sign of Windows Latin-1.
  const std::string copyright = version.Text("LegalCopyright");
  EXPECT_EQ(copyright.rfind("Copyright \xA9 2003 Marrowby Corporation", 0), 0u) << copyright;
  EXPECT_NE(version.Text("FileDescription").find(app::ApplicationTitle), std::string::npos);
}

}  // namespace
}  // namespace tolva
