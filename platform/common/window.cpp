#include "platform/platform.h"

namespace lv {
namespace {
Platform* g_platform = nullptr;
}

Platform& platform() { return *g_platform; }
void SetPlatform(Platform* p) { g_platform = p; }

LRESULT Window::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

bool Window::PreTranslateMessage(const Msg&) { return false; }

LRESULT Window::Default(unsigned message, WPARAM wParam, LPARAM lParam) {
  return platform().DefWindowProc(hwnd_, message, wParam, lParam);
}

}  // namespace lv
