// The Windows desktop's own rules: window lifetime and handles, messages with
// the client's numbers, the PreTranslateMessage chain, the modal loop,
// timers, and drawing marshalled from worker threads.
#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <thread>

namespace lv::win32 {
namespace {

constexpr unsigned kPrivate = wm::USER + 101;
constexpr unsigned kAnswer = wm::USER + 102;

struct Seen {
  unsigned message;
  WPARAM wParam;
  LPARAM lParam;
  Handle handle;  // the window's own handle while it handled the message
};

class TestWindow : public Window {
 public:
  // Gives a result for a message instead of the default processing.
  std::function<std::optional<LRESULT>(unsigned, WPARAM, LPARAM)> on;
  std::function<bool(const Msg&)> pretranslate;
  std::vector<Seen> seen;

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back({message, wParam, lParam, GetSafeHwnd()});
    if (on) {
      if (const std::optional<LRESULT> result = on(message, wParam, lParam)) return *result;
    }
    return Default(message, wParam, lParam);
  }
  bool PreTranslateMessage(const Msg& msg) override { return pretranslate && pretranslate(msg); }

  const Seen* Find(unsigned message) const {
    for (const Seen& s : seen) {
      if (s.message == message) return &s;
    }
    return nullptr;
  }
};

Handle Create(TestWindow& window, std::uint32_t style = ws::POPUP, Handle parent = 0) {
  WindowSpec spec;
  spec.title = L"test window";
  spec.style = style;
  spec.rect = Rect{10, 10, 210, 110};
  spec.parent = parent;
  return platform().CreateWindowFor(&window, spec);
}

// Runs everything posted so far: the quit message comes after them.
void Pump() {
  platform().PostQuitMessage(0);
  platform().RunMessageLoop();
}

TEST(Win32Windows, LiveFromCreateToNcDestroyUnderAHandleNeverGivenAgain) {
  TestWindow window;
  const Handle h = Create(window);
  ASSERT_NE(h, 0u);
  const Seen* create = window.Find(wm::CREATE);
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->handle, h) << "the handle is set before WM_CREATE";
  EXPECT_EQ(platform().GetWindowText(h), L"test window");
  EXPECT_EQ(HandleOf(HwndOf(h)), h);

  platform().DestroyWindow(h);
  ASSERT_FALSE(window.seen.empty());
  EXPECT_EQ(window.seen.back().message, wm::NCDESTROY) << "WM_NCDESTROY is the last message";
  EXPECT_EQ(window.seen.back().handle, 0u) << "and the handle is cleared by then";
  EXPECT_FALSE(platform().IsWindow(h));
  EXPECT_EQ(HwndOf(h), nullptr);
  EXPECT_FALSE(platform().PostMessage(h, kPrivate, 0, 0));

  TestWindow next;
  const Handle again = Create(next);
  EXPECT_NE(again, h);
  platform().DestroyWindow(again);
}

TEST(Win32Windows, CreateResultMinusOneFailsTheCreation) {
  TestWindow window;
  window.on = [](unsigned message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == wm::CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_EQ(Create(window), 0u);
  EXPECT_NE(window.Find(wm::NCDESTROY), nullptr);
  EXPECT_EQ(window.GetSafeHwnd(), 0u);
}

TEST(Win32Messages, KeepTheClientsNumbersAndValues) {
  TestWindow window;
  window.on = [](unsigned message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == kAnswer) return static_cast<LRESULT>(wParam) + lParam;
    return std::nullopt;
  };
  const Handle h = Create(window);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(platform().SendMessage(h, kAnswer, 40, 2), 42);
  ASSERT_TRUE(platform().PostMessage(h, kPrivate, 7, -3));
  Pump();
  const Seen* posted = window.Find(kPrivate);
  ASSERT_NE(posted, nullptr);
  EXPECT_EQ(posted->wParam, 7u);
  EXPECT_EQ(posted->lParam, -3);
  platform().DestroyWindow(h);
}

// A key for a control's inner window (the browser's document window, say)
// passes its owner's window, that window's parent and the parent's owner,
// named by the control's handle, with the real target still at hand.
TEST(Win32Messages, QueuedMessagesPassThePreTranslateChainUpThroughParentsAndOwners) {
  TestWindow owner, page, child;
  const Handle owner_h = Create(owner);
  ASSERT_NE(owner_h, 0u);
  const Handle page_h = Create(page, ws::POPUP, owner_h);
  ASSERT_NE(page_h, 0u);
  const Handle child_h = Create(child, ws::CHILD | ws::VISIBLE, page_h);
  ASSERT_NE(child_h, 0u);
  const HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, HwndOf(child_h),
                                         nullptr, nullptr, nullptr);
  const HWND inner = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, control, nullptr,
                                       nullptr, nullptr);
  const Handle control_h = RegisterControl(control, child_h);

  std::vector<std::pair<Handle, HWND>> asked;  // the message's handle, the real target
  auto record = [&](const Msg& msg) {
    if (msg.message == wm::KEYDOWN) asked.emplace_back(msg.hwnd, CurrentMessage()->hwnd);
    return false;
  };
  child.pretranslate = page.pretranslate = owner.pretranslate = record;
  ::PostMessageW(inner, WM_KEYDOWN, vk::F5, 0);
  Pump();
  const std::vector<std::pair<Handle, HWND>> expected(3, {control_h, inner});
  EXPECT_EQ(asked, expected);

  // A window that takes the message ends the chain, and it is not dispatched.
  bool owner_asked = false;
  page.pretranslate = [](const Msg& msg) { return msg.message == wm::KEYUP; };
  owner.pretranslate = [&](const Msg& msg) {
    if (msg.message == wm::KEYUP) owner_asked = true;
    return false;
  };
  platform().PostMessage(child_h, wm::KEYUP, vk::F5, 0);
  Pump();
  EXPECT_FALSE(owner_asked);
  EXPECT_EQ(child.Find(wm::KEYUP), nullptr);

  platform().DestroyWindow(child_h);
  EXPECT_EQ(HwndOf(control_h), nullptr) << "a control goes with its parent";
  platform().DestroyWindow(owner_h);
}

TEST(Win32ModalLoop, EndsWithTheResultGivenOrAsCancelledWhenTheDialogGoes) {
  for (const bool destroy : {false, true}) {
    TestWindow dialog;
    const Handle h = Create(dialog);
    ASSERT_NE(h, 0u);
    dialog.on = [&](unsigned message, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (message != kPrivate) return std::nullopt;
      if (destroy) {
        platform().DestroyWindow(h);
      } else {
        platform().EndModalLoop(h, 42);
      }
      return 0;
    };
    platform().PostMessage(h, kPrivate, 0, 0);
    EXPECT_EQ(platform().RunModalLoop(h), destroy ? mb::IDCANCEL : 42) << destroy;
    platform().DestroyWindow(h);
  }
}

TEST(Win32ModalLoop, LeavesTheQuitMessageToTheMainLoop) {
  TestWindow dialog;
  const Handle h = Create(dialog);
  ASSERT_NE(h, 0u);
  dialog.on = [](unsigned message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == kPrivate) platform().PostQuitMessage(5);
    return std::nullopt;
  };
  platform().PostMessage(h, kPrivate, 0, 0);
  EXPECT_EQ(platform().RunModalLoop(h), mb::IDCANCEL);
  EXPECT_TRUE(platform().IsWindow(h));
  EXPECT_EQ(platform().RunMessageLoop(), 5);
  platform().DestroyWindow(h);
}

TEST(Win32Timers, PostTheirIdUntilKilled) {
  constexpr unsigned kTimer = 1002, kLater = 1003;
  TestWindow window;
  const Handle h = Create(window);
  ASSERT_NE(h, 0u);
  int fired = 0;
  window.on = [&](unsigned message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != wm::TIMER) return std::nullopt;
    if (wParam == kTimer && ++fired == 2) {
      platform().KillTimer(h, kTimer);
      // A timer still running would fire a few more times before this one.
      platform().SetTimer(h, kLater, 60);
    } else if (wParam == kLater) {
      platform().KillTimer(h, kLater);
      platform().PostQuitMessage(0);
    }
    return 0;
  };
  platform().SetTimer(h, kTimer, 10);
  platform().RunMessageLoop();
  EXPECT_EQ(fired, 2);
  platform().DestroyWindow(h);
}

TEST(Win32Drawing, WorkersDrawOnTheGuiThreadAndNotOnceTheWindowIsGone) {
  TestWindow window, gone;
  const Handle h = Create(window, ws::POPUP | ws::VISIBLE);
  ASSERT_NE(h, 0u);
  const Handle gone_h = Create(gone);
  ASSERT_NE(gone_h, 0u);
  platform().DestroyWindow(gone_h);
  const std::thread::id gui = std::this_thread::get_id();
  std::thread::id drawn_on;
  auto token = std::make_shared<int>(0);
  bool drew_on_gone = false;
  std::thread worker([&] {
    platform().DrawOnWindow(h, [&](Canvas& canvas) {
      drawn_on = std::this_thread::get_id();
      canvas.DrawText(L"x", FontSpec{L"Tahoma", 12}, 0xFFFFFFFF, RectF{0, 0, 0, 0});
    });
    platform().DrawOnWindow(gone_h, [&, token](Canvas&) { drew_on_gone = true; });
  });
  worker.join();
  Pump();
  EXPECT_EQ(drawn_on, gui);
  EXPECT_FALSE(drew_on_gone);
  EXPECT_EQ(token.use_count(), 1) << "the dropped drawing is freed";
  platform().DestroyWindow(h);
}

}  // namespace
}  // namespace lv::win32
