#include "app/launcher_skin.h"

#include <algorithm>
#include <cstring>

#include "app/skin_image.h"

namespace lv {
namespace {

void CopyRect(Surface& to, const Surface& from, const Rect& r) {
  const int x0 = std::max(r.left, 0);
  const int x1 = std::min(r.right, to.width);
  if (x1 <= x0) return;
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, to.height); ++y) {
    std::memcpy(to.Row(y) + x0, from.Row(y) + x0, static_cast<std::size_t>(x1 - x0) * sizeof(std::uint32_t));
  }
}

}  // namespace

const Surface& LauncherSkin::Compose(const Image& background, int width, int height,
                                     const std::vector<Button>& buttons) {
  if (base_.width != width || base_.height != height || drawn_states_.size() != buttons.size()) {
    base_ = Surface(width, height);
    if (background.ok) {
      BlendInto(base_, background.pixels, Rect{0, 0, background.Width(), background.Height()},
                Rect{0, 0, width, height});
    }
    composed_ = base_;
    drawn_states_.assign(buttons.size(), -1);
  }
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Button& b = buttons[i];
    if (drawn_states_[i] == b.state) continue;
    CopyRect(composed_, base_, b.rect);
    if (b.image && b.image->ok) {
      BlendInto(composed_, b.image->pixels, VerticalFrame(b.rect.Width(), b.rect.Height(), b.state), b.rect);
    }
    drawn_states_[i] = b.state;
  }
  return composed_;
}

}  // namespace lv
