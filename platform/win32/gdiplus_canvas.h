// The client's canvas over GDI+: skin images (premultiplied ARGB surfaces,
// drawn without copying) and text, on any device context.
#pragma once

#include "platform/win32/windows_api.h"

#include <gdiplus.h>

namespace lv::win32 {

class GdiplusCanvas : public Canvas {
 public:
  explicit GdiplusCanvas(HDC dc);
  void DrawImage(const Image& image, const Rect& src, const Rect& dst) override;
  void DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) override;

 private:
  Gdiplus::Graphics graphics_;
};

// WM_PAINT double-buffered: the canvas draws into a memory bitmap of the
// client area, which is copied to the window when the canvas goes.
class PaintCanvas : public Canvas {
 public:
  explicit PaintCanvas(HWND hwnd);
  ~PaintCanvas() override;
  PaintCanvas(const PaintCanvas&) = delete;
  PaintCanvas& operator=(const PaintCanvas&) = delete;
  void DrawImage(const Image& image, const Rect& src, const Rect& dst) override;
  void DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) override;

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC window_dc_;
  SIZE size_;
  HDC memory_dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_bitmap_;
  std::unique_ptr<GdiplusCanvas> canvas_;
};

}  // namespace lv::win32
