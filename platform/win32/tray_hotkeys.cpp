// System-wide hot keys, the notification-area icon and its popup menu.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "res/resource.h"

namespace lv::win32 {
namespace {

static_assert(sizeof(NOTIFYICONDATAW) == 956, "the full record, as the shell of Windows 7 and later takes it");

NOTIFYICONDATAW TrayRecord(HWND hwnd, unsigned id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = id;
  return data;
}

}  // namespace

bool Win32Platform::RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::RegisterHotKey(hwnd, id, modifiers, vk);
}

void Win32Platform::UnregisterHotKey(Handle h, int id) {
  if (const HWND hwnd = HwndOf(h)) ::UnregisterHotKey(hwnd, id);
}

bool Win32Platform::AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return false;
  NOTIFYICONDATAW data = TrayRecord(hwnd, id);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callback_message;
  data.hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LUMIOVEYRA),
                                               IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  ::lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(std::size(data.szTip)));
  return ::Shell_NotifyIconW(NIM_ADD, &data);
}

void Win32Platform::DeleteTrayIcon(Handle h, unsigned id) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return;
  NOTIFYICONDATAW data = TrayRecord(hwnd, id);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
}

void Win32Platform::TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) {
  const HWND hwnd = HwndOf(owner);
  if (!hwnd) return;
  const HMENU menu = ::CreatePopupMenu();
  for (const MenuItem& item : items) ::AppendMenuW(menu, MF_STRING, item.command, item.text.c_str());
  ::TrackPopupMenu(menu, 0, at.x, at.y, 0, hwnd, nullptr);
  // A menu opened from the tray closes properly only when the owner gets a
  // message after it.
  ::PostMessageW(hwnd, WM_NULL, 0, 0);
  ::DestroyMenu(menu);
}

}  // namespace lv::win32
