#include <gtest/gtest.h>

#include "browser/web_ctrl_interface.h"
#include "support/game_fixture.h"

namespace lv {
namespace {

class GamePageTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartLauncher();
    OpenGame();
  }
  // The page asks to go somewhere; returns what the window loaded in reply.
  std::vector<std::wstring> Request(const std::wstring& url) {
    pane()->navigations.clear();
    bool cancel = false;
    pane()->events()->OnBeforeNavigate(url, cancel);
    EXPECT_FALSE(cancel);  // the request itself is never dropped
    return pane()->navigations;
  }
};

TEST_F(GamePageTest, LoadsTheLaunchersGameAddressSilentlyWithoutWindowExternal) {
  EXPECT_EQ(pane()->navigations, (std::vector<std::wstring>{L"http://127.0.0.1:8080/game/play?server=1"}));
  EXPECT_TRUE(pane()->silent);
  EXPECT_TRUE(pane()->shown);

  ASSERT_NE(pane()->site(), nullptr);
  void* handler = nullptr;
  ASSERT_EQ(pane()->site()->QueryInterface(IID_IDocHostUIHandler, &handler), S_OK);
  IDispatch* external = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(static_cast<IDocHostUIHandler*>(handler)->GetExternal(&external), E_NOTIMPL);
  EXPECT_EQ(external, nullptr);
  static_cast<IDocHostUIHandler*>(handler)->Release();
}

TEST_F(GamePageTest, LoadgameCarriesTheHttpAddressAfterIt) {
  using V = std::vector<std::wstring>;
  const struct {
    const wchar_t* request;
    V loads;
  } kCases[] = {
      {L"client://loadgame?url=http://127.0.0.1:8080/game/s2.html?a=1&b=2",
       V{L"http://127.0.0.1:8080/game/s2.html?a=1&b=2"}},
      {L"client://loadgame/http://127.0.0.1:8080/x", V{L"http://127.0.0.1:8080/x"}},
      {L"about:blank#client://loadgame http:x", V{L"http:x"}},  // the marker anywhere, the first "http:"
      {L"client://loadgame/http://a/?next=http://b/", V{L"http://a/?next=http://b/"}},
      {L"CLIENT://LOADGAME/http://127.0.0.1:8080/x", V{}},         // the marker in capitals
      {L"client://loadgame/HTTP://127.0.0.1:8080/x", V{}},         // nothing to carry: let it pass
      {L"client://loadgame/https://127.0.0.1:8443/x", V{}},        // https is not "http:"
      {L"client://loadgame", V{}},
      // Loading the whole text again would meet the rule again without end.
      {L"http://127.0.0.1:8080/?back=client://loadgame", V{}},
      {L"http://127.0.0.1:8080/game/s2.html", V{}},  // an ordinary navigation is left alone
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(ToUtf8(c.request)));
    EXPECT_EQ(Request(c.request), c.loads);
  }
}

TEST_F(GamePageTest, F9GoesBackToTheLaunchersAddressFromAnywhere) {
  Request(L"client://loadgame?http://127.0.0.1:8080/game/second.html");
  Request(L"http://127.0.0.1:8080/elsewhere.html");
  pane()->navigations.clear();
  EXPECT_FALSE(desk.Key(pane()->hwnd(), wm::KEYDOWN, vk::F9));  // the page sees the key too
  EXPECT_EQ(pane()->navigations, (std::vector<std::wstring>{L"http://127.0.0.1:8080/game/play?server=1"}));
}

}  // namespace
}  // namespace lv
