// The boss key and the tray icon, driven through the headless desktop's
// hot keys and tray callbacks.
#include <gtest/gtest.h>

#include <memory>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "browser/web_dlg.h"
#include "game/vaziv_game.h"
#include "support/headless_fixture.h"

namespace lv {
namespace {

class BossKeyTest : public testing::HeadlessTest {
 protected:
  void Start(int mode = 0) {
    launcher = std::make_unique<CMainWnd>(mode);
    h = launcher->GetSafeHwnd();
    ASSERT_NE(h, 0u);
    if (mode == 0) platform().ShowWindow(h, sw::SHOW);
    desk.Pump();
  }
  Handle OpenGame() {
    platform().SendMessage(h, WM_OPEN_GAME, 0, 0);
    desk.Pump();
    return launcher->m_pGameWnd->GetSafeHwnd();
  }
  void CloseGame() {
    platform().PostMessage(h, WM_BACK_TO_LAUNCHER, 0, 0);
    desk.Pump();
  }
  void Minimise() {
    platform().SendMessage(h, wm::SYSCOMMAND, sc::MINIMIZE, 0);
    desk.Pump();
  }
  void PressF10() { desk.PressHotKey(0, vk::F10); }
  // The program's own end, which also takes the tray icon away.
  void End() {
    if (launcher->m_pGameWnd) CloseGame();
    platform().SendMessage(h, wm::CLOSE, 0, 0);
    launcher.reset();
  }

  std::unique_ptr<CMainWnd> launcher;
  Handle h = 0;
};

// What the key acts on in each situation: the target flips between hidden
// and shown (shown in front, minimised or not as before); every other window
// keeps its visibility.
struct ToggleCase {
  const char* name;
  int start_mode;
  bool minimised;
  bool game_open;
  bool launcher_beside_game;  // brought back from the tray while a game runs
};

TEST_F(BossKeyTest, TogglesExactlyOneWindow) {
  const ToggleCase cases[] = {
      {"launcher alone", 0, false, false, false},
      {"minimised launcher counts as visible", 0, true, false, false},
      {"hidden start", 1, false, false, false},
      {"game open: only the game window", 0, false, true, false},
      {"game open beside the launcher", 0, false, true, true},
  };
  for (const ToggleCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.start_mode);
    if (c.minimised) Minimise();
    const Handle game = c.game_open ? OpenGame() : 0;
    if (c.launcher_beside_game) desk.TrayMouse(wm::LBUTTONDBLCLK);
    const Handle target = game ? game : h;
    const Handle other = game ? h : 0;
    const bool other_visible = other && desk.state(other).visible;
    const bool iconic = desk.state(target).iconic;
    EXPECT_EQ(iconic, c.minimised);

    EXPECT_EQ(desk.state(target).visible, c.start_mode == 0);
    for (int press = 0; press < 2; ++press) {
      const bool was_visible = desk.state(target).visible;
      ASSERT_TRUE(was_visible || !desk.state(target).foreground);
      PressF10();
      EXPECT_EQ(desk.state(target).visible, !was_visible) << "press " << press;
      EXPECT_TRUE(was_visible || desk.state(target).foreground) << "press " << press;
      EXPECT_EQ(desk.state(target).iconic, iconic) << "press " << press;
      EXPECT_EQ(other && desk.state(other).visible, other_visible) << "press " << press;
    }
    EXPECT_NE(launcher->m_pWebDlg, nullptr);  // after a hidden start, made at the first showing
    End();
  }
}

TEST_F(BossKeyTest, OnlyTheBossKeyIdToggles) {
  Start();
  platform().PostMessage(h, wm::HOTKEY, kBossHotKeyId + 1, 0);
  desk.Pump();
  EXPECT_TRUE(desk.state(h).visible);
  platform().PostMessage(h, wm::HOTKEY, kBossHotKeyId, 0);
  desk.Pump();
  EXPECT_FALSE(desk.state(h).visible);
}

TEST_F(BossKeyTest, TrayIconLivesFromCreationToClose) {
  Start();
  ASSERT_EQ(desk.tray_icons().size(), 1u);
  const auto& icon = desk.tray_icons()[0];
  EXPECT_EQ(icon.h, h);
  EXPECT_EQ(icon.id, 148u);
  EXPECT_EQ(icon.callback, WM_TRAYICON);
  EXPECT_EQ(icon.tip, L"LumioVeyra");
  platform().SendMessage(h, wm::CLOSE, 0, 0);
  EXPECT_TRUE(desk.tray_icons().empty());
}

// A double-click on the tray icon always brings the launcher back in front,
// restored if it was minimised, without touching an open game window.
struct TrayCase {
  const char* name;
  int start_mode;
  bool minimised;
  bool hidden_by_key;
  bool game_open;
};

TEST_F(BossKeyTest, TrayDoubleClickBringsTheLauncherBack) {
  const TrayCase cases[] = {
      {"hidden by the boss key", 0, false, true, false},
      {"minimised", 0, true, false, false},
      {"minimised, then hidden by the boss key", 0, true, true, false},
      {"hidden start", 1, false, false, false},
      {"while a game is open", 0, false, false, true},
  };
  for (const TrayCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.start_mode);
    if (c.minimised) Minimise();
    if (c.hidden_by_key) PressF10();
    const Handle game = c.game_open ? OpenGame() : 0;
    EXPECT_TRUE(!desk.state(h).visible || desk.state(h).iconic);
    if (game) platform().SetForegroundWindow(game);

    desk.TrayMouse(wm::LBUTTONDBLCLK);
    EXPECT_TRUE(desk.state(h).visible);
    EXPECT_FALSE(desk.state(h).iconic);
    EXPECT_TRUE(desk.state(h).foreground);
    EXPECT_NE(launcher->m_pWebDlg, nullptr);
    EXPECT_TRUE(!game || desk.state(game).visible);
    End();
  }
}

TEST_F(BossKeyTest, TrayRightClickOffersExitAndOtherMouseMessagesDoNothing) {
  Start();
  PressF10();  // hidden: the menu still comes, with the launcher in front
  desk.TrayMouse(wm::MOUSEMOVE);
  desk.TrayMouse(wm::LBUTTONDOWN);
  EXPECT_TRUE(desk.last_menu().empty());
  EXPECT_FALSE(desk.state(h).visible);

  desk.TrayMouse(wm::RBUTTONDOWN);
  ASSERT_EQ(desk.last_menu().size(), 1u);
  EXPECT_EQ(desk.last_menu()[0].command, kTrayMenuExit);
  EXPECT_EQ(desk.last_menu()[0].text, L"退出");
  EXPECT_TRUE(desk.state(h).foreground);
  EXPECT_FALSE(desk.state(h).visible);
  EXPECT_TRUE(desk.message_boxes().empty());
}

}  // namespace
}  // namespace lv
