// A decoded skin image: the resource it came from and its pixels. An image
// whose decoding failed exists but draws nothing.
#pragma once

#include "platform/surface.h"

namespace lv {

struct Image {
  int resource_id = 0;
  bool ok = false;
  Surface pixels;

  int Width() const { return ok ? pixels.width : 0; }
  int Height() const { return ok ? pixels.height : 0; }
};

}  // namespace lv
