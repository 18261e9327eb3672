// The game window's caption band: the height the frame paints, the toolbar
// sits in and the browser starts below.
#pragma once

namespace lv {

constexpr int kCaptionHeight = 40;

}  // namespace lv
