#include "browser/key_routing.h"

#include "app/main_wnd.h"

namespace lv {

bool TakePopupKey(const Msg& msg) {
  if (msg.message == wm::KEYDOWN && msg.wParam == vk::ESCAPE) return true;
  if (msg.message == wm::SYSKEYDOWN && msg.wParam == vk::F4) {
    if (g_pMainWnd) g_pMainWnd->ConfirmExit();
    return true;
  }
  return false;
}

bool PassKeyToPane(BrowserPane* pane, const Msg& msg) {
  if (pane) pane->TranslateAccelerator(msg);
  return false;
}

}  // namespace lv
