// The notification-area icon (GtkStatusIcon, the one tray icon that X tray
// hosts show) and the popup menu.
#include "platform/gtk/gtk_platform.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// A menu grabs the pointer for the event that opened it. The client opens
// menus from posted messages, after that event, so the pointer now stands in.
GdkEvent* PointerEventNow() {
  GdkEvent* event = gdk_event_new(GDK_BUTTON_PRESS);
  event->button.window = GDK_WINDOW(g_object_ref(gdk_get_default_root_window()));
  event->button.time = gtk_get_current_event_time();
  gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  return event;
}

}  // namespace

void GtkPlatform::TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) {
  if (menu_) gtk_widget_destroy(menu_);  // kept until now: its items' activation comes after it closes
  menu_ = gtk_menu_new();
  menu_owner_ = owner;
  for (const MenuItem& item : items) {
    GtkWidget* entry = gtk_menu_item_new_with_label(ToUtf8(item.text).c_str());
    g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkMenuItem*, gpointer command) {
                       GtkPlatform& p = Instance();
                       p.PostMessage(p.menu_owner_, wm::COMMAND, GPOINTER_TO_UINT(command), 0);
                     }),
                     GUINT_TO_POINTER(item.command));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), entry);
  }
  gtk_widget_show_all(menu_);
  const GdkRectangle point{at.x, at.y, 1, 1};
  GdkEvent* trigger = PointerEventNow();
  gtk_menu_popup_at_rect(GTK_MENU(menu_), gdk_get_default_root_window(), &point, GDK_GRAVITY_NORTH_WEST,
                         GDK_GRAVITY_NORTH_WEST, trigger);
  gdk_event_free(trigger);
}

// GtkStatusIcon is deprecated in GTK 3 but is what XEmbed tray hosts take.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

gboolean GtkPlatform::OnTrayButton(GtkStatusIcon*, GdkEventButton* event, gpointer tray) {
  const auto* t = static_cast<const TrayIcon*>(tray);
  if (event->type == GDK_2BUTTON_PRESS && event->button == GDK_BUTTON_PRIMARY) {
    Instance().PostMessage(t->h, t->callback, t->id, static_cast<LPARAM>(wm::LBUTTONDBLCLK));
  }
  return FALSE;
}

void GtkPlatform::OnTrayMenu(GtkStatusIcon*, guint, guint, gpointer tray) {
  const auto* t = static_cast<const TrayIcon*>(tray);
  Instance().PostMessage(t->h, t->callback, t->id, static_cast<LPARAM>(wm::RBUTTONDOWN));
}

bool GtkPlatform::AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) {
  if (!IsWindow(h) || tray_.count({h, id})) return false;
  GtkStatusIcon* icon = app_icon_ ? gtk_status_icon_new_from_pixbuf(app_icon_) : gtk_status_icon_new();
  gtk_status_icon_set_tooltip_text(icon, ToUtf8(tip).c_str());
  // The map's node keeps its address until it is erased: the signals hold it.
  TrayIcon& t = tray_[{h, id}] = TrayIcon{icon, h, id, callback_message};
  g_signal_connect(icon, "button-press-event", G_CALLBACK(OnTrayButton), &t);
  g_signal_connect(icon, "popup-menu", G_CALLBACK(OnTrayMenu), &t);
  gtk_status_icon_set_visible(icon, TRUE);
  return true;
}

void GtkPlatform::DeleteTrayIcon(Handle h, unsigned id) {
  auto it = tray_.find({h, id});
  if (it == tray_.end()) return;
  GtkStatusIcon* icon = it->second.icon;
  g_signal_handlers_disconnect_by_data(icon, &it->second);
  gtk_status_icon_set_visible(icon, FALSE);
  g_object_unref(icon);
  tray_.erase(it);
}

void GtkPlatform::DropTrayIcons(Handle h) {
  while (true) {
    auto it = tray_.lower_bound({h, 0u});
    if (it == tray_.end() || it->first.first != h) return;
    DeleteTrayIcon(h, it->first.second);
  }
}

G_GNUC_END_IGNORE_DEPRECATIONS

}  // namespace lv::gtk
