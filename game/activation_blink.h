// The blinking trial-account activation button: a worker thread that steps
// through the frames of its sprite in m_rcBind until the account has been
// activated or the game window closes.
#pragma once

#include <atomic>
#include <memory>

#include "game/game_thread_state.h"
#include "platform/platform.h"

namespace lv {

// Starts the worker and lets it go. It holds `state`, `sprite` (null: it
// stops at once) and `hide_bind_btn` (the launcher's flag) by shared
// ownership and names the window by handle only.
void StartActivationBlink(Handle window, std::shared_ptr<GameThreadState> state,
                          std::shared_ptr<const Image> sprite, std::shared_ptr<const std::atomic<int>> hide_bind_btn);

}  // namespace lv
