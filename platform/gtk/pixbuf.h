// PNG bytes as a GdkPixbuf.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <span>

namespace lv::gtk {

// A new reference, or null when the bytes are no PNG.
GdkPixbuf* PixbufFromPng(std::span<const std::uint8_t> bytes);

}  // namespace lv::gtk
