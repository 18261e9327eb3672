// A 32-bit premultiplied-alpha pixel buffer: how decoded skin images and the
// launcher's composed skin travel between the application and a backend.
// Pixels are native-endian 0xAARRGGBB words, top row first, which is the
// layout both cairo's ARGB32 and GDI+'s PARGB use.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace lv {

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, premultiplied ARGB

  Surface() = default;
  Surface(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0u) {}

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

// Draws `src` of `image` scaled into `dst` of `target` with source-over
// blending, clipped to both surfaces. Equal sizes copy pixel for pixel;
// other sizes sample the nearest source pixel.
void BlendInto(Surface& target, const Surface& image, const Rect& src, const Rect& dst);

}  // namespace lv
