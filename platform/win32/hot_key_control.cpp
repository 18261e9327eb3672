// The hot-key capture control of the boss-key dialog: the system's own, its
// key named the way the system names keys ("Ctrl + Alt + Z").
#include "platform/win32/win32_platform.h"

#include <commctrl.h>

namespace lv::win32 {
namespace {

constexpr wchar_t kKeySeparator[] = L" + ";
constexpr wchar_t kControlFont[] = L"Arial";
constexpr int kControlFontPoints = 10;

// The keyboard's own name of a key, from its scan code.
std::wstring KeyName(UINT vk, bool extended) {
  LONG scan = static_cast<LONG>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  if (extended) scan |= 0x01000000L;
  wchar_t name[128] = {};
  const int length = ::GetKeyNameTextW(scan, name, static_cast<int>(std::size(name)));
  return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

HFONT CreateControlFont(HWND hwnd) {
  const HDC dc = ::GetDC(hwnd);
  const int height = -::MulDiv(kControlFontPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  ::ReleaseDC(hwnd, dc);
  return ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kControlFont);
}

class Win32HotKeyControl : public HotKeyControl {
 public:
  Win32HotKeyControl(HWND parent, const Rect& rect, int id)
      : hwnd_(::CreateWindowExW(0, HOTKEY_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left, rect.top,
                                rect.Width(), rect.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ::GetModuleHandleW(nullptr), nullptr)),
        font_(CreateControlFont(hwnd_)) {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<::WPARAM>(font_), TRUE);
  }
  ~Win32HotKeyControl() override {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    ::DeleteObject(font_);
  }
  Win32HotKeyControl(const Win32HotKeyControl&) = delete;
  Win32HotKeyControl& operator=(const Win32HotKeyControl&) = delete;

  void SetHotKey(unsigned vk, unsigned modifiers) override {
    ::SendMessageW(hwnd_, HKM_SETHOTKEY, MAKEWORD(vk, modifiers), 0);
  }
  void GetHotKey(unsigned& vk, unsigned& modifiers) const override {
    const WORD key = LOWORD(::SendMessageW(hwnd_, HKM_GETHOTKEY, 0, 0));
    vk = LOBYTE(key);
    modifiers = HIBYTE(key);
  }
  std::wstring GetHotKeyName() const override {
    unsigned vk = 0, modifiers = 0;
    GetHotKey(vk, modifiers);
    if (vk == 0 && modifiers == 0) return L"";
    std::wstring name;
    const struct {
      unsigned flag;
      UINT key;
    } kModifiers[] = {{HOTKEYF_CONTROL, VK_CONTROL}, {HOTKEYF_SHIFT, VK_SHIFT}, {HOTKEYF_ALT, VK_MENU}};
    for (const auto& m : kModifiers) {
      if (modifiers & m.flag) name += KeyName(m.key, false) + kKeySeparator;
    }
    return name + KeyName(vk, (modifiers & HOTKEYF_EXT) != 0);
  }
  void Focus() override { ::SetFocus(hwnd_); }

 private:
  HWND hwnd_;
  HFONT font_;
};

}  // namespace

std::unique_ptr<HotKeyControl> Win32Platform::CreateHotKeyControl(Handle parent, const Rect& rect, int id) {
  return std::make_unique<Win32HotKeyControl>(HwndOf(parent), rect, id);
}

}  // namespace lv::win32
