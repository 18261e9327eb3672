// The handle table and message dispatch shared by the backends that keep
// their own windows (headless and gtk): handles are counted up and never
// reused, a window's children go with it, and queued messages pass the
// PreTranslateMessage chain from the target window up through its parents.
#pragma once

#include <map>
#include <vector>

#include "platform/platform.h"

namespace lv {

class WindowTable {
 public:
  struct Entry {
    Window* window = nullptr;  // null for control windows such as browser panes
    Handle parent = 0;
    WindowSpec spec;
  };

  // Registers a window and gives it its handle.
  Handle Add(Window* window, const WindowSpec& spec);
  Entry* Find(Handle h);
  // Forgets the window and clears its handle.
  void Remove(Handle h);
  std::vector<Handle> ChildrenOf(Handle h) const;
  std::vector<Handle> All() const;

  // Runs the window's WindowProc at once; 0 when there is no such window.
  LRESULT Send(Handle h, unsigned message, WPARAM wParam, LPARAM lParam);
  // PreTranslateMessage from the target up through its parents.
  bool PreTranslate(const Msg& msg);
  // A queued message: pre-translation, then the window procedure. Returns
  // whether something took it (pre-translation or a window object).
  bool Dispatch(const Msg& msg);

 private:
  std::map<Handle, Entry> entries_;
  Handle next_ = 1;
};

}  // namespace lv
