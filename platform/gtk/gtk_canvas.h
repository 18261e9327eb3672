// The client's canvas over a cairo context: skin images and Pango text.
#pragma once

#include <cairo.h>

#include "platform/platform.h"

namespace lv::gtk {

class CairoCanvas : public Canvas {
 public:
  explicit CairoCanvas(cairo_t* cr);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  void DrawImage(const Image& image, const Rect& src, const Rect& dst) override;
  void DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) override;

  // The bounds of everything drawn so far, in the context's coordinates.
  const Rect& damage() const { return damage_; }

 private:
  void AddDamage(const Rect& r);

  cairo_t* cr_;
  Rect damage_;
};

}  // namespace lv::gtk
