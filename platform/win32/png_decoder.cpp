// Skin PNGs through GDI+: decoded from a stream over the bytes and read back
// as premultiplied ARGB, the Surface layout.
#include "platform/win32/win32_platform.h"

#include <shlwapi.h>

#include <cstring>

#include "platform/win32/gdiplus_canvas.h"

namespace lv::win32 {

std::optional<Surface> Win32Platform::DecodePng(std::span<const std::uint8_t> bytes) {
  IStream* stream = ::SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream) return std::nullopt;
  std::optional<Surface> result;
  {
    Gdiplus::Bitmap bitmap(stream);
    const int width = static_cast<int>(bitmap.GetWidth());
    const int height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::BitmapData data{};
    const Gdiplus::Rect all(0, 0, width, height);
    if (bitmap.GetLastStatus() == Gdiplus::Ok &&
        bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
      Surface surface(width, height);
      for (int y = 0; y < height; ++y) {
        std::memcpy(surface.Row(y), static_cast<const std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                    static_cast<std::size_t>(width) * 4);
      }
      bitmap.UnlockBits(&data);
      result = std::move(surface);
    }
  }  // the bitmap reads from the stream until it goes
  stream->Release();
  return result;
}

}  // namespace lv::win32
