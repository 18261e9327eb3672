// Tool tips: one tool covering the owner window, its text changed in place,
// shown while active; the owner relays its mouse messages.
#include "platform/win32/win32_platform.h"

#include <commctrl.h>

namespace lv::win32 {
namespace {

class Win32ToolTip : public ToolTip {
 public:
  explicit Win32ToolTip(HWND owner)
      : owner_(owner),
        tip_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr)) {
    TTTOOLINFOW tool = Tool();
    ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<::LPARAM>(&tool));
    ::SendMessageW(tip_, TTM_ACTIVATE, FALSE, 0);
  }
  ~Win32ToolTip() override {
    if (::IsWindow(tip_)) ::DestroyWindow(tip_);
  }
  Win32ToolTip(const Win32ToolTip&) = delete;
  Win32ToolTip& operator=(const Win32ToolTip&) = delete;

  void SetText(const std::wstring& text) override {
    text_ = text;
    TTTOOLINFOW tool = Tool();
    ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<::LPARAM>(&tool));
    ::SendMessageW(tip_, TTM_UPDATE, 0, 0);
  }
  void Show(bool show) override {
    active_ = show;
    ::SendMessageW(tip_, TTM_ACTIVATE, show, 0);
  }
  bool IsVisible() const override { return active_; }
  void RelayEvent(const Msg& msg) override {
    MSG native = NativeMessage(msg);
    ::SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<::LPARAM>(&native));
  }

 private:
  TTTOOLINFOW Tool() {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(owner_);
    tool.lpszText = text_.data();
    return tool;
  }

  HWND owner_;
  HWND tip_;
  std::wstring text_;
  bool active_ = false;
};

}  // namespace

std::unique_ptr<ToolTip> Win32Platform::CreateToolTip(Handle owner) {
  return std::make_unique<Win32ToolTip>(HwndOf(owner));
}

}  // namespace lv::win32
