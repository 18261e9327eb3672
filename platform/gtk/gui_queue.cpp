#include "platform/gtk/gui_queue.h"

#include <glib.h>

namespace lv::gtk {

void GuiQueue::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  // At the priority of the window system's events, as posted messages share
  // the one queue with input on Windows.
  g_idle_add_full(G_PRIORITY_DEFAULT, RunOne, this, nullptr);
}

int GuiQueue::RunOne(void* self) {
  auto* queue = static_cast<GuiQueue*>(self);
  std::function<void()> task;
  {
    std::lock_guard lock(queue->mutex_);
    task = std::move(queue->tasks_.front());
    queue->tasks_.pop_front();
  }
  task();
  return G_SOURCE_REMOVE;
}

}  // namespace lv::gtk
