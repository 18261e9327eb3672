// The boss-key settings dialog over a running game window. Each test acts
// inside the dialog's modal loop through the headless desktop's modal script.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/bosskey_dlg.h"
#include "app/hotkey_codec.h"
#include "app/main_wnd.h"
#include "app/messages.h"
#include "game/vaziv_game.h"
#include "support/headless_fixture.h"

namespace lv {
namespace {

using headless::DrawOp;

// The headless desktop, noting how each modal loop was asked to end, so that
// "the dialog stays open" can be told from "the dialog was cancelled".
class DialogDesk : public headless::HeadlessPlatform {
 public:
  void EndModalLoop(Handle dialog, int result) override {
    ends.push_back(result);
    HeadlessPlatform::EndModalLoop(dialog, result);
  }
  std::vector<int> ends;
};

constexpr unsigned kVkZ = 0x5A;
constexpr unsigned kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
constexpr Point kOnOk{250, 80};
constexpr Point kOnClose{350, 5};
constexpr Point kOnBackground{20, 120};

class BossKeyDialogTest : public ::testing::Test {
 protected:
  BossKeyDialogTest() {
    SetPlatform(&desk);
    desk.SetModulePath(folder.wide("lumioveyra"));
  }
  ~BossKeyDialogTest() override {
    if (launcher && launcher->m_pGameWnd) {
      platform().PostMessage(launcher->GetSafeHwnd(), WM_BACK_TO_LAUNCHER, 0, 0);
      desk.Pump();
    }
    launcher.reset();
    SetPlatform(nullptr);
  }

  // The launcher with a game window open, as when the toolbar button is used.
  void Start() {
    launcher = std::make_unique<CMainWnd>(0);
    ASSERT_NE(launcher->GetSafeHwnd(), 0u);
    platform().SendMessage(launcher->GetSafeHwnd(), WM_OPEN_GAME, 0, 0);
    desk.Pump();
    ASSERT_NE(launcher->m_pGameWnd, nullptr);
    game = launcher->m_pGameWnd->GetSafeHwnd();
    desk.UserMove(game, 40, 30);
  }

  // Runs the dialog as the toolbar does; `script` acts while it is open.
  int RunDialog(std::function<void(CBosskey&, Handle)> script) {
    CBosskey dlg(launcher->m_pGameWnd);
    desk.OnNextModal([&](Handle h) { script(dlg, h); });
    return dlg.DoModal();
  }

  void Mouse(Handle h, unsigned message, Point p) { desk.Mouse(h, message, p.x, p.y); }
  static void Choose(CBosskey& dlg, unsigned modifier_flags, unsigned key) { dlg.m_hotKey->SetHotKey(key, modifier_flags); }

  unsigned RegisteredModifiers() {
    const auto keys = desk.hotkeys();
    EXPECT_EQ(keys.size(), 1u);
    return keys.empty() ? ~0u : keys[0].modifiers;
  }
  bool GameVisible() { return desk.state(game).visible; }

  DialogDesk desk;
  testing::TempFolder folder;
  std::unique_ptr<CMainWnd> launcher;
  Handle game = 0;
};

const DrawOp* ImageOp(const std::vector<DrawOp>& ops, int id) {
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::kImage && op.image_id == id) return &op;
  }
  return nullptr;
}

TEST_F(BossKeyDialogTest, OpensOverTheDisabledGameWindowAndPaintsItsSkin) {
  Start();
  std::vector<DrawOp> painted;
  Handle dialog = 0;
  const int result = RunDialog([&](CBosskey&, Handle h) {
    dialog = h;
    EXPECT_EQ(desk.state(h).rect, (Rect{40, 30, 40 + 355, 30 + 169}));
    EXPECT_TRUE(desk.state(h).visible);
    EXPECT_FALSE(desk.state(game).enabled);
    painted = desk.state(h).last_paint;
  });
  EXPECT_EQ(result, mb::IDCANCEL);
  EXPECT_TRUE(desk.ends.empty());
  EXPECT_TRUE(desk.state(game).enabled);
  EXPECT_FALSE(platform().IsWindow(dialog));

  ASSERT_GE(painted.size(), 4u);
  EXPECT_EQ(painted[0].image_id, 132);
  EXPECT_EQ(painted[0].dst, (Rect{0, 0, 355, 169}));
  const DrawOp* close = ImageOp(painted, 137);
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->src, (Rect{0, 0, 11, 11}));
  EXPECT_EQ(close->dst, (Rect{344, 0, 355, 11}));
  const DrawOp* ok = ImageOp(painted, 156);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->src, (Rect{0, 0, 60, 21}));
  EXPECT_EQ(ok->dst, (Rect{239, 73, 299, 94}));
}

// The label in the preferred family, or one pixel lower in the fallback.
TEST_F(BossKeyDialogTest, LabelFallsBackWhenItsFamilyIsMissing) {
  const struct {
    bool available;
    const wchar_t* family;
    float pixels, y;
  } cases[] = {{true, L"微软雅黑", 12, 73}, {false, L"宋体", 13, 74}};
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.available);
    desk.SetFontAvailable(L"微软雅黑", c.available);
    RunDialog([&](CBosskey& dlg, Handle h) {
      EXPECT_EQ(dlg.m_bFallbackFont, c.available ? 0 : 1);
      const std::vector<DrawOp>& ops = desk.state(h).last_paint;
      ASSERT_FALSE(ops.empty());
      const DrawOp& label = ops.back();
      ASSERT_EQ(label.kind, DrawOp::kText);
      EXPECT_EQ(label.text, L"请输入老板键:");
      EXPECT_EQ(label.font.family, c.family);
      EXPECT_EQ(label.font.pixel_size, c.pixels);
      EXPECT_EQ(label.argb, 0xFFFFFFFFu);
      EXPECT_EQ(label.layout.x, 50);
      EXPECT_EQ(label.layout.y, c.y);
      EXPECT_EQ(label.layout.width, 84);
      EXPECT_EQ(label.layout.height, 20);
    });
  }
}

// m_dwHotKey -> control preset -> OK without a change gives the same value:
// the dialog closes and nothing is registered anew.
TEST_F(BossKeyDialogTest, UnchangedKeyRoundTripsAndClosesWithoutRegistering) {
  const struct {
    std::int32_t value;
    unsigned vk, flags;
  } cases[] = {{121, vk::F10, 0}, {(6 << 16) + 0x5A, kVkZ, kCtrlAlt}, {(1 << 16) + 0x41, 0x41, HOTKEYF_SHIFT},
               {(8 << 16) + 0x79, vk::F10, HOTKEYF_EXT}};
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    launcher->m_dwHotKey = c.value;
    const auto keys_before = desk.hotkeys().size();
    const int result = RunDialog([&](CBosskey& dlg, Handle h) {
      unsigned vk = 0, flags = 0;
      dlg.m_hotKey->GetHotKey(vk, flags);
      EXPECT_EQ(vk, c.vk);
      EXPECT_EQ(flags, c.flags);
      Mouse(h, wm::LBUTTONUP, kOnOk);  // no hover needed for OK
    });
    EXPECT_EQ(result, mb::IDOK);
    EXPECT_EQ(launcher->m_dwHotKey, c.value);
    ASSERT_EQ(desk.hotkeys().size(), keys_before);
    EXPECT_EQ(desk.hotkeys()[0].vk, vk::F10);  // still the start-up registration
  }
  EXPECT_TRUE(desk.message_boxes().empty());
}

TEST_F(BossKeyDialogTest, NewKeyReplacesTheRegistrationForThisRunOnly) {
  Start();
  const std::string ini_before = folder.Read("static.ini");
  const int result = RunDialog([&](CBosskey& dlg, Handle h) {
    Choose(dlg, kCtrlAlt, kVkZ);
    Mouse(h, wm::LBUTTONUP, kOnOk);
  });
  EXPECT_EQ(result, mb::IDOK);
  EXPECT_EQ(launcher->m_dwHotKey, (6 << 16) + 0x5A);
  EXPECT_EQ(launcher->m_strHotKeyName, L"Ctrl + Alt + Z");  // the control's name for it
  ASSERT_EQ(desk.hotkeys().size(), 1u);
  EXPECT_EQ(desk.hotkeys()[0].h, launcher->GetSafeHwnd());
  EXPECT_EQ(desk.hotkeys()[0].id, kBossHotKeyId);
  EXPECT_EQ(desk.hotkeys()[0].modifiers, mod::ALT | mod::CONTROL);
  EXPECT_EQ(desk.hotkeys()[0].vk, kVkZ);

  desk.PressHotKey(0, vk::F10);
  EXPECT_TRUE(GameVisible());
  desk.PressHotKey(mod::ALT | mod::CONTROL, kVkZ);
  EXPECT_FALSE(GameVisible());
  EXPECT_EQ(folder.Read("static.ini"), ini_before);
}

TEST_F(BossKeyDialogTest, RefusedKeyKeepsTheDialogOpenAndThePreviousKeyWorking) {
  Start();
  desk.HoldHotKeyElsewhere(mod::ALT | mod::CONTROL, kVkZ);
  RunDialog([&](CBosskey& dlg, Handle h) {
    Choose(dlg, kCtrlAlt, kVkZ);
    Mouse(h, wm::LBUTTONUP, kOnOk);
    ASSERT_EQ(desk.message_boxes().size(), 1u);
    const auto& box = desk.message_boxes()[0];
    EXPECT_EQ(box.text, L"注册热键失败");
    EXPECT_EQ(box.caption, L"LumioVeyra");
    EXPECT_EQ(box.flags, mb::OK | mb::ICONEXCLAMATION);
    EXPECT_EQ(box.owner, h);
    EXPECT_TRUE(desk.ends.empty());
    EXPECT_EQ(launcher->m_dwHotKey, 121);
    EXPECT_EQ(launcher->m_strHotKeyName, L"F10");
    EXPECT_EQ(RegisteredModifiers(), 0u);
    EXPECT_EQ(desk.hotkeys()[0].vk, vk::F10);

    // Back to the previous key: the dialog closes, nothing else changes.
    Choose(dlg, 0, vk::F10);
    Mouse(h, wm::LBUTTONUP, kOnOk);
    EXPECT_EQ(desk.ends, std::vector<int>{mb::IDOK});
  });
  EXPECT_EQ(desk.message_boxes().size(), 1u);
  EXPECT_EQ(desk.hotkeys().size(), 1u);
  desk.PressHotKey(0, vk::F10);
  EXPECT_FALSE(GameVisible());
}

TEST_F(BossKeyDialogTest, HoverLightsOneImageAndOnlyAHoveredCloseCancels) {
  Start();
  RunDialog([&](CBosskey& dlg, Handle h) {
    auto& invalidated = desk.state(h).invalidated;
    const std::vector<Rect> both{Rect{344, 0, 355, 11}, Rect{239, 73, 299, 94}};

    Mouse(h, wm::LBUTTONUP, kOnClose);  // no hover yet: nothing
    EXPECT_TRUE(desk.ends.empty());

    invalidated.clear();
    Mouse(h, wm::MOUSEMOVE, kOnClose);
    EXPECT_EQ(dlg.m_nCloseState, 1);
    EXPECT_EQ(dlg.m_nOkState, 0);
    EXPECT_EQ(invalidated, both);
    EXPECT_EQ(ImageOp(desk.state(h).last_paint, 137)->src, (Rect{0, 11, 11, 22}));
    Mouse(h, wm::MOUSEMOVE, {346, 2});  // still on it: nothing to redraw
    EXPECT_EQ(invalidated.size(), 2u);

    Mouse(h, wm::MOUSEMOVE, kOnOk);
    EXPECT_EQ(dlg.m_nCloseState, 0);
    EXPECT_EQ(dlg.m_nOkState, 1);
    EXPECT_EQ(ImageOp(desk.state(h).last_paint, 156)->src, (Rect{0, 21, 60, 42}));
    EXPECT_EQ(invalidated.size(), 4u);

    Mouse(h, wm::MOUSEMOVE, kOnBackground);
    Mouse(h, wm::MOUSEMOVE, kOnBackground);  // every move off the images redraws them
    EXPECT_EQ(dlg.m_nOkState, 0);
    EXPECT_EQ(invalidated.size(), 8u);

    Mouse(h, wm::MOUSEMOVE, kOnClose);
    Mouse(h, wm::LBUTTONUP, kOnClose);
    EXPECT_EQ(desk.ends, std::vector<int>{mb::IDCANCEL});
  });
  EXPECT_EQ(launcher->m_dwHotKey, 121);
}

TEST_F(BossKeyDialogTest, DragsFromAnywhereButTheTwoImages) {
  Start();
  RunDialog([&](CBosskey&, Handle h) {
    Mouse(h, wm::LBUTTONDOWN, kOnOk);
    Mouse(h, wm::LBUTTONDOWN, kOnClose);
    EXPECT_EQ(desk.move_drags(), 0);
    Mouse(h, wm::LBUTTONDOWN, kOnBackground);
    Mouse(h, wm::LBUTTONDOWN, {150, 80});  // over the key field's row, left of OK
    EXPECT_EQ(desk.move_drags(), 2);
  });
}

// Enter, Escape and a close request end the dialog; the boss key stays.
TEST_F(BossKeyDialogTest, DialogCommandsEndItWithoutChangingTheKey) {
  const struct {
    unsigned message;
    WPARAM wParam;
    int result;
  } cases[] = {{wm::COMMAND, mb::IDOK, mb::IDOK}, {wm::COMMAND, mb::IDCANCEL, mb::IDCANCEL},
               {wm::CLOSE, 0, mb::IDCANCEL}};
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const int result = RunDialog([&](CBosskey& dlg, Handle h) {
      Choose(dlg, kCtrlAlt, kVkZ);
      platform().SendMessage(h, c.message, c.wParam, 0);
      EXPECT_TRUE(platform().IsWindow(h));
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(launcher->m_dwHotKey, 121);
    EXPECT_EQ(desk.hotkeys()[0].vk, vk::F10);
  }
}

}  // namespace
}  // namespace lv
