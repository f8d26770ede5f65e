// A picture painted by a window of our own class: a bitmap resource as it is, or a JPEG resource
// decoded once. A missing or unreadable resource leaves the control empty.
#include <windowsx.h>

#include <optional>

#include "platform/jpeg/jpeg_picture.h"
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/gdi.h"
#include "platform/win32/scaled_bitmap.h"

namespace tolva::platform::win32 {
namespace {

constexpr char kPictureClass[] = "TolvaPicture";

// The mouse, captured by the window from a button press to its release or until the system
// takes it away; given back should the peer go in between.
class MouseCapture {
 public:
  MouseCapture() = default;
  ~MouseCapture() { Release(); }
  MouseCapture(const MouseCapture&) = delete;
  MouseCapture& operator=(const MouseCapture&) = delete;

  void Take(HWND window) {
    SetCapture(window);
    held_ = window;
  }
  // Forgotten before it is given back: ReleaseCapture sends WM_CAPTURECHANGED at once.
  void Release() {
    const HWND window = held_;
    held_ = nullptr;
    if (window != nullptr && GetCapture() == window) ReleaseCapture();
  }
  void Lost() { held_ = nullptr; }
  bool Held() const { return held_ != nullptr; }

 private:
  HWND held_ = nullptr;
};

struct Image {
  Bitmap bitmap;
  std::optional<DecodedPicture> jpeg;
};

// A decoded picture's pixels, from its bottom-up rows of blue, green and red.
ui::Pixels PixelsOf(const DecodedPicture& picture) {
  ui::Pixels pixels{picture.width, picture.height, {}};
  pixels.data.reserve(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint8_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.stride);
    for (int x = 0; x < picture.width; ++x, row += 3)
      pixels.data.push_back(static_cast<std::uint32_t>(row[2]) << 16 | static_cast<std::uint32_t>(row[1]) << 8 | row[0]);
  }
  return pixels;
}

class PictureWindow final : public ControlPeer, private WindowTarget {
 public:
  PictureWindow(std::shared_ptr<const FormSite> site, ui::Picture& picture)
      : ControlPeer(std::move(site), picture),
        picture_(picture),
        image_(Load()),
        window_(*site_, *this, RegisteredClass(site_->instance), SS_NOTIFY, 0, this) {}

  void Changed(ui::Property property) override {
    if (property == ui::Property::Picture) {
      image_ = Load();
      if (const HWND hwnd = window_.get()) InvalidateRect(hwnd, nullptr, TRUE);
      return;
    }
    window_.Mirror(property);
  }

 private:
  static const char* RegisteredClass(HINSTANCE instance) {
    RegisterWindowClass(instance, kPictureClass, 0);
    return kPictureClass;
  }

  void WindowMade(HWND) noexcept override {}
  void WindowGone() noexcept override { window_.Gone(); }
  ui::Application& App() const override { return site_->app; }

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ERASEBKGND:
        return site_->EraseBackground(hwnd, wParam);
      case WM_PAINT:
        Paint(hwnd);
        return 0;
      case WM_SETCURSOR:
        SetCursor(
            LoadCursorA(nullptr, picture_.cursor == ui::Cursor::HandPoint ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_LBUTTONDOWN:
        capture_.Take(hwnd);
        return 0;
      case WM_LBUTTONUP: {
        if (!capture_.Held()) return 0;
        capture_.Release();
        RECT r;
        GetClientRect(hwnd, &r);
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&r, p)) site_->app.Dispatch([this] { picture_.Click(); });
        return 0;
      }
      case WM_CAPTURECHANGED:
        capture_.Lost();
        return 0;
      default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  }

  // Before the window exists, so that a picture that takes its resource's size is made with it.
  // The resource is drawn at 96 dots per inch: its size is the layout's, and what is painted is
  // the picture stretched to the screen's scale.
  Image Load() {
    Image image;
    std::optional<ui::Size> size;
    const HINSTANCE instance = site_->instance;
    if (picture_.kind == ui::Picture::Kind::Bitmap) {
      image.bitmap.reset(static_cast<HBITMAP>(LoadImageA(
          instance, picture_.pictureResource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
      BITMAP info{};
      if (image.bitmap && GetObjectA(image.bitmap.get(), sizeof info, &info) != 0) {
        size = ui::Size{info.bmWidth, info.bmHeight};
      }
    } else {
      // A resource needs no freeing: it lives as long as its module.
      HRSRC found = FindResourceA(instance, picture_.pictureResource.c_str(), RT_RCDATA);
      HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
      const void* data = loaded ? LockResource(loaded) : nullptr;
      if (data != nullptr) {
        image.jpeg = DecodeJpeg(static_cast<const std::uint8_t*>(data),
                                SizeofResource(instance, found));
        if (image.jpeg) size = ui::Size{image.jpeg->width, image.jpeg->height};
      }
    }
    if (size && picture_.autoSize) {
      // The control takes the picture's size. Before the peer is attached this only sets the
      // bounds the window is then made with; later it also moves the window, through Changed.
      ui::Bounds b = picture_.GetBounds();
      b.width = size->width;
      b.height = size->height;
      picture_.SetBounds(b);
    }
    const ui::Scaling& scaling = site_->scaling;
    if (image.jpeg && scaling.PictureStretch() != ui::Stretch::None) {
      // A photograph, not pixel art: smooth at any scale.
      const ui::Pixels pixels = PixelsOf(*image.jpeg);
      image.bitmap = BitmapOf(ui::Stretched(pixels, 1, scaling.ToScreen(ui::Size{pixels.width, pixels.height}),
                                            ui::Stretch::Smooth));
      if (image.bitmap) image.jpeg.reset();
    } else {
      image.bitmap = Scaled(std::move(image.bitmap), scaling);
    }
    return image;
  }

  void Paint(HWND hwnd) const {
    const PaintDc dc(hwnd);
    if (image_.bitmap) {
      BITMAP info{};
      GetObjectA(image_.bitmap.get(), sizeof info, &info);
      const MemoryDc source(dc.get());
      const Selection selected(source.get(), image_.bitmap.get());
      BitBlt(dc.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else if (image_.jpeg) {
      const DecodedPicture& jpeg = *image_.jpeg;
      BITMAPINFO header{};
      header.bmiHeader.biSize = sizeof header.bmiHeader;
      header.bmiHeader.biWidth = jpeg.width;
      header.bmiHeader.biHeight = jpeg.height;  // positive: rows bottom-up
      header.bmiHeader.biPlanes = 1;
      header.bmiHeader.biBitCount = 24;
      header.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc.get(), 0, 0, static_cast<DWORD>(jpeg.width),
                        static_cast<DWORD>(jpeg.height), 0, 0, 0, static_cast<UINT>(jpeg.height),
                        jpeg.pixels.data(), &header, DIB_RGB_COLORS);
    }
  }

  ui::Picture& picture_;
  Image image_;
  MouseCapture capture_;
  ChildWindow window_;  // last: goes before the picture it paints
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Picture& picture) {
  return std::make_unique<PictureWindow>(site_, picture);
}

}  // namespace tolva::platform::win32
