#include "platform/surface.h"

#include <algorithm>

namespace lv {
namespace {

inline std::uint32_t Over(std::uint32_t s, std::uint32_t d) {
  const std::uint32_t sa = s >> 24;
  if (sa == 255) return s;
  if (sa == 0) return d;
  const std::uint32_t inv = 255 - sa;
  auto channel = [&](int shift) {
    const std::uint32_t sc = (s >> shift) & 0xFF;
    const std::uint32_t dc = (d >> shift) & 0xFF;
    return std::min<std::uint32_t>(255, sc + (dc * inv + 127) / 255) << shift;
  };
  return channel(24) | channel(16) | channel(8) | channel(0);
}

}  // namespace

void BlendInto(Surface& target, const Surface& image, const Rect& src, const Rect& dst) {
  if (src.IsEmpty() || dst.IsEmpty() || image.pixels.empty() || target.pixels.empty()) return;
  const int dw = dst.Width();
  const int dh = dst.Height();
  const int sw = src.Width();
  const int sh = src.Height();
  const int x0 = std::max(dst.left, 0);
  const int x1 = std::min(dst.right, target.width);
  const int y0 = std::max(dst.top, 0);
  const int y1 = std::min(dst.bottom, target.height);
  if (sw == dw && sh == dh) {  // the common case: frame size equals the target rectangle
    for (int y = y0; y < y1; ++y) {
      const int sy = src.top + (y - dst.top);
      if (sy < 0 || sy >= image.height) continue;
      const std::uint32_t* srow = image.Row(sy);
      std::uint32_t* drow = target.Row(y);
      const int dx = src.left - dst.left;
      for (int x = std::max(x0, -dx); x < std::min(x1, image.width - dx); ++x) drow[x] = Over(srow[x + dx], drow[x]);
    }
    return;
  }
  for (int y = y0; y < y1; ++y) {
    const int sy = src.top + static_cast<int>(static_cast<long long>(y - dst.top) * sh / dh);
    if (sy < 0 || sy >= image.height) continue;
    const std::uint32_t* srow = image.Row(sy);
    std::uint32_t* drow = target.Row(y);
    for (int x = x0; x < x1; ++x) {
      const int sx = src.left + static_cast<int>(static_cast<long long>(x - dst.left) * sw / dw);
      if (sx < 0 || sx >= image.width) continue;
      drow[x] = Over(srow[sx], drow[x]);
    }
  }
}

}  // namespace lv
