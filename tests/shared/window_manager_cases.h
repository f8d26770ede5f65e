#pragma once
// The window manager's answers that the window pass stands on, the same on the simulated desktop
// and on real windows under Wine. Each case opens its own windows, then runs steps that each
// check what the calls answer. A step that the real functions answer differently is a fault in
// the table and in the simulated desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/windows.h"

namespace tolva::tests {

using platform::ShowCommand;
using platform::WindowHandle;

// Window numbers in a case: the case's windows in the order they were opened, from 0.
// These two stand for the desktop window and for no window at all.
constexpr int DesktopWindow = -1;
constexpr int NoWindow = -2;

struct WindowSetup {
  std::string title;
  bool visible = true;
  bool minimised = false;
  int owner = NoWindow;   // a top-level window owned by that one
  int parent = NoWindow;  // a child window inside that one
};

inline WindowSetup TopLevel(std::string title, bool visible = true, bool minimised = false) {
  return {std::move(title), visible, minimised};
}
inline WindowSetup OwnedBy(int owner, std::string title, bool visible = true) {
  return {std::move(title), visible, false, owner};
}
inline WindowSetup ChildOf(int parent, std::string title, bool visible = true) {
  return {std::move(title), visible, false, NoWindow, parent};
}

// What one side offers besides the window manager: windows of the test's own, and the state
// that the interface does not report.
class TestDesktop {
 public:
  virtual ~TestDesktop() = default;
  virtual platform::WindowManager& Windows() = 0;
  // A new window as the setup says (owner and parent already turned into handles), opened
  // without being activated.
  virtual WindowHandle Open(const WindowSetup& setup, WindowHandle owner, WindowHandle parent) = 0;
  virtual void Close(WindowHandle window) = 0;
  virtual bool IsMinimised(WindowHandle window) = 0;
  virtual WindowHandle Foreground() = 0;
  virtual WindowHandle Focus() = 0;
};

// ShowWindow and the window's state after it. Raised: the window stands above the case's other
// windows except those it owns (which stand above it); otherwise the stacking order is as it was.
struct Show {
  int window;
  ShowCommand command;
  bool returns;
  bool visible;
  bool minimised;
  bool activated;  // the window is the foreground window afterwards
  bool raised;
};
struct Visible {
  int window;
  bool expected;
};
struct Exists {
  int window;
  bool expected;
};
// GetWindowTextA into a buffer of the capacity: count characters of the title and a terminator,
// nothing written past the capacity (nothing at all for capacity 0).
struct Text {
  int window;
  int capacity;
  int count;
};
struct Lock {
  int window;  // NoWindow unlocks
  bool returns;
};
// EnumWindows, as far as the case's windows go. When the visitor meets the first of them it may
// close one, open one (which takes the next number) or ask to stop.
struct Enumerate {
  std::vector<int> visited;
  int closeAtFirst = NoWindow;
  std::optional<WindowSetup> openAtFirst = std::nullopt;
  bool stopAtFirst = false;
};
// SetForegroundWindow then SetFocus, as a reveal does for the window that was hidden first.
struct Foreground {
  int window;
};
struct Close {
  int window;
};
using WindowStep = std::variant<Show, Visible, Exists, Text, Lock, Enumerate, Foreground, Close>;

struct WindowManagerCase {
  const char* name;
  std::vector<WindowSetup> windows;
  std::vector<WindowStep> steps;
};

inline std::vector<WindowManagerCase> WindowManagerCases() {
  constexpr auto Hide = ShowCommand::Hide;
  constexpr auto Normal = ShowCommand::ShowNormal;
  constexpr auto NoActivate = ShowCommand::ShowNoActivate;
  constexpr auto Restore = ShowCommand::Restore;
  // One command on a window in the given state, below another window.
  auto show = [](const char* name, bool visible, bool minimised, ShowCommand command,
                 bool returns, bool visibleAfter, bool minimisedAfter, bool activated,
                 bool raised) {
    return WindowManagerCase{
        name,
        {TopLevel("tolva subject", visible, minimised), TopLevel("tolva above")},
        {Show{0, command, returns, visibleAfter, minimisedAfter, activated, raised}}};
  };
  const std::string title250(250, 'T');
  return {
      // Hiding and showing: the call answers whether the window was visible. Whatever changes
      // the window also raises it, hiding included; showing a visible window without
      // activation still raises it, while restoring a visible normal window does nothing.
      show("hidden: hide", false, false, Hide, false, false, false, false, false),
      show("hidden: show normal", false, false, Normal, false, true, false, true, true),
      show("hidden: show without activation", false, false, NoActivate, false, true, false, false,
           true),
      show("hidden: restore", false, false, Restore, false, true, false, true, true),
      show("hidden minimised: hide", false, true, Hide, false, false, true, false, false),
      show("hidden minimised: show normal", false, true, Normal, false, true, false, true, true),
      show("hidden minimised: show without activation keeps it minimised", false, true,
           NoActivate, false, true, true, false, true),
      show("hidden minimised: restore", false, true, Restore, false, true, false, true, true),
      show("visible: hide", true, false, Hide, true, false, false, false, true),
      show("visible: show normal", true, false, Normal, true, true, false, false, false),
      show("visible: show without activation", true, false, NoActivate, true, true, false, false,
           true),
      show("visible: restore", true, false, Restore, true, true, false, false, false),
      show("minimised: hide keeps it minimised", true, true, Hide, true, false, true, false, true),
      show("minimised: show normal", true, true, Normal, true, true, false, true, true),
      show("minimised: show without activation", true, true, NoActivate, true, true, true, false,
           true),
      show("minimised: restore", true, true, Restore, true, true, false, true, true),

      // Owners and parents.
      {"an owner hidden or never shown leaves its owned window visible",
       {TopLevel("tolva owner", false), OwnedBy(0, "tolva owned"), TopLevel("tolva other owner"),
        OwnedBy(2, "tolva other owned")},
       {Visible{1, true}, Show{2, Hide, true, false, false, false, true}, Visible{3, true},
        Visible{2, false}}},
      {"owned windows are top-level, above their owner as it rises, and close with it",
       {TopLevel("tolva owner"), OwnedBy(0, "tolva owned"), TopLevel("tolva above")},
       {Enumerate{{2, 1, 0}}, Show{0, NoActivate, true, true, false, false, true},
        Enumerate{{1, 0, 2}}, Close{0}, Exists{1, false}, Exists{2, true}}},
      {"a child is visible only while its parent is, and is not top-level",
       {TopLevel("tolva parent", false), ChildOf(0, "tolva child"),
        ChildOf(0, "tolva hidden child", false)},
       {Visible{1, false}, Show{0, NoActivate, false, true, false, false, true}, Visible{1, true},
        Visible{2, false}, Enumerate{{0}}, Close{0}, Exists{1, false}}},

      // Titles.
      {"title cut at the capacity",
       {TopLevel(title250)},
       {Text{0, 200, 199}, Text{0, 251, 250}, Text{0, 1, 0}, Text{0, 0, 0}}},
      {"no title, or no window",
       {TopLevel(""), TopLevel("tolva closed")},
       {Text{0, 200, 0}, Close{1}, Text{1, 200, 0}}},

      // The stacking order.
      {"newest first, hidden and minimised windows included",
       {TopLevel("tolva first"), TopLevel("tolva hidden", false),
        TopLevel("tolva minimised", true, true)},
       {Enumerate{{2, 1, 0}}}},
      {"the list is taken first: a window closed during the pass is not visited, one opened "
       "is not seen",
       {TopLevel("tolva bottom"), TopLevel("tolva closes"), TopLevel("tolva top")},
       {Enumerate{{2, 0}, 1, TopLevel("tolva opened")}, Enumerate{{3, 2, 0}}}},
      {"the visitor stops the pass",
       {TopLevel("tolva second"), TopLevel("tolva first")},
       {Enumerate{{1}, NoWindow, std::nullopt, true}}},

      // The drawing lock.
      {"one lock at a time",
       {TopLevel("tolva locked"), TopLevel("tolva other")},
       {Lock{0, true}, Lock{1, false}, Lock{0, false}, Lock{NoWindow, true}, Lock{1, true},
        Lock{NoWindow, true}}},
      {"the whole screen locked and unlocked",
       {TopLevel("tolva window")},
       {Lock{DesktopWindow, true}, Lock{0, false}, Lock{NoWindow, true}}},
      {"unlocking with nothing locked succeeds", {}, {Lock{NoWindow, true}}},

      // A conceal hides top-down, which leaves the stacking order reversed; the reveal shows in
      // that order, which puts it back, and the first-hidden window gets the foreground.
      {"foreground after a reveal",
       {TopLevel("tolva lower"), TopLevel("tolva upper")},
       {Show{1, Hide, true, false, false, false, true},
        Show{0, Hide, true, false, false, false, true},
        Enumerate{{0, 1}},
        Show{0, NoActivate, false, true, false, false, true},
        Show{1, NoActivate, false, true, false, false, true},
        Enumerate{{1, 0}},
        Foreground{1}}},
  };
}

namespace window_cases {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};

// One case's windows as opened on one side, with what the steps need to know of them.
class OpenedWindows {
 public:
  OpenedWindows(TestDesktop& desktop, const std::vector<WindowSetup>& setups) : desktop_(desktop) {
    for (const auto& setup : setups) Open(setup);
  }

  void Open(const WindowSetup& setup) {
    const WindowHandle window = desktop_.Open(setup, Handle(setup.owner), Handle(setup.parent));
    ASSERT_NE(window, platform::NullWindow) << setup.title;
    setups_.push_back(setup);
    handles_.push_back(window);
  }

  WindowHandle Handle(int n) {
    if (n == NoWindow) return platform::NullWindow;
    if (n == DesktopWindow) return desktop_.Windows().GetDesktopWindow();
    return handles_.at(static_cast<std::size_t>(n));
  }
  const WindowSetup& Setup(int n) const { return setups_.at(static_cast<std::size_t>(n)); }

  // The number of a handle among the case's windows, if it is one of them.
  std::optional<int> Number(WindowHandle window) const {
    const auto it = std::find(handles_.begin(), handles_.end(), window);
    if (it == handles_.end()) return std::nullopt;
    return static_cast<int>(it - handles_.begin());
  }

  bool Owns(int owner, int n) const {
    for (int o = Setup(n).owner; o != NoWindow; o = Setup(o).owner)
      if (o == owner) return true;
    return false;
  }

  // The case's windows as EnumWindows gives them, among whatever else is on the desktop.
  std::vector<int> Order() {
    std::vector<int> order;
    struct Visit {
      OpenedWindows* self;
      std::vector<int>* order;
    } visit{this, &order};
    desktop_.Windows().EnumWindows(
        [](WindowHandle window, void* context) {
          auto& v = *static_cast<Visit*>(context);
          if (const auto n = v.self->Number(window)) v.order->push_back(*n);
          return true;
        },
        &visit);
    return order;
  }

 private:
  TestDesktop& desktop_;
  std::vector<WindowSetup> setups_;
  std::vector<WindowHandle> handles_;
};

inline void Run(TestDesktop& desktop, OpenedWindows& opened, const Show& s) {
  platform::WindowManager& windows = desktop.Windows();
  const WindowHandle window = opened.Handle(s.window);
  const std::vector<int> before = opened.Order();
  EXPECT_EQ(windows.ShowWindow(window, s.command), s.returns);
  EXPECT_EQ(windows.IsWindowVisible(window), s.visible);
  EXPECT_EQ(desktop.IsMinimised(window), s.minimised);
  EXPECT_EQ(desktop.Foreground() == window, s.activated);
  const std::vector<int> after = opened.Order();
  if (s.raised) {
    const auto at = std::find(after.begin(), after.end(), s.window);
    for (auto above = after.begin(); above != at; ++above)
      EXPECT_TRUE(opened.Owns(s.window, *above)) << "window " << *above << " still above";
  } else {
    EXPECT_EQ(after, before) << "the stacking order changed";
  }
}

inline void Run(TestDesktop& desktop, OpenedWindows& opened, const Enumerate& e) {
  struct Visit {
    TestDesktop& desktop;
    OpenedWindows& opened;
    const Enumerate& step;
    std::vector<int> visited;
  } visit{desktop, opened, e, {}};
  const bool finished = desktop.Windows().EnumWindows(
      [](WindowHandle window, void* context) {
        auto& v = *static_cast<Visit*>(context);
        const auto n = v.opened.Number(window);
        if (!n) return true;
        v.visited.push_back(*n);
        if (v.visited.size() > 1) return true;
        if (v.step.closeAtFirst != NoWindow) v.desktop.Close(v.opened.Handle(v.step.closeAtFirst));
        if (v.step.openAtFirst) v.opened.Open(*v.step.openAtFirst);
        return !v.step.stopAtFirst;
      },
      &visit);
  EXPECT_EQ(visit.visited, e.visited);
  EXPECT_EQ(finished, !e.stopAtFirst);
}

inline void Run(TestDesktop& desktop, OpenedWindows& opened, const Text& t) {
  constexpr char fill = '\x7f';
  constexpr int guard = 16;
  std::vector<char> buffer(static_cast<std::size_t>(t.capacity + guard), fill);
  EXPECT_EQ(desktop.Windows().GetWindowTextA(opened.Handle(t.window), buffer.data(), t.capacity),
            t.count);
  const auto written = static_cast<std::size_t>(t.capacity > 0 ? t.count + 1 : 0);
  if (t.capacity > 0) {
    EXPECT_EQ(std::string(buffer.data()), opened.Setup(t.window).title.substr(0, written - 1));
  }
  EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(written), buffer.end(),
                          [](char c) { return c == fill; }))
      << "written past the text";
}

inline void Run(TestDesktop& desktop, OpenedWindows& opened, const WindowStep& step) {
  platform::WindowManager& windows = desktop.Windows();
  std::visit(
      Overloaded{
          [&](const Show& s) { Run(desktop, opened, s); },
          [&](const Enumerate& e) { Run(desktop, opened, e); },
          [&](const Text& t) { Run(desktop, opened, t); },
          [&](const Visible& v) {
            EXPECT_EQ(windows.IsWindowVisible(opened.Handle(v.window)), v.expected);
          },
          [&](const Exists& e) {
            EXPECT_EQ(windows.IsWindow(opened.Handle(e.window)), e.expected);
          },
          [&](const Lock& l) {
            EXPECT_EQ(windows.LockWindowUpdate(opened.Handle(l.window)), l.returns);
          },
          [&](const Foreground& f) {
            const WindowHandle window = opened.Handle(f.window);
            EXPECT_TRUE(windows.SetForegroundWindow(window));
            windows.SetFocus(window);
            EXPECT_EQ(desktop.Foreground(), window);
            EXPECT_EQ(desktop.Focus(), window);
          },
          [&](const Close& c) { desktop.Close(opened.Handle(c.window)); },
      },
      step);
}

}  // namespace window_cases

// Opens the case's windows on the desktop and runs its steps there.
inline void RunWindowManagerCase(TestDesktop& desktop, const WindowManagerCase& c) {
  SCOPED_TRACE(c.name);
  window_cases::OpenedWindows opened(desktop, c.windows);
  if (::testing::Test::HasFatalFailure()) return;
  for (std::size_t n = 0; n < c.steps.size(); ++n) {
    SCOPED_TRACE("step " + std::to_string(n + 1));
    window_cases::Run(desktop, opened, c.steps[n]);
  }
}

}  // namespace tolva::tests
