// Mouse and keyboard: GTK's events as the client's messages, the cursor and
// the window manager's move and resize drags.
#include <cmath>

#include "platform/gtk/gdk_keys.h"
#include "platform/gtk/gtk_platform.h"

namespace lv::gtk {
namespace {

// Cursor names in the order of lv::Cursor.
constexpr const char* kCursorNames[] = {"default", "pointer", "ns-resize", "ew-resize", "nwse-resize", "nesw-resize"};

bool OnLayer(GtkWidget* layer, GdkWindow* window) { return window == gtk_layout_get_bin_window(GTK_LAYOUT(layer)); }

// GDK reports a double click as a second press followed by the double
// click; Windows sends the double click in place of the second press.
bool DoubleClickFollows() {
  GdkEvent* next = gdk_event_peek();
  const bool follows = next && next->type == GDK_2BUTTON_PRESS;
  if (next) gdk_event_free(next);
  return follows;
}

LPARAM PointParam(double x, double y) {
  return MakeLParam(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

Msg KeyMessage(Handle h, const GdkEventKey* event, unsigned vk) {
  constexpr unsigned kVkMenu = 0x12;  // Alt itself
  const bool alt = (event->state & GDK_MOD1_MASK) || vk == kVkMenu;
  return Msg{h, alt ? wm::SYSKEYDOWN : wm::KEYDOWN, vk, 0};
}

GdkWindowEdge EdgeOf(int hit_test_edge) {
  switch (hit_test_edge) {
    case ht::LEFT:
      return GDK_WINDOW_EDGE_WEST;
    case ht::RIGHT:
      return GDK_WINDOW_EDGE_EAST;
    case ht::TOP:
      return GDK_WINDOW_EDGE_NORTH;
    case ht::TOPLEFT:
      return GDK_WINDOW_EDGE_NORTH_WEST;
    case ht::TOPRIGHT:
      return GDK_WINDOW_EDGE_NORTH_EAST;
    case ht::BOTTOM:
      return GDK_WINDOW_EDGE_SOUTH;
    case ht::BOTTOMLEFT:
      return GDK_WINDOW_EDGE_SOUTH_WEST;
    default:
      return GDK_WINDOW_EDGE_SOUTH_EAST;
  }
}

}  // namespace

// --- Mouse -----------------------------------------------------------------

void GtkPlatform::MouseInput(Handle h, unsigned client_message, unsigned nonclient_message, const GdkEvent* event) {
  double x = 0, y = 0, root_x = 0, root_y = 0;
  gdk_event_get_coords(event, &x, &y);
  gdk_event_get_root_coords(event, &root_x, &root_y);
  const LRESULT hit = table().Send(h, wm::NCHITTEST, 0, PointParam(root_x, root_y));
  if (!IsWindow(h)) return;
  mouse_window_ = h;
  table().Send(h, wm::SETCURSOR, h, MakeLParam(static_cast<int>(hit), static_cast<int>(client_message)));
  if (!IsWindow(h)) return;
  if (hit == ht::CLIENT) {
    table().Dispatch(Msg{h, client_message, 0, PointParam(x, y)});
  } else if (nonclient_message) {
    table().Dispatch(Msg{h, nonclient_message, static_cast<WPARAM>(hit), PointParam(root_x, root_y)});
  }
}

gboolean GtkPlatform::OnButton(GtkWidget* layer, GdkEventButton* event, gpointer data) {
  // Presses on a child control bubble up here too; they are the control's.
  if (!OnLayer(layer, event->window) || event->button != GDK_BUTTON_PRIMARY) return FALSE;
  GtkPlatform& p = Instance();
  const Handle h = GPOINTER_TO_UINT(data);
  const GdkEvent* e = reinterpret_cast<const GdkEvent*>(event);
  const Press press{h, event->button, static_cast<int>(event->x_root), static_cast<int>(event->y_root), event->time};
  switch (event->type) {
    case GDK_BUTTON_PRESS:
      if (DoubleClickFollows()) return TRUE;
      p.press_ = press;
      p.MouseInput(h, wm::LBUTTONDOWN, wm::NCLBUTTONDOWN, e);
      return TRUE;
    case GDK_2BUTTON_PRESS:
      p.press_ = press;
      p.MouseInput(h, wm::LBUTTONDBLCLK, wm::NCLBUTTONDOWN, e);
      return TRUE;
    case GDK_BUTTON_RELEASE:
      p.press_ = Press{};
      p.MouseInput(h, wm::LBUTTONUP, wm::NCLBUTTONUP, e);
      return TRUE;
    default:
      return FALSE;
  }
}

gboolean GtkPlatform::OnMotion(GtkWidget* layer, GdkEventMotion* event, gpointer data) {
  if (!OnLayer(layer, event->window)) return FALSE;
  Instance().MouseInput(GPOINTER_TO_UINT(data), wm::MOUSEMOVE, 0, reinterpret_cast<const GdkEvent*>(event));
  return TRUE;
}

gboolean GtkPlatform::OnLeave(GtkWidget* layer, GdkEventCrossing* event, gpointer data) {
  // Moving onto a child control leaves the window too, as on Windows.
  if (!OnLayer(layer, event->window)) return FALSE;
  GtkPlatform& p = Instance();
  const Handle h = GPOINTER_TO_UINT(data);
  NativeWindow* w = p.FindTopLevel(h);
  if (w && w->tracking_leave) {
    w->tracking_leave = false;
    p.PostMessage(h, wm::MOUSELEAVE, 0, 0);
  }
  return FALSE;
}

void GtkPlatform::TrackMouseLeave(Handle h) {
  if (NativeWindow* w = FindTopLevel(h)) w->tracking_leave = true;
}

void GtkPlatform::SetCursor(Cursor cursor) {
  NativeWindow* w = FindTopLevel(mouse_window_);
  if (!w) return;
  GdkWindow* bin = gtk_layout_get_bin_window(GTK_LAYOUT(w->layer));
  if (!bin) return;
  GdkCursor*& c = cursors_[static_cast<int>(cursor)];
  if (!c) c = gdk_cursor_new_from_name(gdk_window_get_display(bin), kCursorNames[static_cast<int>(cursor)]);
  gdk_window_set_cursor(bin, c);
}

Point GtkPlatform::GetCursorPos() {
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
  int x = 0, y = 0;
  gdk_device_get_position(pointer, nullptr, &x, &y);
  return Point{x, y};
}

// The client never captures the mouse; a press's implicit grab ends with
// the release or with the window manager's drag.
void GtkPlatform::ReleaseCapture() {}

void GtkPlatform::BeginMoveDrag(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || press_.h != h) return;  // a drag continues a press on this window
  gtk_window_begin_move_drag(GTK_WINDOW(w->widget), static_cast<gint>(press_.button), press_.root_x, press_.root_y,
                             press_.time);
}

void GtkPlatform::BeginResizeDrag(Handle h, int hit_test_edge) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || press_.h != h) return;
  ApplySizeLimits(h, *w, true);
  gtk_window_begin_resize_drag(GTK_WINDOW(w->widget), EdgeOf(hit_test_edge), static_cast<gint>(press_.button),
                               press_.root_x, press_.root_y, press_.time);
}

// --- Keyboard ----------------------------------------------------------------

gboolean GtkPlatform::OnKeyPress(GtkWidget* window, GdkEventKey* event, gpointer data) {
  GtkPlatform& p = Instance();
  const Handle h = GPOINTER_TO_UINT(data);
  NativeWindow* w = p.FindTopLevel(h);
  if (!w) return FALSE;
  // A focused child control (browser pane, hot-key control) routes its own keys.
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
  if (focus && focus != w->layer) return FALSE;
  const unsigned vk = VirtualKeyFromEvent(event);
  if (!vk) return FALSE;
  p.table().Dispatch(KeyMessage(h, event, vk));
  return TRUE;
}

bool GtkPlatform::RouteKey(Handle child, const GdkEventKey* event) {
  const unsigned vk = VirtualKeyFromEvent(event);
  if (!vk || !IsWindow(child)) return false;
  return table().PreTranslate(KeyMessage(child, event, vk));
}

}  // namespace lv::gtk
