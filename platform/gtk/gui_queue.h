// Work for the GUI thread, handed over from any thread and run from the GLib
// main loop in the order it was posted. Each task gets its own idle source,
// so tasks keep running inside nested loops (modal dialogs, message boxes)
// that a task itself starts.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace lv::gtk {

class GuiQueue {
 public:
  void Post(std::function<void()> task);

 private:
  static int RunOne(void* self);

  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace lv::gtk
