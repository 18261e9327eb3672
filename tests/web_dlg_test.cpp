#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "browser/web_dlg.h"
#include "support/headless_fixture.h"
#include "support/script_call.h"

namespace lv {
namespace {

using headless::FakeBrowserPane;
using testing::Text;

constexpr wchar_t kAccessAddress[] = L"http://127.0.0.1:9100/game/s/wdAccess/?name=vy&uid=10002&suid=678";

// The launcher with its page window, as the player starts it.
class WebDlgTest : public testing::HeadlessTest {
 protected:
  WebDlgTest() {
    folder.Write("servers.ini", "[servers]\nsite=http://127.0.0.1:9100\npay=http://127.0.0.1:9100\n"
                                "kefu=http://127.0.0.1:9100\nportal=http://127.0.0.1:9100/\n"
                                "log=http://127.0.0.1:9100\ncs=http://127.0.0.1:9100\n");
    folder.Write("static.ini", "[vy]\nstart=1\nfilename=678\nuid=10002\n");
  }

  void Start(int mode = 0) {
    desk.SetScreen(Size{1366, 768}, Rect{0, 0, 1366, 728});
    launcher = std::make_unique<CMainWnd>(mode);
    h = launcher->GetSafeHwnd();
    ASSERT_NE(h, 0u);
    if (mode == 0) platform().ShowWindow(h, sw::SHOW);
    desk.Pump();
  }
  Handle page() const { return launcher->m_pWebDlg ? launcher->m_pWebDlg->GetSafeHwnd() : 0; }
  FakeBrowserPane* pane() const { return desk.PaneOf(page()); }
  bool Visible(Handle w) { return platform().IsWindowVisible(w); }

  // The page's window.external, as the pane's engine gets it.
  IDispatch* External() {
    void* handler = nullptr;
    pane()->site()->QueryInterface(IID_IDocHostUIHandler, &handler);
    IDispatch* external = nullptr;
    static_cast<IDocHostUIHandler*>(handler)->GetExternal(&external);
    static_cast<IDocHostUIHandler*>(handler)->Release();
    return external;
  }
  std::wstring WdJapi(const wchar_t* method, const wchar_t* argument) {
    return testing::Call(External(), L"WD_JAPI", {Text(method), Text(argument)}).text;
  }
  void FinishDocument(bool html = true) {
    pane()->document_html = html;
    pane()->events()->OnDocumentComplete(kAccessAddress);
    desk.Pump();
  }

  std::unique_ptr<CMainWnd> launcher;
  Handle h = 0;
};

TEST_F(WebDlgTest, LoadsTheAccessPageSilentlyInAHiddenPaneThatFillsThePageArea) {
  Start();
  ASSERT_NE(page(), 0u);
  ASSERT_NE(pane(), nullptr);
  EXPECT_EQ(pane()->control_id(), 174);
  EXPECT_TRUE(pane()->silent);
  EXPECT_EQ(pane()->navigations, std::vector<std::wstring>{kAccessAddress});
  ASSERT_NE(pane()->site(), nullptr);
  EXPECT_NE(External(), nullptr);
  EXPECT_FALSE(Visible(page()));
  EXPECT_EQ(desk.state(page()).rect, (Rect{83 + 351, -16 + 263, 83 + 976, -16 + 632}));
  EXPECT_EQ(pane()->rect, (Rect{0, 0, 625, 369}));

  platform().MoveWindow(page(), Rect{0, 0, 500, 300}, true);
  EXPECT_EQ(pane()->rect, (Rect{0, 0, 500, 300}));
}

TEST_F(WebDlgTest, OnlyTheFirstHtmlDocumentShowsThePage) {
  Start();
  FinishDocument(false);  // an image or a download: not the list
  EXPECT_FALSE(Visible(page()));
  EXPECT_EQ(launcher->m_bFirstLoad, 1);

  FinishDocument();
  EXPECT_TRUE(Visible(page()));
  EXPECT_EQ(launcher->m_bFirstLoad, 0);

  platform().ShowWindow(page(), sw::HIDE);
  FinishDocument();  // a frame, a reload: nothing changes
  EXPECT_FALSE(Visible(page()));
}

TEST_F(WebDlgTest, AFirstLoadWhileTheLauncherIsHiddenWaitsForTheLauncher) {
  Start();
  platform().ShowWindow(h, sw::HIDE);  // the boss key, say
  FinishDocument();
  EXPECT_FALSE(Visible(page()));
  EXPECT_EQ(launcher->m_bFirstLoad, 0);
  platform().ShowWindow(h, sw::SHOW);
  EXPECT_TRUE(Visible(page()));
}

TEST_F(WebDlgTest, OpenGameSplitsAddressAndServerNameAndOpensTheGameAtOnce) {
  Start();
  const struct {
    const wchar_t* text;
    const wchar_t* address;
    const wchar_t* server;
  } cases[] = {
      {L"http://g/3|f|三区", L"http://g/3", L"三区"},
      {L"x|y|z|w", L"x", L"z|w"},
      {L"x|y", L"x", L"y"},
      {L"x", L"x", L""},
      {L"", L"", L""},
      {L"|", L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    platform().ShowWindow(h, sw::SHOW);
    launcher->m_strServerName = L"old";
    WdJapi(L"OpenGame", c.text);
    // Sent, not posted: the game is open when the script call returns.
    EXPECT_FALSE(Visible(h));
    EXPECT_NE(launcher->m_pGameWnd, nullptr);
    EXPECT_EQ(launcher->m_strGameUrl, c.address);
    EXPECT_EQ(launcher->m_strServerName, c.server);
  }
}

TEST_F(WebDlgTest, PageCallsSetTheLauncherFields) {
  Start();
  EXPECT_EQ(WdJapi(L"getApiVersion", L""), L"1");
  WdJapi(L"ShowBindBtn", L"");
  EXPECT_EQ(launcher->m_bHideBindBtn, 0);
  WdJapi(L"openPay", L"http://127.0.0.1:9100/pay/");
  EXPECT_EQ(launcher->m_strPayUrl, L"http://127.0.0.1:9100/pay/");

  desk.ClearPostedLog();
  WdJapi(L"ShowIM", L"a|b|c|d|e|f|g|");
  EXPECT_EQ(launcher->m_strImParam, L"a|b|c|d|e|f|g|");
  ASSERT_EQ(desk.posted_log().size(), 1u);
  EXPECT_EQ(desk.posted_log()[0].hwnd, h);
  EXPECT_EQ(desk.posted_log()[0].message, WM_SHOW_IM);
  EXPECT_TRUE(Visible(h));  // none of these opens the game
}

TEST_F(WebDlgTest, ANavigationMarkedClientSpaceEqualsSpaceOneOpensTheGame) {
  Start();
  const struct {
    const wchar_t* url;
    bool opens;
  } cases[] = {
      {L"http://127.0.0.1:9100/play?client=1", false},
      {L"http://127.0.0.1:9100/play?client = 2", false},
      {L"http://127.0.0.1:9100/play?CLIENT = 1", false},
      {L"http://127.0.0.1:9100/play?client = 1&s=3", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.url));
    platform().ShowWindow(h, sw::SHOW);
    launcher->m_strGameUrl = L"before";
    launcher->m_strServerName = L"server";
    bool cancel = false;
    pane()->events()->OnBeforeNavigate(c.url, cancel);
    EXPECT_FALSE(cancel);  // the page goes there either way
    EXPECT_EQ(launcher->m_strGameUrl, c.opens ? c.url : L"before");
    EXPECT_EQ(Visible(h), !c.opens);
    EXPECT_EQ(launcher->m_strServerName, L"server");
  }
}

TEST_F(WebDlgTest, NewWindowsGoToTheBrowserUnlessMarkedForTheGame) {
  Start();
  const struct {
    const wchar_t* url;
    bool game;
  } cases[] = {
      {L"http://127.0.0.1:9100/news", false},
      {L"http://127.0.0.1:9100/news?client = 1", false},
      {L"http://127.0.0.1:9100/play?client=1", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.url));
    launcher->m_strGameUrl = L"before";
    const std::size_t opened = desk.shell_opens().size();
    bool cancel = false;
    pane()->events()->OnNewWindow(c.url, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(launcher->m_strGameUrl, c.game ? c.url : L"before");
    ASSERT_EQ(desk.shell_opens().size(), opened + (c.game ? 0 : 1));
    if (!c.game) {
      EXPECT_EQ(desk.shell_opens().back(), c.url);
    }
    EXPECT_TRUE(Visible(h));  // the game window is not opened
    EXPECT_EQ(launcher->m_pGameWnd, nullptr);
  }
}

TEST_F(WebDlgTest, KeysThePageNeverGets) {
  Start();
  const Handle p = pane()->hwnd();
  EXPECT_TRUE(desk.Key(p, wm::KEYDOWN, vk::ESCAPE));
  EXPECT_TRUE(desk.Key(p, wm::KEYDOWN, vk::F5));
  EXPECT_TRUE(pane()->accelerator_keys.empty());
  EXPECT_EQ(pane()->refreshes, 0);
  EXPECT_TRUE(platform().IsWindow(page()));

  // Backspace, whatever the message, goes to the dialog manager only.
  EXPECT_FALSE(desk.Key(p, wm::KEYDOWN, vk::BACK));
  EXPECT_FALSE(desk.Key(p, wm::KEYUP, vk::BACK));
  EXPECT_TRUE(pane()->accelerator_keys.empty());

  // Anything else goes to the engine and on to its target.
  EXPECT_FALSE(desk.Key(p, wm::KEYDOWN, 'A'));
  EXPECT_FALSE(desk.Key(p, wm::KEYUP, vk::F5));
  EXPECT_EQ(pane()->accelerator_keys, (std::vector<WPARAM>{'A', vk::F5}));
}

TEST_F(WebDlgTest, AltF4AsksAndEndsTheProgramOnlyOnOk) {
  Start();
  desk.AnswerNextMessageBox(mb::IDCANCEL);
  EXPECT_TRUE(desk.Key(pane()->hwnd(), wm::SYSKEYDOWN, vk::F4));
  ASSERT_EQ(desk.message_boxes().size(), 1u);
  EXPECT_EQ(desk.message_boxes()[0].text, L"确定要退出吗？");
  EXPECT_EQ(desk.message_boxes()[0].caption, L"退出提示");
  EXPECT_EQ(desk.message_boxes()[0].owner, 0u);
  EXPECT_TRUE(platform().IsWindow(h));
  EXPECT_TRUE(pane()->accelerator_keys.empty());

  // The desktop's own close of the page window asks the same question.
  desk.AnswerNextMessageBox(mb::IDCANCEL);
  platform().SendMessage(page(), wm::CLOSE, 0, 0);
  EXPECT_EQ(desk.message_boxes().size(), 2u);
  EXPECT_TRUE(platform().IsWindow(page()));

  desk.AnswerNextMessageBox(mb::IDOK);
  EXPECT_TRUE(desk.Key(pane()->hwnd(), wm::SYSKEYDOWN, vk::F4));
  EXPECT_FALSE(platform().IsWindow(h));
  EXPECT_TRUE(desk.panes().empty());
}

TEST_F(WebDlgTest, ClosingTheLauncherGivesBackTheSiteAndTearsThePaneDown) {
  Start();
  const Handle dialog = page();
  IOleClientSite* site = pane()->site();
  site->AddRef();  // keep it to see who else still holds it
  IDispatch* external = External();

  desk.TrayMouse(wm::RBUTTONDOWN);
  desk.ChooseMenuItem(kTrayMenuExit);
  EXPECT_EQ(launcher->m_pWebDlg, nullptr);
  EXPECT_FALSE(platform().IsWindow(dialog));
  EXPECT_TRUE(desk.panes().empty());
  // The bridge lives as long as the site, and the site's last holder is us.
  EXPECT_EQ(testing::Call(external, L"WD_JAPI", {Text(L"getApiVersion")}).text, L"1");
  external->Release();
  EXPECT_EQ(site->Release(), 0u);
}

TEST_F(WebDlgTest, ReturningFromTheGameReloadsTheList) {
  Start();
  WdJapi(L"OpenGame", L"x|y|z");
  platform().PostMessage(h, WM_BACK_TO_LAUNCHER, 0, 0);
  desk.Pump();
  EXPECT_EQ(pane()->refreshes, 1);
  EXPECT_TRUE(Visible(h));
}

TEST_F(WebDlgTest, APageWindowThatCannotStartIsForgottenAndNothingUsesIt) {
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    desk.FailNextBrowserPane();
    Start(mode);
    if (mode == 1) platform().ShowWindow(h, sw::SHOW);  // created at the first showing
    EXPECT_EQ(launcher->m_pWebDlg, nullptr);
    EXPECT_EQ(desk.windows(), std::vector<Handle>{h});  // no page window left behind
    EXPECT_EQ(launcher->m_bFirstLoad, 1);
    EXPECT_EQ(launcher->m_bPageCreated, 1);

    // Everything that would reach the page window.
    desk.UserMove(h, 10, 20);
    platform().ShowWindow(h, sw::HIDE);
    platform().ShowWindow(h, sw::SHOW);
    platform().PostMessage(h, WM_BACK_TO_LAUNCHER, 0, 0);
    desk.Pump();
    EXPECT_TRUE(Visible(h));
    desk.TrayMouse(wm::RBUTTONDOWN);
    desk.ChooseMenuItem(kTrayMenuExit);
    EXPECT_FALSE(platform().IsWindow(h));
    launcher.reset();
  }
}

}  // namespace
}  // namespace lv
