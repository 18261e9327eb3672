// The desktop around the windows: screen, work area, the user's browser and
// the program file.
#include "platform/gtk/gtk_platform.h"
#include "platform/os.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

GdkMonitor* PrimaryMonitor() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  return monitor ? monitor : gdk_display_get_monitor(display, 0);
}

}  // namespace

Size GtkPlatform::GetScreenSize() {
  GdkRectangle g{};
  gdk_monitor_get_geometry(PrimaryMonitor(), &g);
  return Size{g.width, g.height};
}

Rect GtkPlatform::GetWorkArea() {
  GdkRectangle g{};
  gdk_monitor_get_workarea(PrimaryMonitor(), &g);
  return Rect{g.x, g.y, g.x + g.width, g.y + g.height};
}

void GtkPlatform::ShellOpen(const std::wstring& address) {
  // Straight to xdg-open, never through a shell; failures are ignored.
  std::string target = ToUtf8(address);
  std::string program = "xdg-open";
  char* argv[] = {program.data(), target.data(), nullptr};
  g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr);
}

std::wstring GtkPlatform::ModulePath() { return os::ModulePath(); }

}  // namespace lv::gtk
