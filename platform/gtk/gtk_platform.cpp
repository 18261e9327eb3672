// Windows: creation, destruction, geometry, visibility and styles.
#include "platform/gtk/gtk_platform.h"

#include <algorithm>

#include "platform/gtk/pixbuf.h"
#include "platform/gtk/webkit_pane.h"
#include "platform/os.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// The application icon's resource: every window's icon and the tray's.
constexpr int kAppIconResource = 148;

GtkPlatform* g_instance = nullptr;

gpointer HandleData(Handle h) { return GUINT_TO_POINTER(h); }

int AtLeastOne(int v) { return std::max(v, 1); }  // X has no empty windows

}  // namespace

GtkPlatform::GtkPlatform()
    : gui_thread_(std::this_thread::get_id()), app_icon_(PixbufFromPng(os::LoadResourceBytes(kAppIconResource))) {
  g_instance = this;
  if (app_icon_) gtk_window_set_default_icon(app_icon_);
}

GtkPlatform::~GtkPlatform() {
  for (GdkCursor* cursor : cursors_) {
    if (cursor) g_object_unref(cursor);
  }
  if (menu_) gtk_widget_destroy(menu_);
  if (main_loop_) g_main_loop_unref(main_loop_);
  if (app_icon_) g_object_unref(app_icon_);
  g_instance = nullptr;
}

GtkPlatform& GtkPlatform::Instance() { return *g_instance; }

GtkPlatform::NativeWindow* GtkPlatform::Find(Handle h) {
  auto it = windows_.find(h);
  return it == windows_.end() ? nullptr : &it->second;
}

GtkPlatform::NativeWindow* GtkPlatform::FindTopLevel(Handle h) {
  NativeWindow* w = Find(h);
  return w && w->IsTopLevel() ? w : nullptr;
}

// --- Creation and destruction ----------------------------------------------

void GtkPlatform::NativeCreate(Handle h, const WindowSpec& spec) {
  NativeWindow& w = windows_[h];
  w.rect = spec.rect;
  w.text = spec.title;
  w.widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(w.widget);
  // The client draws every window's frame itself.
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_title(window, ToUtf8(spec.title).c_str());
  if (NativeWindow* owner = FindTopLevel(spec.parent)) gtk_window_set_transient_for(window, GTK_WINDOW(owner->widget));

  // A GtkLayout, unlike a GtkFixed, asks no minimum size for its children,
  // so a window can always shrink below the panes it holds.
  w.layer = gtk_layout_new(nullptr, nullptr);
  gtk_widget_set_app_paintable(w.layer, TRUE);
  gtk_widget_add_events(
      w.layer, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK);
  gtk_container_add(GTK_CONTAINER(window), w.layer);
  gtk_widget_show(w.layer);
  g_signal_connect(w.layer, "draw", G_CALLBACK(OnDraw), HandleData(h));
  g_signal_connect(w.layer, "button-press-event", G_CALLBACK(OnButton), HandleData(h));
  g_signal_connect(w.layer, "button-release-event", G_CALLBACK(OnButton), HandleData(h));
  g_signal_connect(w.layer, "motion-notify-event", G_CALLBACK(OnMotion), HandleData(h));
  g_signal_connect(w.layer, "leave-notify-event", G_CALLBACK(OnLeave), HandleData(h));
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), HandleData(h));
  g_signal_connect(window, "configure-event", G_CALLBACK(OnConfigure), HandleData(h));
  g_signal_connect(window, "window-state-event", G_CALLBACK(OnWindowState), HandleData(h));
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), HandleData(h));
  g_signal_connect(window, "map-event", G_CALLBACK(OnMapped), HandleData(h));

  // The client places and sizes its windows itself: the window manager is
  // told so, or it would fit a tall launcher onto a small screen.
  ApplySizeLimits(h, w, false);
  w.ex_style = spec.ex_style;
  ApplyExStyle(w, 0);
  gtk_window_move(window, w.rect.left, w.rect.top);
  gtk_window_resize(window, AtLeastOne(w.rect.Width()), AtLeastOne(w.rect.Height()));
}

void GtkPlatform::NativeDestroy(Handle h) {
  auto it = windows_.find(h);
  if (it == windows_.end()) return;
  // Forgotten first: the signals that destruction emits find no window.
  const NativeWindow w = it->second;
  windows_.erase(it);
  DropTimers(h);
  DropHotKeys(h);
  DropTrayIcons(h);
  if (auto loop = modal_loops_.find(h); loop != modal_loops_.end()) g_main_loop_quit(loop->second);
  if (mouse_window_ == h) mouse_window_ = 0;
  if (press_.h == h) press_ = Press{};
  if (w.widget) gtk_widget_destroy(w.widget);
  if (w.back) cairo_surface_destroy(w.back);
  if (w.invalid) cairo_region_destroy(w.invalid);
}

// --- Child controls ----------------------------------------------------------

GtkWidget* GtkPlatform::ChildLayer(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  return w ? w->layer : nullptr;
}

Handle GtkPlatform::AddChildControl(Handle parent, GtkWidget* widget, const Rect& rect) {
  GtkWidget* layer = ChildLayer(parent);
  if (!layer) return 0;
  const Handle h = AddControl(parent, rect);
  NativeWindow& w = windows_[h];
  w.widget = widget;
  w.rect = rect;
  w.visible = true;
  gtk_layout_put(GTK_LAYOUT(layer), widget, rect.left, rect.top);
  gtk_widget_set_size_request(widget, rect.Width(), rect.Height());
  gtk_widget_show(widget);
  // A control destroyed by its own code leaves its handle without a widget.
  g_signal_connect(widget, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer data) {
                     if (NativeWindow* gone = Instance().Find(GPOINTER_TO_UINT(data))) gone->widget = nullptr;
                   }),
                   HandleData(h));
  return h;
}

void GtkPlatform::MoveChildControl(Handle child, const Rect& rect) {
  NativeWindow* w = Find(child);
  if (!w || w->IsTopLevel()) return;
  w->rect = rect;
  if (!w->widget) return;
  gtk_layout_move(GTK_LAYOUT(gtk_widget_get_parent(w->widget)), w->widget, rect.left, rect.top);
  gtk_widget_set_size_request(w->widget, rect.Width(), rect.Height());
}

void GtkPlatform::ShowChildControl(Handle child, bool show) {
  NativeWindow* w = Find(child);
  if (!w || w->IsTopLevel()) return;
  w->visible = show;
  if (w->widget) gtk_widget_set_visible(w->widget, show);
}

std::unique_ptr<BrowserPane> GtkPlatform::CreateBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                            BrowserEvents* events) {
  if (!FindTopLevel(parent)) return nullptr;
  return CreateWebKitPane(*this, parent, rect, control_id, events);
}

// --- Visibility and state --------------------------------------------------

void GtkPlatform::SetVisible(Handle h, bool visible) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || w->visible == visible) return;
  table().Send(h, wm::SHOWWINDOW, visible ? 1 : 0, 0);
  if (!(w = FindTopLevel(h))) return;
  w->visible = visible;
  if (visible) {
    InvalidateAll(*w);
    gtk_widget_show(w->widget);
    RaiseOwnedWindows(h);
  } else {
    gtk_widget_hide(w->widget);
  }
}

bool GtkPlatform::ShowWindow(Handle h, int cmd) {
  NativeWindow* w = Find(h);
  if (!w) return false;
  const bool was_visible = w->visible;
  if (!w->IsTopLevel()) {
    ShowChildControl(h, cmd != sw::HIDE);
    return was_visible;
  }
  GtkWindow* window = GTK_WINDOW(w->widget);
  switch (cmd) {
    case sw::HIDE:
      SetVisible(h, false);
      break;
    case sw::SHOW:
    case sw::SHOWNORMAL:
      SetVisible(h, true);
      break;
    case sw::MINIMIZE:
    case sw::SHOWMINIMIZED:
      // Iconified before it maps, so a hidden window never flashes up first.
      w->iconic = true;
      gtk_window_iconify(window);
      SetVisible(h, true);
      table().Send(h, wm::SIZE, size_type::MINIMIZED, 0);
      break;
    case sw::MAXIMIZE:
      if (!w->zoomed) w->restore_rect = w->rect;
      w->zoomed = true;
      if (w->iconic) gtk_window_deiconify(window);
      w->iconic = false;
      gtk_window_maximize(window);
      SetVisible(h, true);
      // The window manager sizes it; the client sees the work area at once.
      SetRect(h, GetWorkArea(), false);
      break;
    case sw::RESTORE:
      if (w->iconic) {
        w->iconic = false;
        gtk_window_deiconify(window);
      } else if (w->zoomed) {
        w->zoomed = false;
        gtk_window_unmaximize(window);
        SetRect(h, w->restore_rect, true);
      }
      SetVisible(h, true);
      break;
    default:
      break;
  }
  return was_visible;
}

bool GtkPlatform::IsWindowVisible(Handle h) {
  NativeWindow* w = Find(h);
  return w && w->visible;
}

bool GtkPlatform::IsIconic(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  return w && w->iconic;
}

bool GtkPlatform::IsZoomed(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  return w && w->zoomed;
}

gboolean GtkPlatform::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
  // A hidden window keeps the minimised and maximised state it had.
  if (event->new_window_state & GDK_WINDOW_STATE_WITHDRAWN) return FALSE;
  GtkPlatform& p = Instance();
  const Handle h = GPOINTER_TO_UINT(data);
  NativeWindow* w = p.FindTopLevel(h);
  if (!w) return FALSE;
  if (event->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) {
    const bool zoomed = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    if (zoomed && !w->zoomed) w->restore_rect = w->rect;
    w->zoomed = zoomed;
  }
  if (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
    const bool iconic = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    if (iconic != w->iconic) {
      // The user minimised or brought back the window through the desktop.
      w->iconic = iconic;
      const unsigned type = iconic ? size_type::MINIMIZED : w->zoomed ? size_type::MAXIMIZED : size_type::RESTORED;
      p.table().Send(h, wm::SIZE, type, iconic ? 0 : MakeLParam(w->rect.Width(), w->rect.Height()));
    }
  }
  return FALSE;
}

gboolean GtkPlatform::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  // The desktop's close (Alt+F4 through the window manager) is the system
  // close command; the window decides, GTK does not destroy it.
  Instance().SendMessage(GPOINTER_TO_UINT(data), wm::SYSCOMMAND, sc::CLOSE, 0);
  return TRUE;
}

// --- Geometry ---------------------------------------------------------------

void GtkPlatform::SetRect(Handle h, const Rect& rect, bool apply) {
  NativeWindow* w = FindTopLevel(h);
  if (!w) return;
  const Rect old = w->rect;
  w->rect = rect;
  if (apply && !(old == rect)) {
    ApplySizeLimits(h, *w, false);
    gtk_window_move(GTK_WINDOW(w->widget), rect.left, rect.top);
    gtk_window_resize(GTK_WINDOW(w->widget), AtLeastOne(rect.Width()), AtLeastOne(rect.Height()));
  }
  // Undecorated: the client area starts at the window's corner.
  if (old.left != rect.left || old.top != rect.top) table().Send(h, wm::MOVE, 0, MakeLParam(rect.left, rect.top));
  if (!(w = FindTopLevel(h))) return;
  if (old.Width() != rect.Width() || old.Height() != rect.Height()) {
    table().Send(h, wm::SIZE, w->zoomed ? size_type::MAXIMIZED : size_type::RESTORED,
                 MakeLParam(rect.Width(), rect.Height()));
  }
}

gboolean GtkPlatform::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
  GtkPlatform& p = Instance();
  const Handle h = GPOINTER_TO_UINT(data);
  NativeWindow* w = p.FindTopLevel(h);
  if (!w) return FALSE;
  // Only the window manager's own (synthetic) notices carry root
  // coordinates; the server's are relative to the manager's frame (0, 0 for
  // an undecorated window under openbox), so they change only the size.
  const int x = event->send_event ? event->x : w->rect.left;
  const int y = event->send_event ? event->y : w->rect.top;
  p.SetRect(h, Rect{x, y, x + event->width, y + event->height}, false);
  return FALSE;
}

void GtkPlatform::MoveWindow(Handle h, const Rect& rect, bool) {
  NativeWindow* w = Find(h);
  if (!w) return;
  if (w->IsTopLevel()) {
    SetRect(h, rect, true);
  } else {
    MoveChildControl(h, rect);
  }
}

Rect GtkPlatform::GetWindowRect(Handle h) {
  NativeWindow* w = Find(h);
  return w ? w->rect : Rect{};
}

// --- Text, styles, focus -----------------------------------------------------

void GtkPlatform::SetWindowText(Handle h, const std::wstring& text) {
  NativeWindow* w = Find(h);
  if (!w) return;
  w->text = text;
  if (w->IsTopLevel()) gtk_window_set_title(GTK_WINDOW(w->widget), ToUtf8(text).c_str());
}

std::wstring GtkPlatform::GetWindowText(Handle h) {
  NativeWindow* w = Find(h);
  return w ? w->text : std::wstring();
}

std::uint32_t GtkPlatform::GetExStyle(Handle h) {
  NativeWindow* w = Find(h);
  return w ? w->ex_style : 0;
}

void GtkPlatform::SetExStyle(Handle h, std::uint32_t ex_style) {
  NativeWindow* w = FindTopLevel(h);
  if (!w) return;
  const std::uint32_t old = w->ex_style;
  w->ex_style = ex_style;
  ApplyExStyle(*w, old);
}

void GtkPlatform::ApplyExStyle(NativeWindow& w, std::uint32_t old_style) {
  GtkWindow* window = GTK_WINDOW(w.widget);
  const bool tool = (w.ex_style & ws::EX_TOOLWINDOW) != 0;
  gtk_window_set_skip_taskbar_hint(window, tool);
  gtk_window_set_skip_pager_hint(window, tool);
  gtk_window_set_keep_above(window, (w.ex_style & ws::EX_TOPMOST) != 0);
  if ((w.ex_style & ws::EX_LAYERED) && !(old_style & ws::EX_LAYERED)) {
    // Per-pixel alpha needs a visual with alpha, which X fixes when the
    // window is created: the launcher asks for the style before it shows.
    GdkVisual* rgba = gdk_screen_get_rgba_visual(gtk_widget_get_screen(w.widget));
    if (rgba && !gtk_widget_get_realized(w.widget)) gtk_widget_set_visual(w.widget, rgba);
    gtk_widget_set_app_paintable(w.widget, TRUE);  // no theme background under the skin
  }
}

void GtkPlatform::SetForegroundWindow(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || !w->visible) return;
  gtk_window_present(GTK_WINDOW(w->widget));
  RaiseOwnedWindows(h);
}

void GtkPlatform::RaiseOwnedWindows(Handle owner) {
  // Owned windows stay above their owner, as on Windows: the server-list
  // page must not end up behind the launcher that carries it.
  for (Handle child : table().ChildrenOf(owner)) {
    NativeWindow* w = FindTopLevel(child);
    if (w && w->visible && gtk_widget_get_realized(w->widget)) gdk_window_raise(gtk_widget_get_window(w->widget));
  }
}

void GtkPlatform::ApplySizeLimits(Handle h, NativeWindow& w, bool user_resize) {
  // Position and size are the program's own. The window's minimum tracking
  // size (WM_GETMINMAXINFO) binds only the user's resizing, as on Windows,
  // and never forces a window that the program made smaller to grow.
  GdkGeometry geometry{};
  int hints = GDK_HINT_USER_POS | GDK_HINT_USER_SIZE;
  if (user_resize) {
    MinMaxInfo info{};
    table().Send(h, wm::GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    geometry.min_width = std::min(info.min_track_size.x, w.rect.Width());
    geometry.min_height = std::min(info.min_track_size.y, w.rect.Height());
    hints |= GDK_HINT_MIN_SIZE;
  }
  gtk_window_set_geometry_hints(GTK_WINDOW(w.widget), nullptr, &geometry, static_cast<GdkWindowHints>(hints));
}

void GtkPlatform::SetFocus(Handle h) {
  NativeWindow* w = Find(h);
  if (!w || !w->widget) return;
  if (!w->IsTopLevel()) {
    gtk_widget_grab_focus(w->widget);
    return;
  }
  // Keys go to the window itself, not to one of its controls.
  gtk_window_set_focus(GTK_WINDOW(w->widget), nullptr);
  if (w->visible) gtk_window_present(GTK_WINDOW(w->widget));
}

void GtkPlatform::EnableWindow(Handle h, bool enable) {
  NativeWindow* w = Find(h);
  if (w && w->widget) gtk_widget_set_sensitive(w->widget, enable);
}

void GtkPlatform::SetParent(Handle child, Handle parent) {
  WindowTable::Entry* e = table().Find(child);
  if (!e) return;
  e->parent = parent;
  NativeWindow* w = FindTopLevel(child);
  if (!w) return;
  NativeWindow* owner = FindTopLevel(parent);
  gtk_window_set_transient_for(GTK_WINDOW(w->widget), owner ? GTK_WINDOW(owner->widget) : nullptr);
}

void GtkPlatform::SetTopmost(Handle h, bool topmost) {
  NativeWindow* w = FindTopLevel(h);
  if (!w) return;
  const std::uint32_t old = w->ex_style;
  w->ex_style = topmost ? (old | ws::EX_TOPMOST) : (old & ~ws::EX_TOPMOST);
  ApplyExStyle(*w, old);
}

}  // namespace lv::gtk
