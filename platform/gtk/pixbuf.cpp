#include "platform/gtk/pixbuf.h"

namespace lv::gtk {

GdkPixbuf* PixbufFromPng(std::span<const std::uint8_t> bytes) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
  if (!loader) return nullptr;
  const bool written = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);  // always, once
  GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  if (pixbuf) g_object_ref(pixbuf);
  g_object_unref(loader);
  return pixbuf;
}

}  // namespace lv::gtk
