// The browser pane of the Linux desktop: a WebKitGTK view.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace lv::gtk {

class GtkPlatform;

std::unique_ptr<BrowserPane> CreateWebKitPane(GtkPlatform& platform, Handle parent, const Rect& rect,
                                              int control_id, BrowserEvents* events);

}  // namespace lv::gtk
