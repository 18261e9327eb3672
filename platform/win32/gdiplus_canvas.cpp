#include "platform/win32/gdiplus_canvas.h"

#include <algorithm>

#include "platform/win32/win32_platform.h"

namespace lv::win32 {

GdiplusCanvas::GdiplusCanvas(HDC dc) : graphics_(dc) {
  // Nearest pixel, pixel centres on the half: a sprite frame drawn at its own
  // size is copied exactly, without its neighbour frames bleeding in.
  graphics_.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics_.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
}

void GdiplusCanvas::DrawImage(const Image& image, const Rect& src, const Rect& dst) {
  if (!image.ok) return;  // a failed image draws nothing
  const Surface& s = image.pixels;
  // GDI+ only reads the pixels it is given for drawing.
  Gdiplus::Bitmap bitmap(s.width, s.height, s.width * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(s.pixels.data())));
  graphics_.DrawImage(&bitmap, Gdiplus::Rect(dst.left, dst.top, dst.Width(), dst.Height()), src.left, src.top,
                      src.Width(), src.Height(), Gdiplus::UnitPixel);
}

void GdiplusCanvas::DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb,
                             const RectF& layout) {
  Gdiplus::FontFamily family(font.family.c_str());
  // A family the system lacks gives way to its sans-serif one, if it has one.
  const Gdiplus::FontFamily* chosen = family.GetLastStatus() == Gdiplus::Ok ? &family
                                                                            : Gdiplus::FontFamily::GenericSansSerif();
  if (!chosen) return;
  const Gdiplus::Font gdi_font(chosen, font.pixel_size, font.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular,
                               Gdiplus::UnitPixel);
  const Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
  const INT length = static_cast<INT>(text.size());
  if (layout.width > 0 && layout.height > 0) {
    const Gdiplus::StringFormat format;
    graphics_.DrawString(text.c_str(), length, &gdi_font,
                         Gdiplus::RectF(layout.x, layout.y, layout.width, layout.height), &format, &brush);
  } else {
    graphics_.DrawString(text.c_str(), length, &gdi_font, Gdiplus::PointF(layout.x, layout.y), &brush);
  }
}

PaintCanvas::PaintCanvas(HWND hwnd) : hwnd_(hwnd), window_dc_(::BeginPaint(hwnd, &paint_)) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  size_ = SIZE{std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)};
  memory_dc_ = ::CreateCompatibleDC(window_dc_);
  bitmap_ = ::CreateCompatibleBitmap(window_dc_, size_.cx, size_.cy);
  old_bitmap_ = ::SelectObject(memory_dc_, bitmap_);
  canvas_ = std::make_unique<GdiplusCanvas>(memory_dc_);
}

PaintCanvas::~PaintCanvas() {
  canvas_.reset();
  ::BitBlt(window_dc_, 0, 0, size_.cx, size_.cy, memory_dc_, 0, 0, SRCCOPY);
  ::SelectObject(memory_dc_, old_bitmap_);
  ::DeleteObject(bitmap_);
  ::DeleteDC(memory_dc_);
  ::EndPaint(hwnd_, &paint_);
}

void PaintCanvas::DrawImage(const Image& image, const Rect& src, const Rect& dst) {
  canvas_->DrawImage(image, src, dst);
}

void PaintCanvas::DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) {
  canvas_->DrawText(text, font, argb, layout);
}

std::unique_ptr<Canvas> Win32Platform::BeginPaint(Handle h) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return nullptr;
  return std::make_unique<PaintCanvas>(hwnd);
}

bool Win32Platform::FontFamilyExists(const std::wstring& family) {
  const Gdiplus::FontFamily f(family.c_str());
  return f.GetLastStatus() == Gdiplus::Ok;
}

}  // namespace lv::win32
