#include "platform/win32/subclass_chain.h"

#include <array>
#include <cstddef>
#include <memory>

namespace tolva::platform::win32 {
namespace {

constexpr char kChainProperty[] = "Tolva.SubclassChain";
constexpr std::size_t kMaxLinks = 4;

struct Link {
  SUBCLASSPROC proc = nullptr;
  UINT_PTR id = 0;
  DWORD_PTR data = 0;
  bool removed = false;
};

struct Chain {
  WNDPROC original = nullptr;
  // In the order chained; the last hears a message first.
  std::array<Link, kMaxLinks> links{};
  std::size_t count = 0;
  // One past the index of the link whose procedure runs now, 0 while none does: where
  // NextSubclass goes on from.
  std::size_t running = 0;
  // Messages of the window in the chain now. Links are compacted, and the chain freed, only at
  // 0, so that the places the running procedures hold stay true.
  int depth = 0;
};

Chain* ChainOf(HWND hwnd) { return static_cast<Chain*>(GetPropA(hwnd, kChainProperty)); }

// The first link still there below `below` (one past an index), else the window's own procedure.
LRESULT CallBelow(Chain& chain, std::size_t below, HWND hwnd, UINT message, WPARAM wParam,
                  LPARAM lParam) {
  while (below > 0 && chain.links[below - 1].removed) --below;
  if (below == 0) return CallWindowProcA(chain.original, hwnd, message, wParam, lParam);
  const Link link = chain.links[below - 1];
  const std::size_t outer = chain.running;
  chain.running = below;
  const LRESULT result = link.proc(hwnd, message, wParam, lParam, link.id, link.data);
  chain.running = outer;
  return result;
}

LRESULT CALLBACK ChainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

bool IsChainProcedure(HWND hwnd) {
  return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ChainProcedure);
}

// Drops the removed links. With none left, or the window going, puts the window's own
// procedure back and frees the chain; but while another procedure set over the chain's since
// still calls it, an empty chain stays until the window goes.
void Tidy(HWND hwnd, Chain& chain, bool windowGoing) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < chain.count; ++i) {
    if (!chain.links[i].removed) chain.links[kept++] = chain.links[i];
  }
  chain.count = kept;
  if (kept > 0 && !windowGoing) return;
  const bool ours = IsChainProcedure(hwnd);
  if (!ours && !windowGoing) return;
  if (ours) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
  RemovePropA(hwnd, kChainProperty);
  const std::unique_ptr<Chain> freed(&chain);
}

LRESULT CALLBACK ChainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Chain* chain = ChainOf(hwnd);
  if (chain == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  ++chain->depth;
  const LRESULT result = CallBelow(*chain, chain->count, hwnd, message, wParam, lParam);
  if (--chain->depth == 0) Tidy(hwnd, *chain, message == WM_NCDESTROY);
  return result;
}

}  // namespace

bool ChainSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept {
  if (hwnd == nullptr || proc == nullptr) return false;
  if (Chain* chain = ChainOf(hwnd)) {
    for (std::size_t i = 0; i < chain->count; ++i) {
      Link& link = chain->links[i];
      if (!link.removed && link.proc == proc && link.id == id) {
        link.data = data;
        return true;
      }
    }
    if (chain->count == kMaxLinks) return false;
    chain->links[chain->count++] = Link{proc, id, data};
    return true;
  }
  std::unique_ptr<Chain> chain;
  try {
    chain = std::make_unique<Chain>();
  } catch (...) {
    return false;
  }
  chain->links[0] = Link{proc, id, data};
  chain->count = 1;
  if (!SetPropA(hwnd, kChainProperty, chain.get())) return false;
  SetLastError(0);
  const LONG_PTR original =
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProcedure));
  if (original == 0 && GetLastError() != 0) {
    RemovePropA(hwnd, kChainProperty);
    return false;
  }
  chain->original = reinterpret_cast<WNDPROC>(original);
  chain.release();  // owned by the window's property from here; freed by Tidy
  return true;
}

bool UnchainSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) noexcept {
  Chain* chain = hwnd == nullptr ? nullptr : ChainOf(hwnd);
  if (chain == nullptr) return false;
  for (std::size_t i = 0; i < chain->count; ++i) {
    Link& link = chain->links[i];
    if (!link.removed && link.proc == proc && link.id == id) {
      link.removed = true;
      if (chain->depth == 0) Tidy(hwnd, *chain, false);
      return true;
    }
  }
  return false;
}

LRESULT NextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Chain* chain = ChainOf(hwnd);
  if (chain == nullptr || chain->running == 0) return DefWindowProcA(hwnd, message, wParam, lParam);
  return CallBelow(*chain, chain->running - 1, hwnd, message, wParam, lParam);
}

}  // namespace tolva::platform::win32
