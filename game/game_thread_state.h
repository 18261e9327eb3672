// The part of the game window that its worker threads reach. A worker holds it
// by shared ownership, so it stays valid when the window closes under the
// worker; the worker names the window by handle and draws through
// DrawOnWindow, which drops the drawing once the window is gone.
#pragma once

#include <atomic>

#include "platform/geometry.h"

namespace lv {

// A manual-reset gate: a worker draws only while its gate is open, and the
// window closes it first thing when it closes.
class Gate {
 public:
  void Open() { open_.store(true); }
  void Close() { open_.store(false); }
  bool IsOpen() const { return open_.load(); }

 private:
  std::atomic<bool> open_{false};
};

struct GameThreadState {
  Gate m_hBlinkGate;                  // the activation button's blink
  std::atomic<int> m_bCleaning{0};    // a cache-cleaning run is under way
  std::atomic<int> m_bVipPending{0};  // a customer-service message waits: the VIP button blinks
  // The activation button; empty when hidden. GUI thread only: the window's
  // layout and the drawing that workers hand to DrawOnWindow use it.
  Rect m_rcBind;
};

}  // namespace lv
