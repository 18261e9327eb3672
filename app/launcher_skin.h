// Composes the launcher's whole per-pixel-alpha surface: the background and
// each button's current sprite frame. The result is the same as drawing
// everything afresh into a transparent surface on every call, but only the
// buttons whose frame changed are redrawn, so hover changes stay cheap.
#pragma once

#include <vector>

#include "platform/image.h"

namespace lv {

class LauncherSkin {
 public:
  struct Button {
    const Image* image;  // a vertical sprite whose frames are the size of `rect`; may be null
    Rect rect;
    int state;
  };

  // `buttons` must not overlap and keep their rectangles between calls.
  const Surface& Compose(const Image& background, int width, int height, const std::vector<Button>& buttons);

 private:
  Surface base_;      // the background alone
  Surface composed_;  // the background with every button
  std::vector<int> drawn_states_;
};

}  // namespace lv
