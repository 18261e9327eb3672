#include <gtest/gtest.h>

#include <memory>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "browser/web_dlg.h"
#include "game/vaziv_game.h"
#include "support/headless_fixture.h"

namespace lv {
namespace {

using headless::WindowState;

class LauncherTest : public testing::HeadlessTest {
 protected:
  void Start(int mode = 0) {
    desk.SetScreen(Size{1366, 768}, Rect{0, 0, 1366, 728});
    launcher = std::make_unique<CMainWnd>(mode);
    h = launcher->GetSafeHwnd();
    ASSERT_NE(h, 0u);
    if (mode == 0) platform().ShowWindow(h, sw::SHOW);
    desk.Pump();
  }
  WindowState& st() { return desk.state(h); }
  void Move(int x, int y) { desk.Mouse(h, wm::MOUSEMOVE, x, y); }
  void Click(int x, int y, unsigned message) { desk.Mouse(h, message, x, y); }
  Handle page() const { return launcher->m_pWebDlg ? launcher->m_pWebDlg->GetSafeHwnd() : 0; }

  std::unique_ptr<CMainWnd> launcher;
  Handle h = 0;
};

TEST_F(LauncherTest, OpensCentredWithItsSkinAndTitle) {
  Start();
  EXPECT_EQ(st().rect, (Rect{83, -16, 1283, 784}));  // (1366-1200)/2, (768-800)/2 truncated
  EXPECT_EQ(st().text, L"LumioVeyra");
  EXPECT_TRUE(st().visible);
  EXPECT_TRUE(st().ex_style & ws::EX_LAYERED);
  ASSERT_GE(st().layered_updates, 1);
  EXPECT_EQ(st().layered_surface.width, 1200);
  EXPECT_EQ(st().layered_surface.height, 800);
  EXPECT_EQ(st().layered_dest, (Point{83, -16}));
  EXPECT_EQ(g_pMainWnd, launcher.get());
}

// Each area: its rectangle, and what a click after hovering does.
struct AreaCase {
  const char* name;
  Point inside;
  const wchar_t* opens;  // null: not a link
};

TEST_F(LauncherTest, LinksOpenOnceAfterHoverAndNeverWithoutIt) {
  desk.SetModulePath(folder.wide("lumioveyra"));
  folder.Write("servers.ini", "[servers]\nsite=http://127.0.0.1:9001\npay=http://127.0.0.1:9002/\n"
                              "kefu=http://127.0.0.1:9003\n");
  Start();
  const AreaCase cases[] = {
      {"site", {367, 219}, L"http://127.0.0.1:9001"},
      {"pay", {568, 254}, L"http://127.0.0.1:9002/?g=vy"},
      {"forum", {800, 230}, L"http://127.0.0.1:9001"},
      {"service", {900, 240}, L"http://127.0.0.1:9003/kefu/"},
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = desk.shell_opens().size();
    Click(c.inside.x, c.inside.y, wm::LBUTTONUP);  // no hover first: nothing
    EXPECT_EQ(desk.shell_opens().size(), before);
    Move(c.inside.x, c.inside.y);
    Click(c.inside.x, c.inside.y, wm::LBUTTONDOWN);
    EXPECT_EQ(desk.move_drags(), 0);
    Click(c.inside.x, c.inside.y, wm::LBUTTONUP);
    ASSERT_EQ(desk.shell_opens().size(), before + 1);
    EXPECT_EQ(desk.shell_opens().back(), c.opens);
    Click(c.inside.x, c.inside.y, wm::LBUTTONUP);  // the release reset the state
    EXPECT_EQ(desk.shell_opens().size(), before + 1);
  }
}

TEST_F(LauncherTest, HoverShowsTheSecondFrameOfExactlyOneButton) {
  Start();
  const Surface normal = st().layered_surface;
  Move(1030, 220);  // close
  EXPECT_EQ(launcher->m_nCloseState, 1);
  EXPECT_EQ(desk.cursor(), Cursor::Hand);
  const Surface hover = st().layered_surface;
  // The close area now holds frame 1 of image 138; nothing outside it changed.
  ASSERT_TRUE(launcher->m_pImgClose && launcher->m_pImgClose->ok);
  Surface expected = normal;
  for (int y = 213; y < 241; ++y)
    for (int x = 1025; x < 1053; ++x) expected.Row(y)[x] = launcher->m_pImgBack->pixels.At(x, y);
  BlendInto(expected, launcher->m_pImgClose->pixels, Rect{0, 28, 28, 56}, Rect{1025, 213, 1053, 241});
  EXPECT_TRUE(hover.pixels == expected.pixels);

  Move(400, 230);  // onto the site link: close goes back to normal
  EXPECT_EQ(launcher->m_nCloseState, 0);
  EXPECT_EQ(launcher->m_nSiteState, 1);
  Move(10, 10);  // nowhere: all back, the surface equals the first one
  EXPECT_EQ(launcher->m_nSiteState, 0);
  EXPECT_TRUE(st().layered_surface.pixels == normal.pixels);
}

TEST_F(LauncherTest, PressOutsideTheButtonsDragsTheWindow) {
  Start();
  Click(600, 400, wm::LBUTTONDOWN);
  EXPECT_EQ(desk.move_drags(), 1);
  EXPECT_EQ(desk.capture_releases(), 1);
}

TEST_F(LauncherTest, MinimiseNeedsAHoverFirst) {
  Start();
  Click(1080, 220, wm::LBUTTONUP);
  EXPECT_FALSE(st().iconic);
  Move(1080, 220);
  Click(1080, 220, wm::LBUTTONUP);
  EXPECT_TRUE(st().iconic);
}

TEST_F(LauncherTest, CloseAlwaysAsksAndOnlyOkEndsTheProgram) {
  Start();
  desk.AnswerNextMessageBox(mb::IDCANCEL);
  Click(1030, 220, wm::LBUTTONUP);  // no hover needed
  ASSERT_EQ(desk.message_boxes().size(), 1u);
  EXPECT_EQ(desk.message_boxes()[0].text, L"确定要退出吗？");
  EXPECT_EQ(desk.message_boxes()[0].caption, L"退出提示");
  EXPECT_EQ(desk.message_boxes()[0].flags, mb::OKCANCEL | mb::ICONQUESTION);
  EXPECT_EQ(desk.message_boxes()[0].owner, 0u);
  EXPECT_TRUE(platform().IsWindow(h));
  ASSERT_EQ(desk.tray_icons().size(), 1u);

  desk.AnswerNextMessageBox(mb::IDOK);
  Click(1030, 220, wm::LBUTTONUP);
  EXPECT_FALSE(platform().IsWindow(h));
  EXPECT_TRUE(desk.tray_icons().empty());
  EXPECT_TRUE(desk.quit_posted());
  EXPECT_EQ(launcher->m_pWebDlg, nullptr);
}

TEST_F(LauncherTest, ReportTimerFiresOnceAfterTenSeconds) {
  Start();
  desk.ClearPostedLog();
  desk.AdvanceTime(9999);
  EXPECT_TRUE(desk.posted_log().empty());
  desk.AdvanceTime(1);
  ASSERT_EQ(desk.posted_log().size(), 1u);
  EXPECT_EQ(desk.posted_log()[0].message, wm::TIMER);
  EXPECT_EQ(desk.posted_log()[0].wParam, kReportTimerId);
  desk.AdvanceTime(60000);
  EXPECT_EQ(desk.posted_log().size(), 1u);
}

TEST_F(LauncherTest, PageWindowFollowsTheLauncherAndShowsOnlyAfterItsFirstPage) {
  Start();
  ASSERT_NE(page(), 0u);
  EXPECT_FALSE(desk.state(page()).visible);
  EXPECT_EQ(desk.state(page()).rect, (Rect{83 + 351, -16 + 263, 83 + 976, -16 + 632}));
  desk.UserMove(h, 200, 100);
  EXPECT_EQ(desk.state(page()).rect, (Rect{551, 363, 1176, 732}));

  platform().ShowWindow(h, sw::HIDE);
  platform().ShowWindow(h, sw::SHOW);
  EXPECT_FALSE(desk.state(page()).visible);  // its first page has not loaded yet
  launcher->m_bFirstLoad = 0;
  platform().ShowWindow(h, sw::HIDE);
  EXPECT_FALSE(desk.state(page()).visible);
  platform().ShowWindow(h, sw::SHOW);
  EXPECT_TRUE(desk.state(page()).visible);
}

TEST_F(LauncherTest, HiddenStartCreatesThePageWindowAtTheFirstShowing) {
  Start(1);
  EXPECT_FALSE(st().visible);
  EXPECT_EQ(launcher->m_pWebDlg, nullptr);
  ASSERT_EQ(desk.tray_icons().size(), 1u);
  platform().ShowWindow(h, sw::SHOW);
  ASSERT_NE(page(), 0u);
  EXPECT_EQ(launcher->m_bPageCreated, 1);
  EXPECT_EQ(desk.state(page()).rect, (Rect{83 + 351, -16 + 263, 83 + 976, -16 + 632}));
  EXPECT_FALSE(desk.state(page()).visible);
}

TEST_F(LauncherTest, OpenGameHidesTheLauncherAndBackShowsItAgain) {
  Start();
  platform().SendMessage(h, WM_OPEN_GAME, 0, 0);
  ASSERT_NE(launcher->m_pGameWnd, nullptr);
  CVazivGame* game = launcher->m_pGameWnd;
  EXPECT_FALSE(st().visible);
  EXPECT_TRUE(desk.state(game->GetSafeHwnd()).visible);

  platform().ShowWindow(h, sw::SHOW);
  platform().SendMessage(h, WM_OPEN_GAME, 0, 0);  // a second one: no second window
  EXPECT_EQ(launcher->m_pGameWnd, game);
  EXPECT_FALSE(st().visible);

  platform().PostMessage(h, WM_BACK_TO_LAUNCHER, 0, 0);
  desk.Pump();
  EXPECT_EQ(launcher->m_pGameWnd, nullptr);
  EXPECT_TRUE(st().visible);
  EXPECT_TRUE(st().foreground);
  platform().PostMessage(h, WM_BACK_TO_LAUNCHER, 0, 0);  // without a game window
  desk.Pump();
  EXPECT_TRUE(st().visible);
}

TEST_F(LauncherTest, TrayExitEndsWithoutAsking) {
  Start();
  desk.TrayMouse(wm::RBUTTONDOWN);
  ASSERT_EQ(desk.last_menu().size(), 1u);
  EXPECT_EQ(desk.last_menu()[0].text, L"退出");
  desk.ChooseMenuItem(kTrayMenuExit);
  EXPECT_TRUE(desk.message_boxes().empty());
  EXPECT_FALSE(platform().IsWindow(h));
}

}  // namespace
}  // namespace lv
