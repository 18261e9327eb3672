#include "app/skin_image.h"

#include "platform/os.h"

namespace lv {

bool LoadPngImage(int id, ImagePtr& out) {
  const std::span<const std::uint8_t> bytes = os::LoadResourceBytes(id);
  if (bytes.empty()) return false;
  auto image = std::make_unique<Image>();
  image->resource_id = id;
  if (std::optional<Surface> pixels = platform().DecodePng(bytes)) {
    image->pixels = std::move(*pixels);
    image->ok = true;
  }
  out = std::move(image);
  return true;
}

void DrawImageRect(Canvas& canvas, const Image* image, const Rect& dst) {
  if (!image) return;
  canvas.DrawImage(*image, Rect{0, 0, image->Width(), image->Height()}, dst);
}

Rect VerticalFrame(int frame_width, int frame_height, int k) {
  return Rect{0, k * frame_height, frame_width, (k + 1) * frame_height};
}

Rect HorizontalFrame(int frame_width, int frame_height, int k) {
  return Rect{k * frame_width, 0, (k + 1) * frame_width, frame_height};
}

void DrawVerticalSprite(Canvas& canvas, const Image* image, const Rect& dst, int state) {
  if (image) canvas.DrawImage(*image, VerticalFrame(dst.Width(), dst.Height(), state), dst);
}

void DrawHorizontalSprite(Canvas& canvas, const Image* image, const Rect& dst, int state) {
  if (image) canvas.DrawImage(*image, HorizontalFrame(dst.Width(), dst.Height(), state), dst);
}

}  // namespace lv
