// Skin images: loading the built-in PNGs and drawing them, whole or as one
// frame of a sprite. Frame k of a vertical sprite with frames w x h is the
// source (0, k*h, w, h); of a horizontal one (k*w, 0, w, h). The frame index
// is the button's state.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace lv {

using ImagePtr = std::unique_ptr<Image>;

// TRUE when an image object was made, even if its bytes would not decode
// (that image then draws nothing); a missing resource leaves `out` unchanged.
bool LoadPngImage(int id, ImagePtr& out);

// The whole image scaled into `dst`; nothing for a null image.
void DrawImageRect(Canvas& canvas, const Image* image, const Rect& dst);

Rect VerticalFrame(int frame_width, int frame_height, int k);
Rect HorizontalFrame(int frame_width, int frame_height, int k);

// Frame `state` of a sprite whose frames are the size of `dst`.
void DrawVerticalSprite(Canvas& canvas, const Image* image, const Rect& dst, int state);
void DrawHorizontalSprite(Canvas& canvas, const Image* image, const Rect& dst, int state);

}  // namespace lv
