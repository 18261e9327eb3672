// The client's own window messages and fixed ids: the one list.
#pragma once

#include "platform/winmsg.h"

namespace lv {

// The shell's tray-icon callback: wParam the icon id, lParam the mouse message.
constexpr unsigned WM_TRAYICON = wm::USER + 100;
// Page window to launcher, sent: open or re-show the game window, hide the launcher.
constexpr unsigned WM_OPEN_GAME = wm::USER + 101;
// Game window to launcher, posted: destroy the game window, reload the list, show the launcher.
constexpr unsigned WM_BACK_TO_LAUNCHER = wm::USER + 102;
// Payment window to game window, posted: close and delete the payment window.
constexpr unsigned WM_CLOSE_PAY = wm::USER + 103;
// Account-binding window to game window, posted: close and delete it.
constexpr unsigned WM_CLOSE_BIND = wm::USER + 104;
// Page window to launcher, posted: hand m_strImParam to the game window's customer service.
constexpr unsigned WM_SHOW_IM = wm::USER + 201;
// Chat-library callback to game window, posted: a customer-service message is waiting.
constexpr unsigned WM_IM_READY = wm::USER + 202;
// Chat link-up to game window, posted; wParam 1 = show the window once loaded.
constexpr unsigned WM_VIP_MESSAGE = wm::USER + 203;
// VIP message window to game window, posted: close and delete it.
constexpr unsigned WM_CLOSE_VIPMSG = wm::USER + 204;

constexpr int kBossHotKeyId = 1224;
constexpr unsigned kTrayIconId = 148;     // also the application icon's resource number
constexpr unsigned kTrayMenuExit = 32772;  // the tray menu's "退出"
constexpr unsigned kReportTimerId = 1002;
constexpr unsigned kBlinkTimerId = 1001;

}  // namespace lv
