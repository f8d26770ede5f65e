#pragma once
// Window handles held by those who use a window, and by the one who owns it.
#include <windows.h>

#include <memory>
#include <utility>

namespace tolva::platform::win32 {

// A window's handle as everyone who uses the window holds it. The window's owner clears it when
// the window goes (at its WM_NCDESTROY, or on destroying it), and a handle held Under another
// reads null once that one does, since a window's children and owned windows go with it. So
// nobody sends to a handle that the system may meanwhile have given to another window.
class WindowRef {
 public:
  // Null until Set.
  WindowRef() : cell_(std::make_shared<Cell>()) {}

  // A handle for a window that goes with this one (a child, an owned popup); null until Set.
  WindowRef Under() const {
    WindowRef ref;
    ref.cell_->parent = cell_;
    return ref;
  }

  // Null before the window is made, once it has gone, or once a window it goes with has.
  HWND get() const {
    for (const Cell* cell = cell_.get(); cell != nullptr; cell = cell->parent.get()) {
      if (cell->hwnd == nullptr) return nullptr;
    }
    return cell_->hwnd;
  }
  // Only the window's owner sets and clears it; every copy sees the change.
  void Set(HWND hwnd) noexcept { cell_->hwnd = hwnd; }
  void Clear() noexcept { cell_->hwnd = nullptr; }

 private:
  struct Cell {
    HWND hwnd = nullptr;
    std::shared_ptr<const Cell> parent;
  };
  std::shared_ptr<Cell> cell_;
};

// A top-level window that its owner made: destroyed when this goes, unless it has gone already.
class OwnedWindow {
 public:
  explicit OwnedWindow(WindowRef ref) : ref_(std::move(ref)) {}
  ~OwnedWindow() { Destroy(); }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  HWND get() const { return ref_.get(); }
  void Destroy() noexcept {
    if (HWND hwnd = ref_.get()) DestroyWindow(hwnd);
    ref_.Clear();
  }

 private:
  WindowRef ref_;
};

}  // namespace tolva::platform::win32
