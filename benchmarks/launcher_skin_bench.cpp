// The launcher recomposes its 1200 x 800 skin on every hover change and on
// every mouse move outside its buttons.
#include <benchmark/benchmark.h>

#include "app/launcher_skin.h"
#include "app/skin_image.h"
#include "platform/headless/headless_platform.h"

namespace lv {
namespace {

struct Skin {
  Skin() {
    SetPlatform(&desk);
    const int ids[] = {149, 138, 152, 153, 133, 139, 131};
    for (int id : ids) LoadPngImage(id, images.emplace_back());
    SetPlatform(nullptr);
  }
  std::vector<LauncherSkin::Button> Buttons(int hovered) const {
    const Rect rects[] = {{1025, 213, 1053, 241}, {1070, 214, 1093, 227}, {367, 219, 466, 255},
                          {470, 219, 569, 255},   {838, 219, 937, 255},   {736, 219, 835, 255}};
    std::vector<LauncherSkin::Button> out;
    for (int i = 0; i < 6; ++i) out.push_back({images[i + 1].get(), rects[i], i == hovered ? 1 : 0});
    return out;
  }
  headless::HeadlessPlatform desk;
  std::vector<ImagePtr> images;
};

// A hover moving from one button to another: two buttons change frame.
void BM_ComposeHoverChange(benchmark::State& state) {
  Skin skin;
  LauncherSkin composer;
  const auto a = skin.Buttons(2), b = skin.Buttons(3);
  int k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(composer.Compose(*skin.images[0], 1200, 800, (k ^= 1) ? a : b).pixels.data());
  }
}
BENCHMARK(BM_ComposeHoverChange)->Unit(benchmark::kMicrosecond);

// A mouse move outside the buttons: nothing changes.
void BM_ComposeNoChange(benchmark::State& state) {
  Skin skin;
  LauncherSkin composer;
  const auto none = skin.Buttons(-1);
  for (auto _ : state) benchmark::DoNotOptimize(composer.Compose(*skin.images[0], 1200, 800, none).pixels.data());
}
BENCHMARK(BM_ComposeNoChange)->Unit(benchmark::kMicrosecond);

// The whole surface drawn afresh, as the first call does.
void BM_ComposeFirstCall(benchmark::State& state) {
  Skin skin;
  const auto none = skin.Buttons(-1);
  for (auto _ : state) {
    LauncherSkin fresh;
    benchmark::DoNotOptimize(fresh.Compose(*skin.images[0], 1200, 800, none).pixels.data());
  }
}
BENCHMARK(BM_ComposeFirstCall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lv
