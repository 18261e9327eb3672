// A whole per-pixel-alpha surface onto a layered window: a 32-bit top-down
// DIB section holds the surface's premultiplied BGRA words as they are.
#include <cstring>

#include "platform/win32/win32_platform.h"

namespace lv::win32 {

void Win32Platform::UpdateLayeredWindow(Handle h, const Surface& surface, Point dest) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd || surface.pixels.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = surface.width;
  info.bmiHeader.biHeight = -surface.height;  // top row first, like the surface
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC screen = ::GetDC(hwnd);
  const HDC memory = ::CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    std::memcpy(bits, surface.pixels.data(), surface.pixels.size() * sizeof(std::uint32_t));
    const HGDIOBJ old = ::SelectObject(memory, dib);
    POINT dest_point{dest.x, dest.y};
    SIZE size{surface.width, surface.height};
    POINT source_point{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(hwnd, screen, &dest_point, &size, memory, &source_point, 0, &blend, ULW_ALPHA);
    ::SelectObject(memory, old);
  }
  if (dib) ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(hwnd, screen);
}

}  // namespace lv::win32
