#include <gtest/gtest.h>

#include "browser/web_dlg.h"
#include "support/game_fixture.h"

namespace lv {
namespace {

using headless::DrawOp;

class GameWindowTest : public testing::GameTest {
 protected:
  // Opens the game window restored, where its geometry is its own.
  void OpenRestored(Size screen = {1366, 768}, Rect work_area = {0, 0, 1366, 728}) {
    StartLauncher(screen, work_area);
    launcher->m_bGameMaximized = 0;
    OpenGame();
  }
  Point Screen(int x, int y) { return Point{st().rect.left + x, st().rect.top + y}; }
  LRESULT HitAt(int x, int y) {
    const Point s = Screen(x, y);
    return desk.HitTest(h, s.x, s.y);
  }
};

TEST_F(GameWindowTest, OpensCentredAtTheSizeTheScreenAllows) {
  const struct {
    Size screen;
    Rect window;
  } kCases[] = {
      {{1366, 768}, {33, 21, 33 + 1300, 21 + 688}},
      {{1280, 1024}, {0, 83, 1280, 83 + 820}},
      {{1024, 768}, {0, 21, 1024, 21 + 688}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.screen.cx);
    OpenRestored(c.screen, Rect{0, 0, c.screen.cx, c.screen.cy - 40});
    EXPECT_EQ(st().rect, c.window);
    EXPECT_EQ(game->m_nWidth, c.window.Width());
    EXPECT_EQ(game->m_nHeight, c.window.Height());
    EXPECT_EQ(st().text, L"LumioVeyra");
    EXPECT_TRUE(st().visible);
    EXPECT_FALSE(desk.state(launcher->GetSafeHwnd()).visible);
    ASSERT_NE(pane(), nullptr);
    EXPECT_EQ(pane()->control_id(), 175);
    // Below the caption band from the start, inside a 2-pixel frame.
    EXPECT_EQ(pane()->rect, (Rect{2, 40, c.window.Width() - 2, c.window.Height() - 2}));
    EXPECT_EQ(g_pGameWnd, game);
    CloseGame();
  }
}

TEST_F(GameWindowTest, TracksNoSmallerThan1050By700) {
  OpenRestored({1024, 768});
  MinMaxInfo info{};
  platform().SendMessage(h, wm::GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.min_track_size.x, 1050);
  EXPECT_EQ(info.min_track_size.y, 700);
}

TEST_F(GameWindowTest, LauncherOpensItMaximisedAndTakesItBackWithTheListReloaded) {
  StartLauncher();
  OpenGame();
  EXPECT_TRUE(st().zoomed);
  EXPECT_EQ(st().rect, (Rect{0, 0, 1366, 728}));
  EXPECT_EQ(game->m_nWidth, 1366);
  EXPECT_EQ(game->m_nHeight, 728);
  EXPECT_EQ(pane()->rect, (Rect{2, 40, 1364, 726}));
  EXPECT_TRUE(st().visible);
  EXPECT_FALSE(desk.state(launcher->GetSafeHwnd()).visible);

  headless::FakeBrowserPane* list = desk.PaneOf(launcher->m_pWebDlg->GetSafeHwnd());
  ASSERT_NE(list, nullptr);
  const int refreshes = list->refreshes;
  platform().PostMessage(launcher->GetSafeHwnd(), WM_BACK_TO_LAUNCHER, 0, 0);
  desk.Pump();
  EXPECT_EQ(launcher->m_pGameWnd, nullptr);
  EXPECT_FALSE(platform().IsWindow(h));
  EXPECT_EQ(list->refreshes, refreshes + 1);
  EXPECT_TRUE(desk.state(launcher->GetSafeHwnd()).visible);
  EXPECT_TRUE(desk.state(launcher->GetSafeHwnd()).foreground);
  EXPECT_EQ(g_pGameWnd, nullptr);
}

TEST_F(GameWindowTest, WithoutABrowserNoGameWindowIsLeftAndTheLauncherStays) {
  StartLauncher();
  const std::size_t windows = desk.windows().size();
  desk.FailNextBrowserPane();
  platform().SendMessage(launcher->GetSafeHwnd(), WM_OPEN_GAME, 0, 0);
  desk.Pump();
  EXPECT_EQ(launcher->m_pGameWnd, nullptr);
  EXPECT_EQ(desk.windows().size(), windows);
  EXPECT_TRUE(desk.state(launcher->GetSafeHwnd()).visible);
  EXPECT_EQ(g_pGameWnd, nullptr);
}

TEST_F(GameWindowTest, EdgesHitTestInTableOrderWithTheirCursors) {
  OpenRestored();
  const int r = 1300, b = 688;
  const struct {
    Point p;
    int code;
    Cursor cursor;
  } kCases[] = {
      {{0, b - 1}, ht::BOTTOMLEFT, Cursor::SizeNESW},  {{-3, b + 1}, ht::BOTTOMLEFT, Cursor::SizeNESW},
      {{0, 0}, ht::TOPLEFT, Cursor::SizeNWSE},         {{2, 2}, ht::TOPLEFT, Cursor::SizeNWSE},
      {{r + 1, -3}, ht::TOPRIGHT, Cursor::SizeNESW},   {{r - 1, b - 1}, ht::BOTTOMRIGHT, Cursor::SizeNWSE},
      {{0, 300}, ht::LEFT, Cursor::SizeWE},            {{500, 3}, ht::TOP, Cursor::SizeNS},
      {{r - 1, 3}, ht::TOP, Cursor::SizeNS},           {{500, b - 1}, ht::BOTTOM, Cursor::SizeNS},
      {{r - 1, 300}, ht::RIGHT, Cursor::SizeWE},       {{500, 4}, ht::CLIENT, Cursor::Arrow},
      {{3, 300}, ht::CLIENT, Cursor::Arrow},           {{r, 300}, ht::CLIENT, Cursor::Arrow},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.p.x) + "," + ::testing::PrintToString(c.p.y));
    const LRESULT code = HitAt(c.p.x, c.p.y);
    EXPECT_EQ(code, c.code);
    platform().SendMessage(h, wm::SETCURSOR, h, MakeLParam(static_cast<int>(code), wm::MOUSEMOVE));
    EXPECT_EQ(desk.cursor(), c.cursor);
  }
}

TEST_F(GameWindowTest, BordersAndCaptionMoveAndSizeOnlyWhileRestored) {
  OpenRestored();
  const Point s = Screen(0, 300);
  platform().SendMessage(h, wm::NCLBUTTONDOWN, ht::LEFT, MakeLParam(s.x, s.y));
  platform().SendMessage(h, wm::NCLBUTTONDOWN, ht::BOTTOMRIGHT, MakeLParam(s.x, s.y));
  EXPECT_EQ(desk.resize_drags(), (std::vector<int>{ht::LEFT, ht::BOTTOMRIGHT}));
  Mouse(wm::LBUTTONDOWN, 300, 20);  // the free caption
  EXPECT_EQ(desk.move_drags(), 1);
  Mouse(wm::LBUTTONDOWN, 300, 60);  // the page area is not the caption
  EXPECT_EQ(desk.move_drags(), 1);

  launcher->m_bGameMaximized = 1;
  platform().SendMessage(h, wm::NCLBUTTONDOWN, ht::LEFT, MakeLParam(s.x, s.y));
  Mouse(wm::LBUTTONDOWN, 300, 20);
  EXPECT_EQ(desk.resize_drags().size(), 2u);
  EXPECT_EQ(desk.move_drags(), 1);
  EXPECT_EQ(HitAt(0, 300), ht::LEFT);  // the cursors still show
}

TEST_F(GameWindowTest, AMaximisedWindowIsLaidOutForTheWorkArea) {
  // A task bar at the left, and a notice that still carries the size from
  // before the maximise, as a desktop may send it.
  OpenRestored({1366, 768}, {60, 0, 1366, 768});
  platform().SendMessage(h, wm::SIZE, size_type::MAXIMIZED, MakeLParam(1300, 688));
  EXPECT_EQ(st().rect, (Rect{60, 0, 1366, 768}));
  EXPECT_EQ(game->m_nWidth, 1306);
  EXPECT_EQ(game->m_nHeight, 768);
  EXPECT_EQ(game->m_rcClose.right, 1306 - 7);
  EXPECT_EQ(pane()->rect, (Rect{2, 40, 1304, 766}));
}

TEST_F(GameWindowTest, OnlyExactlyScMaximizeSetsTheMaximisedFlag) {
  OpenRestored();
  platform().SendMessage(h, wm::SYSCOMMAND, sc::MAXIMIZE + 1, 0);
  EXPECT_EQ(launcher->m_bGameMaximized, 0);
  platform().SendMessage(h, wm::SYSCOMMAND, sc::RESTORE, 0);
  platform().SendMessage(h, wm::SYSCOMMAND, sc::MAXIMIZE, 0);
  EXPECT_EQ(launcher->m_bGameMaximized, 1);
  EXPECT_EQ(st().rect, (Rect{0, 0, 1366, 728}));
}

TEST_F(GameWindowTest, DoubleClickInTheCaptionTogglesAndTheLauncherRemembersIt) {
  StartLauncher();
  OpenGame();
  Mouse(wm::LBUTTONDBLCLK, 300, 20);
  EXPECT_EQ(launcher->m_bGameMaximized, 0);
  EXPECT_FALSE(st().zoomed);
  EXPECT_EQ(st().rect, (Rect{33, 21, 33 + 1300, 21 + 688}));
  EXPECT_EQ(pane()->rect, (Rect{2, 40, 1298, 686}));
  Mouse(wm::LBUTTONDBLCLK, 300, 60);  // below the caption: nothing
  EXPECT_FALSE(st().zoomed);

  CloseGame();
  OpenGame();  // the next game opens as the last one was left
  EXPECT_FALSE(st().zoomed);
  Mouse(wm::LBUTTONDBLCLK, 300, 20);
  EXPECT_EQ(launcher->m_bGameMaximized, 1);
  EXPECT_TRUE(st().zoomed);
}

TEST_F(GameWindowTest, PaintsFrameLogoToolbarAndTitleInOrder) {
  StartLauncher();
  OpenGame();
  std::vector<int> images;
  for (const DrawOp& op : st().last_paint) {
    if (op.kind == DrawOp::kImage) images.push_back(op.image_id);
  }
  // frame band and body, logo, choose server, pay, boss key, close, minimise, restore (maximised), clear cache
  EXPECT_EQ(images, (std::vector<int>{143, 143, 147, 154, 155, 140, 136, 151, 157, 134}));
  const std::vector<DrawOp>& ops = st().last_paint;
  EXPECT_EQ(ops[0].src, (Rect{0, 0, 800, 40}));
  EXPECT_EQ(ops[0].dst, (Rect{0, 0, 1366, 40}));
  EXPECT_EQ(ops[1].src, (Rect{0, 40, 800, 500}));  // rows 40..510, as far as the image goes
  EXPECT_EQ(ops[1].dst, (Rect{0, 40, 1366, 728}));
  EXPECT_EQ(ops[2].dst, (Rect{10, 5, 58, 34}));
  const DrawOp& title = ops.back();
  ASSERT_EQ(title.kind, DrawOp::kText);
  EXPECT_EQ(title.text, L"LumioVeyra--双线一区(F9刷新)");
  EXPECT_EQ(title.font.family, L"宋体");
  EXPECT_EQ(title.font.pixel_size, 13);
  EXPECT_FALSE(title.font.bold);
  EXPECT_EQ(title.argb, 0xFFE4D10Du);
  EXPECT_EQ(title.layout.x, 60);
  EXPECT_EQ(title.layout.y, 13);

  launcher->m_strServerName.clear();
  platform().InvalidateRect(h, nullptr, false);
  desk.Pump();
  EXPECT_EQ(st().last_paint.back().kind, DrawOp::kImage);
  EXPECT_EQ(st().text, L"LumioVeyra");
}

TEST_F(GameWindowTest, EscapeIsSwallowedAndSystemMinimiseIconifies) {
  StartLauncher();
  OpenGame();
  EXPECT_TRUE(desk.Key(pane()->hwnd(), wm::KEYDOWN, vk::ESCAPE));
  EXPECT_TRUE(pane()->accelerator_keys.empty());
  EXPECT_FALSE(desk.Key(pane()->hwnd(), wm::KEYDOWN, vk::F5));  // other keys go on to the page

  platform().PostMessage(h, wm::SYSCOMMAND, sc::MINIMIZE, 0);
  desk.Pump();
  EXPECT_TRUE(st().iconic);
  EXPECT_EQ(launcher->m_bGameMaximized, 1);  // still maximised underneath
}

// A stand-in for the payment, activation and VIP message windows.
class Popup : public Window {
 public:
  explicit Popup(bool* deleted) : deleted_(deleted) {
    WindowSpec spec;
    spec.style = ws::POPUP;
    platform().CreateWindowFor(this, spec);
  }
  ~Popup() override {
    *deleted_ = true;
    if (GetSafeHwnd()) platform().DestroyWindow(GetSafeHwnd());
  }
  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override {
    if (message == wm::CLOSE) ++closes;
    return Default(message, wParam, lParam);
  }
  int closes = 0;

 private:
  bool* deleted_;
};

TEST_F(GameWindowTest, PopupsThatAreDoneAreClosedAndDeleted) {
  StartLauncher();
  OpenGame();
  const struct {
    unsigned message;
    Window* CVazivGame::*field;
  } kCases[] = {
      {WM_CLOSE_PAY, &CVazivGame::m_pPayWnd},
      {WM_CLOSE_BIND, &CVazivGame::m_pBindWnd},
      {WM_CLOSE_VIPMSG, &CVazivGame::m_pVipWnd},
  };
  for (const auto& c : kCases) {
    bool deleted = false;
    auto* popup = new Popup(&deleted);
    const Handle ph = popup->GetSafeHwnd();
    game->*c.field = popup;
    platform().PostMessage(h, c.message, 0, 0);
    desk.Pump();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(platform().IsWindow(ph));
    EXPECT_EQ(game->*c.field, nullptr);
    platform().PostMessage(h, c.message, 0, 0);  // again, with nothing to close
    desk.Pump();
  }
}

TEST_F(GameWindowTest, TheOpenPaymentWindowFollowsMaximiseAndRestore) {
  StartLauncher();
  OpenGame();
  bool deleted = false;
  auto* pay = new Popup(&deleted);
  game->m_pPayWnd = pay;
  game->ToggleMaximize();  // restore: 1300 wide
  EXPECT_EQ(desk.state(pay->GetSafeHwnd()).rect, (Rect{900, 40, 900 + 238, 40 + 270}));
  game->ToggleMaximize();  // maximise: 1366 wide
  EXPECT_EQ(desk.state(pay->GetSafeHwnd()).rect, (Rect{966, 40, 966 + 238, 40 + 270}));
  platform().PostMessage(h, WM_CLOSE_PAY, 0, 0);
  desk.Pump();
}

TEST_F(GameWindowTest, ClosingReleasesTheBrowserTheTimerAndTheWindow) {
  StartLauncher();
  launcher->m_bHideBindBtn = 0;
  OpenGame();
  platform().SendMessage(h, wm::CLOSE, 0, 0);
  EXPECT_FALSE(platform().IsWindow(h));
  EXPECT_EQ(pane(), nullptr);
  EXPECT_FALSE(shared.lock()->m_hBlinkGate.IsOpen());
  EXPECT_EQ(game->m_pImgFrame, nullptr);
  EXPECT_EQ(game->m_pFont, nullptr);
  desk.Advance(1000);  // the blink's start timer went with the window
  EXPECT_EQ(desk.sleeps(), 0);
}

}  // namespace
}  // namespace lv
