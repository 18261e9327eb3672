#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_fixture.h"

namespace lv {
namespace {

using headless::DrawOp;

class GameToolbarTest : public testing::GameTest {
 protected:
  // 1300 wide: the window restored on a 1366 x 768 screen.
  void Open(bool trial = false) {
    StartLauncher();
    launcher->m_bGameMaximized = 0;
    launcher->m_bHideBindBtn = trial ? 0 : 1;
    OpenGame();
  }
  void Resize() { platform().SendMessage(h, wm::SIZE, size_type::RESTORED, MakeLParam(game->m_nWidth, game->m_nHeight)); }
  static Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void At(unsigned message, const Rect& r) { Mouse(message, Centre(r).x, Centre(r).y); }
  void Click(const Rect& r) {
    At(wm::MOUSEMOVE, r);
    At(wm::LBUTTONDOWN, r);
    At(wm::LBUTTONUP, r);
  }
  // The source rectangle the latest painting used for image `id`.
  Rect PaintedFrame(int id) {
    for (const DrawOp& op : st().last_paint) {
      if (op.kind == DrawOp::kImage && op.image_id == id) return op.src;
    }
    return Rect{-1, -1, -1, -1};
  }
  bool BackToLauncherPosted() {
    for (const Msg& m : desk.posted_log()) {
      if (m.message == WM_BACK_TO_LAUNCHER && m.hwnd == launcher->GetSafeHwnd()) return true;
    }
    return false;
  }
  // Until the blink worker has ended and its last drawing has run.
  void WaitForBlinkToEnd() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (game->m_pShared.use_count() > 1 && std::chrono::steady_clock::now() < deadline) {
      desk.Pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    desk.Pump();
    ASSERT_EQ(game->m_pShared.use_count(), 1);
  }
  // One blink step: the worker wakes, hands over its drawing and sleeps again.
  void Step(int sleeps_so_far) {
    desk.Advance(150);
    ASSERT_TRUE(desk.WaitForSleeps(sleeps_so_far + 1));
    desk.Pump();
  }
};

TEST_F(GameToolbarTest, LaysOutTheButtonsFromTheRightEdge) {
  const struct {
    const char* name;
    bool trial, vip;
    Rect bind, vip_rect;
    int drag_right;
  } kCases[] = {
      {"plain", false, false, {}, {}, 904},
      {"trial account", true, false, {768, 9, 904, 31}, {}, 763},
      {"trial account and VIP", true, true, {768, 9, 904, 31}, {688, 9, 763, 31}, 683},
      {"VIP", false, true, {}, {829, 9, 904, 31}, 824},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Open(c.trial);
    ASSERT_EQ(game->m_nWidth, 1300);
    if (c.vip) {
      game->m_imFields = {"a", "b"};
      Resize();
    }
    EXPECT_EQ(game->m_rcPay, (Rect{909, 9, 984, 31}));
    EXPECT_EQ(game->m_rcServer, (Rect{989, 9, 1054, 31}));
    EXPECT_EQ(game->m_rcClean, (Rect{1059, 9, 1134, 31}));
    EXPECT_EQ(game->m_rcBoss, (Rect{1139, 9, 1204, 31}));
    EXPECT_EQ(game->m_rcMin, (Rect{1212, 7, 1237, 32}));
    EXPECT_EQ(game->m_rcMax, (Rect{1240, 7, 1265, 32}));
    EXPECT_EQ(game->m_rcClose, (Rect{1268, 7, 1293, 32}));
    EXPECT_EQ(game->m_pShared->m_rcBind, c.bind);
    EXPECT_EQ(game->m_rcVip, c.vip_rect);
    EXPECT_EQ(game->m_rcDrag, (Rect{0, 0, c.drag_right, 40}));
    CloseGame();
  }
}

TEST_F(GameToolbarTest, ButtonsPaintTheFrameOfTheirState) {
  Open();
  EXPECT_EQ(PaintedFrame(136), (Rect{0, 0, 25, 25}));
  At(wm::MOUSEMOVE, game->m_rcClose);
  EXPECT_EQ(PaintedFrame(136), (Rect{25, 0, 50, 25}));
  At(wm::LBUTTONDOWN, game->m_rcClose);
  EXPECT_EQ(PaintedFrame(136), (Rect{50, 0, 75, 25}));
  At(wm::MOUSEMOVE, game->m_rcServer);
  EXPECT_EQ(PaintedFrame(136), (Rect{0, 0, 25, 25}));
  EXPECT_EQ(PaintedFrame(154), (Rect{0, 22, 65, 44}));
  EXPECT_EQ(PaintedFrame(150), (Rect{0, 0, 25, 25}));  // restored: the maximise face
  EXPECT_EQ(PaintedFrame(157).left, -1);

  game->m_pShared->m_bCleaning = 1;
  game->m_imFields = {"a"};
  Resize();
  platform().InvalidateRect(h, nullptr, false);
  desk.Pump();
  EXPECT_EQ(PaintedFrame(134).left, -1);
  EXPECT_EQ(PaintedFrame(135), (Rect{0, 0, 75, 22}));
  EXPECT_EQ(PaintedFrame(160), (Rect{0, 0, 75, 22}));
  game->m_pShared->m_bVipPending = 1;  // the VIP blink draws it then
  platform().InvalidateRect(h, nullptr, false);
  desk.Pump();
  EXPECT_EQ(PaintedFrame(160).left, -1);
}

TEST_F(GameToolbarTest, AReleaseFiresOnlyWhatThePressOrHoverArmed) {
  Open();
  // Pressed, then left before the release: nothing.
  At(wm::MOUSEMOVE, game->m_rcClose);
  At(wm::LBUTTONDOWN, game->m_rcClose);
  Mouse(wm::MOUSEMOVE, 600, 20);
  EXPECT_EQ(game->m_nCloseState, 0);
  At(wm::LBUTTONUP, game->m_rcClose);
  EXPECT_TRUE(desk.message_boxes().empty());

  // Released without a hover first: nothing, not even a repaint.
  for (const Rect* r : {&game->m_rcServer, &game->m_rcBoss, &game->m_rcClean, &game->m_rcPay, &game->m_rcMin}) {
    st().invalidated.clear();
    At(wm::LBUTTONUP, *r);
    EXPECT_TRUE(st().invalidated.empty());
  }
  EXPECT_TRUE(desk.message_boxes().empty());
  EXPECT_FALSE(st().iconic);

  // A caption button hovered but not pressed does not fire either.
  At(wm::MOUSEMOVE, game->m_rcMin);
  At(wm::LBUTTONUP, game->m_rcMin);
  EXPECT_FALSE(st().iconic);
}

TEST_F(GameToolbarTest, CloseAndChooseServerAskBeforeLeavingTheGame) {
  Open();
  for (const Rect* button : {&game->m_rcClose, &game->m_rcServer}) {
    desk.ClearPostedLog();
    Click(*button);  // Cancel: the game stays
    ASSERT_FALSE(desk.message_boxes().empty());
    const headless::MessageBoxRecord& box = desk.message_boxes().back();
    EXPECT_EQ(box.text, L"确定要退出当前正在玩的游戏吗？");
    EXPECT_EQ(box.caption, L"退出提示");
    EXPECT_EQ(box.flags, mb::OKCANCEL | mb::ICONQUESTION);
    EXPECT_EQ(box.owner, 0u);
    EXPECT_FALSE(BackToLauncherPosted());
  }
  const std::size_t boxes = desk.message_boxes().size();
  desk.AnswerNextMessageBox(mb::IDOK);
  Click(game->m_rcServer);
  EXPECT_EQ(desk.message_boxes().size(), boxes + 1);
  EXPECT_EQ(launcher->m_pGameWnd, nullptr);  // the launcher took it down
  EXPECT_TRUE(desk.state(launcher->GetSafeHwnd()).visible);
}

TEST_F(GameToolbarTest, MinimiseAndMaximiseRestoreRunOnTheirRelease) {
  Open();
  Click(game->m_rcMax);
  EXPECT_TRUE(st().zoomed);
  EXPECT_EQ(launcher->m_bGameMaximized, 1);
  EXPECT_EQ(PaintedFrame(157), (Rect{0, 0, 25, 25}));
  Click(game->m_rcMax);  // laid out again for the new width
  EXPECT_FALSE(st().zoomed);
  EXPECT_EQ(launcher->m_bGameMaximized, 0);
  Click(game->m_rcMin);
  EXPECT_TRUE(st().iconic);
}

TEST_F(GameToolbarTest, BossKeyTipFollowsTheMouseAndTheButtonOpensTheDialog) {
  Open();
  At(wm::MOUSEMOVE, game->m_rcBoss);
  EXPECT_TRUE(game->m_tip->IsVisible());
  Mouse(wm::MOUSEMOVE, 300, 20);  // the bare caption leaves it up
  EXPECT_TRUE(game->m_tip->IsVisible());
  At(wm::MOUSEMOVE, game->m_rcClose);
  EXPECT_FALSE(game->m_tip->IsVisible());
  At(wm::MOUSEMOVE, game->m_rcBoss);
  desk.MouseLeave(h);
  EXPECT_FALSE(game->m_tip->IsVisible());
  EXPECT_EQ(game->m_nBossState, 1);  // leaving keeps the hover states

  bool ran = false;
  desk.OnNextModal([&](Handle dialog) {
    ran = true;
    EXPECT_EQ(desk.state(dialog).rect.left, st().rect.left);  // over the game window
    EXPECT_FALSE(st().enabled);
  });
  At(wm::LBUTTONUP, game->m_rcBoss);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(st().enabled);
}

TEST_F(GameToolbarTest, HoverRefreshSparesTheSpinnerWhileCleaning) {
  Open();
  game->m_pShared->m_bCleaning = 1;
  st().invalidated.clear();
  At(wm::MOUSEMOVE, game->m_rcClose);
  const std::vector<Rect>& inv = st().invalidated;
  const Rect c = game->m_rcClean;
  EXPECT_EQ(std::count(inv.begin(), inv.end(), c), 0);
  for (const Rect& strip : {Rect{c.left + 22, c.top, c.right, c.bottom}, Rect{c.left, c.top, c.left + 5, c.bottom},
                            Rect{c.left, c.top, c.left + 22, c.top + 2},
                            Rect{c.left, c.bottom - 2, c.left + 22, c.bottom}}) {
    EXPECT_EQ(std::count(inv.begin(), inv.end(), strip), 1);
  }
  EXPECT_EQ(std::count(inv.begin(), inv.end(), game->m_rcPay), 1);

  game->m_pShared->m_bCleaning = 0;
  st().invalidated.clear();
  Mouse(wm::MOUSEMOVE, 300, 20);
  EXPECT_EQ(std::count(inv.begin(), inv.end(), c), 1);
}

TEST_F(GameToolbarTest, ActivationButtonBlinksItsFramesAndGoesOnceActivated) {
  StartLauncher();
  launcher->m_bHideBindBtn = 0;
  OpenGame();  // maximised: 1366 wide
  const Rect bind{834, 9, 970, 31};
  ASSERT_EQ(game->m_pShared->m_rcBind, bind);
  const std::vector<DrawOp>& draws = st().direct_draws;

  desk.Advance(150);  // timer 1001 starts the worker
  ASSERT_TRUE(desk.WaitForSleeps(1));
  desk.Pump();
  for (int i = 1; i < 10; ++i) Step(i);
  ASSERT_EQ(draws.size(), 9u);  // the tenth step lies below the sprite: nothing
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(draws[i].image_id, 142);
    EXPECT_EQ(draws[i].src, (Rect{0, 22 * i, 136, 22 * i + 22}));
    EXPECT_EQ(draws[i].dst, bind);
  }
  Step(10);  // the next cycle starts with frame 0 again
  ASSERT_EQ(draws.size(), 10u);
  EXPECT_EQ(draws[9].src, (Rect{0, 0, 136, 22}));

  launcher->m_bHideBindBtn = 1;  // activated: the worker ends its cycle, then hides the button
  for (int i = 11; i < 20; ++i) Step(i);
  st().invalidated.clear();
  desk.Advance(150);
  WaitForBlinkToEnd();
  EXPECT_EQ(desk.sleeps(), 20);
  EXPECT_EQ(draws.size(), 18u);
  EXPECT_EQ(game->m_pShared->m_rcBind, (Rect{0, 0, -1, -1}));
  EXPECT_EQ(st().invalidated, (std::vector<Rect>{{0, 0, 1366, 40}}));
  EXPECT_EQ(game->m_rcDrag.right, 1366 - 537);  // until the next size change
}

TEST_F(GameToolbarTest, BlinkWaitsUntilTheWindowIsVisible) {
  StartLauncher();
  launcher->m_bHideBindBtn = 0;
  OpenGame();
  platform().ShowWindow(h, sw::HIDE);  // the boss key, say
  desk.Advance(150);
  EXPECT_EQ(game->m_pShared.use_count(), 1);  // no worker yet
  desk.Advance(50);
  EXPECT_EQ(game->m_pShared.use_count(), 1);
  platform().ShowWindow(h, sw::SHOW);
  desk.Advance(50);
  EXPECT_EQ(game->m_pShared.use_count(), 2);
  ASSERT_TRUE(desk.WaitForSleeps(1));
}

TEST_F(GameToolbarTest, ClosingStopsTheBlinkWithoutAnotherDrawing) {
  StartLauncher();
  launcher->m_bHideBindBtn = 0;
  OpenGame();
  desk.Advance(150);
  ASSERT_TRUE(desk.WaitForSleeps(1));
  desk.Pump();
  Step(1);
  Step(2);
  const int draws = desk.draw_requests(h);
  EXPECT_EQ(draws, 3);

  CloseGame();  // the gate closes; the worker wakes once more and ends
  ASSERT_TRUE(shared.expired());
  EXPECT_EQ(desk.draw_requests(h), draws);  // neither a frame nor the hiding
  EXPECT_EQ(desk.sleeps(), 3);
}

}  // namespace
}  // namespace lv
