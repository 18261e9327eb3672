// Until the WebBrowser control is hosted, no pane can be created.
#include "platform/win32/browser_pane.h"

namespace lv::win32 {

std::unique_ptr<BrowserPane> CreateWebBrowserPane(Handle, const Rect&, int, BrowserEvents*) { return nullptr; }

}  // namespace lv::win32
