// The message queue, the loops, timers and time.
#include <chrono>

#include "platform/gtk/gtk_platform.h"

namespace lv::gtk {

bool GtkPlatform::PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  const Msg msg{h, message, wParam, lParam};
  queue_.Post([this, msg] { table().Dispatch(msg); });
  return true;
}

void GtkPlatform::PostQuitMessage(int exit_code) {
  exit_code_ = exit_code;
  quit_ = true;
  if (main_loop_) g_main_loop_quit(main_loop_);
}

int GtkPlatform::RunMessageLoop() {
  if (!quit_) {
    main_loop_ = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(main_loop_);
  }
  return exit_code_;
}

int GtkPlatform::RunModalLoop(Handle dialog) {
  // EndModalLoop may come first, from the dialog's own creation.
  if (modal_results_.count(dialog) == 0 && IsWindow(dialog)) {
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    modal_loops_[dialog] = loop;
    g_main_loop_run(loop);  // until EndModalLoop or the dialog's destruction
    modal_loops_.erase(dialog);
    g_main_loop_unref(loop);
  }
  auto it = modal_results_.find(dialog);
  const int result = it == modal_results_.end() ? mb::IDCANCEL : it->second;
  if (it != modal_results_.end()) modal_results_.erase(it);
  return result;
}

void GtkPlatform::EndModalLoop(Handle dialog, int result) {
  modal_results_[dialog] = result;
  if (auto it = modal_loops_.find(dialog); it != modal_loops_.end()) g_main_loop_quit(it->second);
}

// The dialog manager's keys: Enter is the dialog's OK, Escape its Cancel.
bool GtkPlatform::IsDialogMessage(Handle dialog, const Msg& msg) {
  if (msg.message != wm::KEYDOWN) return false;
  if (msg.wParam == vk::RETURN) return PostMessage(dialog, wm::COMMAND, static_cast<WPARAM>(mb::IDOK), 0);
  if (msg.wParam == vk::ESCAPE) return PostMessage(dialog, wm::COMMAND, static_cast<WPARAM>(mb::IDCANCEL), 0);
  return false;
}

// --- Timers ------------------------------------------------------------------

struct GtkPlatform::TimerTag {
  Handle h;
  unsigned id;
};

gboolean GtkPlatform::OnTimer(gpointer tag) {
  const auto* t = static_cast<const TimerTag*>(tag);
  // Dispatched when due rather than queued, so a killed timer sends nothing more.
  Instance().table().Dispatch(Msg{t->h, wm::TIMER, t->id, 0});
  return G_SOURCE_CONTINUE;
}

void GtkPlatform::SetTimer(Handle h, unsigned id, unsigned elapse_ms) {
  if (!IsWindow(h)) return;
  KillTimer(h, id);
  timers_[{h, id}] = g_timeout_add_full(G_PRIORITY_DEFAULT, elapse_ms, OnTimer, new TimerTag{h, id},
                                        [](gpointer tag) { delete static_cast<TimerTag*>(tag); });
}

void GtkPlatform::KillTimer(Handle h, unsigned id) {
  auto it = timers_.find({h, id});
  if (it == timers_.end()) return;
  g_source_remove(it->second);
  timers_.erase(it);
}

void GtkPlatform::DropTimers(Handle h) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->first.first == h) {
      g_source_remove(it->second);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

std::int64_t GtkPlatform::NowUnixSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

void GtkPlatform::Sleep(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace lv::gtk
