// Message boxes and the user's default browser.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

namespace lv::win32 {

int Win32Platform::MessageBox(Handle owner, const std::wstring& text, const std::wstring& caption, unsigned flags) {
  return ::MessageBoxW(HwndOf(owner), text.c_str(), caption.c_str(), flags);
}

void Win32Platform::ShellOpen(const std::wstring& address) {
  ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace lv::win32
