// Painting: each window keeps the picture it shows in a back buffer. WM_PAINT
// draws the invalid parts into it, worker threads' direct drawing lands in it,
// a layered window's surface replaces it; the child layer shows it on every
// draw, under the child controls.
#include <pango/pangocairo.h>

#include <cstring>

#include "platform/gtk/gtk_canvas.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/pixbuf.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// Bigger than any window: "the whole window", whatever its size.
constexpr cairo_rectangle_int_t kWholeWindow{0, 0, 1 << 15, 1 << 15};

// Clicks pass through the pixels with alpha 0, as through a layered
// window's transparent parts.
std::vector<std::uint32_t> InputMask(const Surface& surface) {
  const int words = (surface.width + 31) / 32;
  std::vector<std::uint32_t> mask(static_cast<std::size_t>(words) * surface.height, 0u);
  for (int y = 0; y < surface.height; ++y) {
    const std::uint32_t* row = surface.Row(y);
    std::uint32_t* bits = mask.data() + static_cast<std::size_t>(y) * words;
    for (int x = 0; x < surface.width; ++x) {
      // cairo's A1 pixels run in the bit order of the machine's words.
      if (row[x] >> 24) bits[x / 32] |= G_BYTE_ORDER == G_LITTLE_ENDIAN ? 1u << (x % 32) : 0x80000000u >> (x % 32);
    }
  }
  return mask;
}

cairo_region_t* RegionFromMask(const std::vector<std::uint32_t>& mask, int width, int height) {
  cairo_surface_t* a1 = cairo_image_surface_create(CAIRO_FORMAT_A1, width, height);
  cairo_surface_flush(a1);
  const int stride = cairo_image_surface_get_stride(a1);
  const int words = (width + 31) / 32;
  unsigned char* data = cairo_image_surface_get_data(a1);
  for (int y = 0; y < height; ++y) {
    std::memcpy(data + static_cast<std::size_t>(y) * stride, mask.data() + static_cast<std::size_t>(y) * words,
                static_cast<std::size_t>(words) * 4);
  }
  cairo_surface_mark_dirty(a1);
  cairo_region_t* region = gdk_cairo_region_create_from_surface(a1);
  cairo_surface_destroy(a1);
  return region;
}

}  // namespace

void GtkPlatform::InvalidateAll(NativeWindow& w) {
  if (!w.invalid) w.invalid = cairo_region_create();
  cairo_region_union_rectangle(w.invalid, &kWholeWindow);
}

void GtkPlatform::EnsureBackBuffer(NativeWindow& w) {
  const int width = gtk_widget_get_allocated_width(w.layer);
  const int height = gtk_widget_get_allocated_height(w.layer);
  if (w.back && cairo_image_surface_get_width(w.back) == width && cairo_image_surface_get_height(w.back) == height) {
    return;
  }
  if (w.back) cairo_surface_destroy(w.back);
  w.back = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  InvalidateAll(w);  // a resized window is painted again, all of it
}

gboolean GtkPlatform::OnDraw(GtkWidget* layer, cairo_t* cr, gpointer data) {
  if (gtk_cairo_should_draw_window(cr, gtk_layout_get_bin_window(GTK_LAYOUT(layer)))) {
    Instance().PaintLayer(GPOINTER_TO_UINT(data), cr);
  }
  return FALSE;  // the layout draws the child controls on top
}

void GtkPlatform::PaintLayer(Handle h, cairo_t* cr) {
  NativeWindow* w = FindTopLevel(h);
  if (!w) return;
  if (w->ex_style & ws::EX_LAYERED) {
    // The surface is the whole picture, alpha included; nothing is painted under it.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (w->back) {
      cairo_set_source_surface(cr, w->back, 0, 0);
    } else {
      cairo_set_source_rgba(cr, 0, 0, 0, 0);
    }
    cairo_paint(cr);
    return;
  }
  EnsureBackBuffer(*w);
  if (!cairo_region_is_empty(w->invalid)) {
    cairo_t* target = cairo_create(w->back);
    gdk_cairo_region(target, w->invalid);
    cairo_clip(target);
    cairo_region_destroy(w->invalid);
    w->invalid = cairo_region_create();  // what WM_PAINT invalidates again is for the next draw
    w->painting = target;
    table().Send(h, wm::PAINT, 0, 0);
    cairo_destroy(target);
    if (!(w = FindTopLevel(h))) return;
    w->painting = nullptr;
  }
  cairo_set_source_surface(cr, w->back, 0, 0);
  cairo_paint(cr);
}

void GtkPlatform::InvalidateRect(Handle h, const Rect* rect, bool) {
  NativeWindow* w = Find(h);
  if (!w || !w->widget) return;
  if (!w->IsTopLevel()) {
    gtk_widget_queue_draw(w->widget);
    return;
  }
  if (!rect) {
    InvalidateAll(*w);
    gtk_widget_queue_draw(w->layer);
    return;
  }
  if (rect->IsEmpty()) return;
  const cairo_rectangle_int_t r{rect->left, rect->top, rect->Width(), rect->Height()};
  if (!w->invalid) w->invalid = cairo_region_create();
  cairo_region_union_rectangle(w->invalid, &r);
  gtk_widget_queue_draw_area(w->layer, r.x, r.y, r.width, r.height);
}

void GtkPlatform::UpdateWindow(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || !w->visible) return;
  if (GdkWindow* window = gtk_widget_get_window(w->widget)) {
    // The one way GTK 3 paints at once instead of at the next frame.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gdk_window_process_updates(window, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
}

std::unique_ptr<Canvas> GtkPlatform::BeginPaint(Handle h) {
  NativeWindow* w = FindTopLevel(h);
  if (w && w->painting) return std::make_unique<CairoCanvas>(w->painting);
  // Outside WM_PAINT nothing is invalid, so nothing gets painted.
  cairo_surface_t* nowhere = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0);
  cairo_t* cr = cairo_create(nowhere);
  auto canvas = std::make_unique<CairoCanvas>(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(nowhere);
  return canvas;
}

void GtkPlatform::DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) {
  queue_.Post([this, h, draw = std::move(draw)] {
    NativeWindow* w = FindTopLevel(h);
    if (!w) return;  // gone by the time the GUI thread got to it
    if (!(w->ex_style & ws::EX_LAYERED)) EnsureBackBuffer(*w);
    if (!w->back) return;
    cairo_t* cr = cairo_create(w->back);
    CairoCanvas canvas(cr);
    cairo_destroy(cr);
    draw(canvas);
    const Rect& d = canvas.damage();
    if (!d.IsEmpty() && (w = FindTopLevel(h)))
      gtk_widget_queue_draw_area(w->layer, d.left, d.top, d.Width(), d.Height());
  });
}

// The launcher places its window itself (MoveWindow), so the destination
// only repeats where the window already is.
void GtkPlatform::UpdateLayeredWindow(Handle h, const Surface& surface, Point) {
  NativeWindow* w = FindTopLevel(h);
  if (!w || surface.pixels.empty()) return;
  if (w->back) cairo_surface_destroy(w->back);
  w->back = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, surface.width, surface.height);
  cairo_surface_flush(w->back);
  unsigned char* data = cairo_image_surface_get_data(w->back);
  const int stride = cairo_image_surface_get_stride(w->back);
  for (int y = 0; y < surface.height; ++y) {
    std::memcpy(data + static_cast<std::size_t>(y) * stride, surface.Row(y),
                static_cast<std::size_t>(surface.width) * 4);
  }
  cairo_surface_mark_dirty(w->back);
  // Hover changes redraw the skin on every mouse move; the shape changes
  // only when the alpha does.
  std::vector<std::uint32_t> mask = InputMask(surface);
  if (mask != w->input_mask) {
    w->input_mask = std::move(mask);
    ApplyInputShape(*w);
  }
  gtk_widget_queue_draw(w->layer);
}

void GtkPlatform::ApplyInputShape(NativeWindow& w) {
  if (w.input_mask.empty() || !w.back) return;
  cairo_region_t* region =
      RegionFromMask(w.input_mask, cairo_image_surface_get_width(w.back), cairo_image_surface_get_height(w.back));
  gtk_widget_input_shape_combine_region(w.widget, region);
  cairo_region_destroy(region);
}

gboolean GtkPlatform::OnMapped(GtkWidget*, GdkEvent*, gpointer data) {
  // A window manager learns a client's input shape only from the shape
  // changes it sees after it took the window on: the shape is set again on
  // every mapping, so the frame lets the transparent parts' clicks through.
  GtkPlatform& p = Instance();
  if (NativeWindow* w = p.FindTopLevel(GPOINTER_TO_UINT(data))) p.ApplyInputShape(*w);
  return FALSE;
}

std::optional<Surface> GtkPlatform::DecodePng(std::span<const std::uint8_t> bytes) {
  GdkPixbuf* pixbuf = PixbufFromPng(bytes);
  if (!pixbuf) return std::nullopt;
  // cairo's surface from a pixbuf is premultiplied ARGB32 (RGB24 without alpha).
  cairo_surface_t* image = gdk_cairo_surface_create_from_pixbuf(pixbuf, 1, nullptr);
  g_object_unref(pixbuf);
  const bool opaque = cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24;
  Surface out(cairo_image_surface_get_width(image), cairo_image_surface_get_height(image));
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < out.height; ++y) {
    std::memcpy(out.Row(y), data + static_cast<std::size_t>(y) * stride, static_cast<std::size_t>(out.width) * 4);
    if (opaque) {
      for (std::uint32_t* p = out.Row(y); p != out.Row(y) + out.width; ++p) *p |= 0xFF000000u;
    }
  }
  cairo_surface_destroy(image);
  return out;
}

bool GtkPlatform::FontFamilyExists(const std::wstring& family) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &count);
  const std::string wanted = ToUtf8(family);
  bool found = false;
  for (int i = 0; i < count && !found; ++i) {
    found = g_ascii_strcasecmp(pango_font_family_get_name(families[i]), wanted.c_str()) == 0;
  }
  g_free(families);
  return found;
}

}  // namespace lv::gtk
