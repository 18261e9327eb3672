#include "game/activation_blink.h"

#include <thread>

#include "app/skin_image.h"
#include "game/caption.h"

namespace lv {
namespace {

constexpr int kStepsPerCycle = 10;  // one more than the sprite's frames: the last frame stays up twice as long
constexpr unsigned kStepMs = 150;
constexpr int kFrameHeight = 22;
constexpr Rect kHiddenBind{0, 0, -1, -1};

struct Blink {
  Handle window;
  std::shared_ptr<GameThreadState> state;
  std::shared_ptr<const Image> sprite;
  std::shared_ptr<const std::atomic<int>> hide_bind_btn;

  // False as soon as the blink has to stop.
  bool RunCycle() const {
    Platform& p = platform();
    const int frames = sprite->Height() / kFrameHeight;
    for (int i = 0; i < kStepsPerCycle; ++i) {
      if (!state->m_hBlinkGate.IsOpen()) return false;
      // The drawing runs on the GUI thread, where m_rcBind lives, and only
      // while the window exists. A step past the sprite's frames draws nothing.
      if (i < frames) {
        p.DrawOnWindow(window, [state = state, sprite = sprite, i](Canvas& canvas) {
          const Rect& bind = state->m_rcBind;
          if (!bind.IsEmpty()) canvas.DrawImage(*sprite, VerticalFrame(sprite->Width(), kFrameHeight, i), bind);
        });
      }
      p.Sleep(kStepMs);
    }
    return true;
  }

  void Run() const {
    if (sprite) {
      while (RunCycle() && !hide_bind_btn->load()) {
      }
    }
    // A closing window has closed the gate: then nothing more is touched.
    if (!state->m_hBlinkGate.IsOpen()) return;
    platform().DrawOnWindow(window, [window = window, state = state](Canvas&) {
      state->m_rcBind = kHiddenBind;
      const Rect band{0, 0, platform().GetClientRect(window).right, kCaptionHeight};
      platform().InvalidateRect(window, &band, false);
    });
  }
};

}  // namespace

void StartActivationBlink(Handle window, std::shared_ptr<GameThreadState> state,
                          std::shared_ptr<const Image> sprite, std::shared_ptr<const std::atomic<int>> hide_bind_btn) {
  std::thread([blink = Blink{window, std::move(state), std::move(sprite), std::move(hide_bind_btn)}] {
    blink.Run();
  }).detach();
}

}  // namespace lv
