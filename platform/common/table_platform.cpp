#include "platform/common/table_platform.h"

namespace lv {

Handle TablePlatform::CreateWindowFor(Window* window, const WindowSpec& spec) {
  const Handle h = table_.Add(window, spec);
  NativeCreate(h, spec);
  if (table_.Send(h, wm::CREATE, 0, 0) == -1) {
    DestroyWindow(h);
    return 0;
  }
  if (!IsWindow(h)) return 0;  // the window gave up during its creation
  if (spec.style & ws::VISIBLE) ShowWindow(h, sw::SHOW);
  return h;
}

void TablePlatform::DestroyWindow(Handle h) {
  WindowTable::Entry* e = table_.Find(h);
  if (!e) return;
  Window* window = e->window;
  table_.Send(h, wm::DESTROY, 0, 0);
  for (Handle child : table_.ChildrenOf(h)) DestroyWindow(child);
  if (!table_.Find(h)) return;  // destroyed again from inside WM_DESTROY
  NativeDestroy(h);
  table_.Remove(h);
  // The last message; the object may delete itself here, so nothing of it
  // is touched afterwards.
  if (window) window->WindowProc(wm::NCDESTROY, 0, 0);
}

bool TablePlatform::IsWindow(Handle h) { return h != 0 && table_.Find(h) != nullptr; }

LRESULT TablePlatform::SendMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  return table_.Send(h, message, wParam, lParam);
}

Rect TablePlatform::GetClientRect(Handle h) {
  const Rect r = GetWindowRect(h);
  return Rect{0, 0, r.Width(), r.Height()};
}

Point TablePlatform::ScreenToClient(Handle h, Point p) {
  const Rect r = GetWindowRect(h);
  return Point{p.x - r.left, p.y - r.top};
}

Handle TablePlatform::AddControl(Handle parent, const Rect& rect) {
  WindowSpec spec;
  spec.style = ws::CHILD | ws::VISIBLE;
  spec.rect = rect;
  spec.parent = parent;
  return table_.Add(nullptr, spec);
}

LRESULT TablePlatform::DefWindowProc(Handle h, unsigned message, WPARAM wParam, LPARAM) {
  switch (message) {
    case wm::CLOSE:
      DestroyWindow(h);
      return 0;
    case wm::ERASEBKGND:
      return 1;
    case wm::NCHITTEST:
      return ht::CLIENT;
    case wm::SETCURSOR: {
      const WindowTable::Entry* e = table_.Find(h);
      SetCursor(e ? e->spec.cursor : Cursor::Arrow);
      return 1;
    }
    case wm::NCLBUTTONDOWN:
      if (wParam == ht::CAPTION) {
        BeginMoveDrag(h);
      } else if (wParam >= static_cast<WPARAM>(ht::LEFT) && wParam <= static_cast<WPARAM>(ht::BOTTOMRIGHT)) {
        BeginResizeDrag(h, static_cast<int>(wParam));
      }
      return 0;
    case wm::SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case sc::MOVE:
          BeginMoveDrag(h);
          break;
        case sc::SIZE: {
          // SC_SIZE + 1..8 name the edge: left, right, top, top-left,
          // top-right, bottom, bottom-left, bottom-right.
          static constexpr int kEdges[] = {ht::LEFT,    ht::LEFT,   ht::RIGHT,      ht::TOP,        ht::TOPLEFT,
                                           ht::TOPRIGHT, ht::BOTTOM, ht::BOTTOMLEFT, ht::BOTTOMRIGHT};
          const unsigned edge = static_cast<unsigned>(wParam & 0xF);
          if (edge >= 1 && edge <= 8) BeginResizeDrag(h, kEdges[edge]);
          break;
        }
        case sc::MINIMIZE:
          ShowWindow(h, sw::MINIMIZE);
          break;
        case sc::MAXIMIZE:
          ShowWindow(h, sw::MAXIMIZE);
          break;
        case sc::RESTORE:
          ShowWindow(h, sw::RESTORE);
          break;
        case sc::CLOSE:
          PostMessage(h, wm::CLOSE, 0, 0);
          break;
        default:
          break;
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace lv
