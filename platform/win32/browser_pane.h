// The WebBrowser control as the client's browser pane, hosted through COM.
#pragma once

#include "platform/platform.h"

namespace lv::win32 {

// A pane filling `rect` of `parent`'s client area; null when the control
// cannot be created.
std::unique_ptr<BrowserPane> CreateWebBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                  BrowserEvents* events);

}  // namespace lv::win32
