#include "platform/gtk/webkit_pane.h"

namespace lv::gtk {

std::unique_ptr<BrowserPane> CreateWebKitPane(GtkPlatform&, Handle, const Rect&, int, BrowserEvents*) {
  return nullptr;
}

}  // namespace lv::gtk
