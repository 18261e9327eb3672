#include "platform/common/window_table.h"

namespace lv {

Handle WindowTable::Add(Window* window, const WindowSpec& spec) {
  const Handle h = next_++;
  entries_[h] = Entry{window, spec.parent, spec};
  if (window) window->hwnd_ = h;
  return h;
}

WindowTable::Entry* WindowTable::Find(Handle h) {
  auto it = entries_.find(h);
  return it == entries_.end() ? nullptr : &it->second;
}

void WindowTable::Remove(Handle h) {
  auto it = entries_.find(h);
  if (it == entries_.end()) return;
  if (it->second.window && it->second.window->hwnd_ == h) it->second.window->hwnd_ = 0;
  entries_.erase(it);
}

std::vector<Handle> WindowTable::ChildrenOf(Handle h) const {
  std::vector<Handle> out;
  for (const auto& [handle, entry] : entries_) {
    if (entry.parent == h) out.push_back(handle);
  }
  return out;
}

std::vector<Handle> WindowTable::All() const {
  std::vector<Handle> out;
  for (const auto& [handle, entry] : entries_) out.push_back(handle);
  return out;
}

LRESULT WindowTable::Send(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  Entry* e = Find(h);
  if (!e || !e->window) return 0;
  return e->window->WindowProc(message, wParam, lParam);
}

bool WindowTable::PreTranslate(const Msg& msg) {
  for (Handle h = msg.hwnd; h != 0;) {
    Entry* e = Find(h);
    if (!e) return false;
    const Handle parent = e->parent;
    if (e->window && e->window->PreTranslateMessage(msg)) return true;
    h = parent;
  }
  return false;
}

bool WindowTable::Dispatch(const Msg& msg) {
  if (PreTranslate(msg)) return true;
  Entry* e = Find(msg.hwnd);
  if (!e || !e->window) return false;
  e->window->WindowProc(msg.message, msg.wParam, msg.lParam);
  return true;
}

}  // namespace lv
