#include "platform/gtk/gtk_canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace lv::gtk {
namespace {

double Channel(std::uint32_t argb, int shift) { return ((argb >> shift) & 0xFF) / 255.0; }

}  // namespace

CairoCanvas::CairoCanvas(cairo_t* cr) : cr_(cairo_reference(cr)) {}

CairoCanvas::~CairoCanvas() { cairo_destroy(cr_); }

void CairoCanvas::AddDamage(const Rect& r) {
  if (r.IsEmpty()) return;
  if (damage_.IsEmpty()) {
    damage_ = r;
    return;
  }
  damage_ = Rect{std::min(damage_.left, r.left), std::min(damage_.top, r.top), std::max(damage_.right, r.right),
                 std::max(damage_.bottom, r.bottom)};
}

void CairoCanvas::DrawImage(const Image& image, const Rect& src, const Rect& dst) {
  if (!image.ok || src.IsEmpty() || dst.IsEmpty()) return;
  const Surface& px = image.pixels;
  // The pixels are premultiplied native-endian ARGB words: cairo's ARGB32.
  cairo_surface_t* whole = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(px.pixels.data())), CAIRO_FORMAT_ARGB32, px.width,
      px.height, px.width * 4);
  // Sampling only inside the source frame keeps a sprite's neighbouring
  // frames from bleeding in when the frame is scaled.
  cairo_surface_t* frame = cairo_surface_create_for_rectangle(whole, src.left, src.top, src.Width(), src.Height());
  const bool same_size = src.Width() == dst.Width() && src.Height() == dst.Height();
  cairo_save(cr_);
  cairo_rectangle(cr_, dst.left, dst.top, dst.Width(), dst.Height());
  cairo_clip(cr_);
  cairo_translate(cr_, dst.left, dst.top);
  cairo_scale(cr_, static_cast<double>(dst.Width()) / src.Width(), static_cast<double>(dst.Height()) / src.Height());
  cairo_set_source_surface(cr_, frame, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr_);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern, same_size ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
  cairo_paint(cr_);
  cairo_restore(cr_);
  cairo_surface_destroy(frame);
  cairo_surface_finish(whole);  // the pixels belong to the image, not to cairo
  cairo_surface_destroy(whole);
  AddDamage(dst);
}

void CairoCanvas::DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) {
  PangoLayout* pango = pango_cairo_create_layout(cr_);
  PangoFontDescription* desc = pango_font_description_new();
  // Families the system lacks fall back through fontconfig, which finds the
  // installed CJK fonts for Chinese text.
  pango_font_description_set_family(desc, ToUtf8(font.family).c_str());
  pango_font_description_set_absolute_size(desc, font.pixel_size * PANGO_SCALE);
  pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(pango, desc);
  pango_font_description_free(desc);
  const std::string utf8 = ToUtf8(text);
  pango_layout_set_text(pango, utf8.c_str(), static_cast<int>(utf8.size()));

  const bool box = layout.width > 0 && layout.height > 0;
  cairo_save(cr_);
  if (box) {
    pango_layout_set_width(pango, static_cast<int>(layout.width * PANGO_SCALE));
    pango_layout_set_wrap(pango, PANGO_WRAP_WORD_CHAR);
    cairo_rectangle(cr_, layout.x, layout.y, layout.width, layout.height);
    cairo_clip(cr_);
  }
  cairo_set_source_rgba(cr_, Channel(argb, 16), Channel(argb, 8), Channel(argb, 0), Channel(argb, 24));
  cairo_move_to(cr_, layout.x, layout.y);
  pango_cairo_show_layout(cr_, pango);
  cairo_restore(cr_);

  int width = 0, height = 0;
  pango_layout_get_pixel_size(pango, &width, &height);
  g_object_unref(pango);
  if (box) {
    width = std::min(width, static_cast<int>(std::ceil(layout.width)));
    height = std::min(height, static_cast<int>(std::ceil(layout.height)));
  }
  const int x = static_cast<int>(std::floor(layout.x));
  const int y = static_cast<int>(std::floor(layout.y));
  AddDamage(Rect{x, y, x + width + 1, y + height + 1});
}

}  // namespace lv::gtk
