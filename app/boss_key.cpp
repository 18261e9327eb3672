// The boss key (hot-key id 1224) and the tray icon of the launcher.
#include "app/hotkey_codec.h"
#include "app/main_wnd.h"
#include "app/messages.h"
#include "app/ravaruza_app.h"
#include "game/vaziv_game.h"

namespace lv {
namespace {

constexpr wchar_t kTrayExitText[] = L"退出";

// Shows a hidden window in front, or hides a visible one (a minimised window
// counts as visible).
void Toggle(Handle h) {
  Platform& p = platform();
  if (p.IsWindowVisible(h)) {
    p.ShowWindow(h, sw::HIDE);
  } else {
    p.ShowWindow(h, sw::SHOW);
    p.SetForegroundWindow(h);
  }
}

}  // namespace

bool CMainWnd::RegisterBossKey(std::int32_t value) {
  return platform().RegisterHotKey(GetSafeHwnd(), kBossHotKeyId, HotKeyFlagsToModifiers(HotKeyFlags(value)),
                                   HotKeyVirtualKey(value));
}

void CMainWnd::ToggleBossKey() { Toggle(m_pGameWnd ? m_pGameWnd->GetSafeHwnd() : GetSafeHwnd()); }

void CMainWnd::NotifyTray(bool add) {
  if (add) {
    platform().AddTrayIcon(GetSafeHwnd(), kTrayIconId, WM_TRAYICON, kAppName);
  } else {
    platform().DeleteTrayIcon(GetSafeHwnd(), kTrayIconId);
  }
}

void CMainWnd::OnTrayIcon(LPARAM mouse_message) {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  if (mouse_message == wm::LBUTTONDBLCLK) {
    p.ShowWindow(h, p.IsIconic(h) ? sw::RESTORE : sw::SHOW);
    p.SetForegroundWindow(h);
  } else if (mouse_message == wm::RBUTTONDOWN) {
    const Point at = p.GetCursorPos();
    p.SetForegroundWindow(h);
    p.TrackPopupMenu(h, {MenuItem{kTrayMenuExit, kTrayExitText}}, at);
  }
}

}  // namespace lv
