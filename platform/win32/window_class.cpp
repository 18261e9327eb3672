// The client's window class and window procedure: creation, the message
// routing to the window objects, default processing and destruction.
#include "platform/win32/win32_platform.h"

#include "res/resource.h"

namespace lv::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"LumioVeyraWindow";

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ModuleInstance();
  wc.hIcon = ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_LUMIOVEYRA));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_LUMIOVEYRA), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
}

}  // namespace

struct Win32Platform::Creation {
  Window* window;
  const WindowSpec& spec;
  Handle handle = 0;
};

Handle Win32Platform::CreateWindowFor(Window* window, const WindowSpec& spec) {
  static std::once_flag registered;
  std::call_once(registered, [] { RegisterWindowClass(WindowProcedure); });
  Creation creation{window, spec};
  const HWND hwnd = ::CreateWindowExW(spec.ex_style, kWindowClass, spec.title.c_str(), spec.style, spec.rect.left,
                                      spec.rect.top, spec.rect.Width(), spec.rect.Height(), HwndOf(spec.parent),
                                      nullptr, ModuleInstance(), &creation);
  // A window whose WM_CREATE gave -1, or that ended itself while being
  // created, is gone already, with its handle.
  return hwnd && IsWindow(creation.handle) ? creation.handle : 0;
}

void Win32Platform::DestroyWindow(Handle h) {
  if (const HWND hwnd = HwndOf(h)) ::DestroyWindow(hwnd);
}

bool Win32Platform::IsWindow(Handle h) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::IsWindow(hwnd);
}

::LRESULT Win32Platform::WindowProcedure(HWND hwnd, UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  Win32Platform& self = Instance();
  if (message == WM_NCCREATE) {
    auto* creation = static_cast<Creation*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    creation->handle = self.table_.Add(creation->window, creation->spec);
    self.Bind(creation->handle, hwnd);
  }
  const Handle h = self.HandleOf(hwnd);
  WindowTable::Entry* entry = h ? self.table_.Find(h) : nullptr;
  Window* window = entry ? entry->window : nullptr;
  if (!window) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The last message: the system finishes with the HWND, the client's
    // handle is cleared, and the object may delete itself.
    ::DefWindowProcW(hwnd, message, wParam, lParam);
    self.Forget(h);
    window->WindowProc(wm::NCDESTROY, wParam, lParam);
    return 0;
  }
  return window->WindowProc(message, wParam, lParam);
}

LRESULT Win32Platform::DefWindowProc(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return 0;
  if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
    const WindowTable::Entry* entry = table_.Find(h);
    if (entry && entry->spec.cursor != Cursor::Arrow) {  // the class cursor is the arrow
      SetCursor(entry->spec.cursor);
      return TRUE;
    }
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Platform::Bind(Handle h, HWND hwnd) {
  std::lock_guard lock(map_mutex_);
  hwnds_[h] = hwnd;
  handles_[hwnd] = h;
}

void Win32Platform::Forget(Handle h) {
  // Registered controls die with their parent's HWND without a message of ours.
  for (Handle child : table_.ChildrenOf(h)) {
    const WindowTable::Entry* entry = table_.Find(child);
    if (entry && !entry->window) Forget(child);
  }
  {
    std::lock_guard lock(map_mutex_);
    auto it = hwnds_.find(h);
    if (it != hwnds_.end()) {
      handles_.erase(it->second);
      hwnds_.erase(it);
    }
  }
  table_.Remove(h);
}

Handle Win32Platform::RegisterControl(HWND control, Handle parent) {
  WindowSpec spec;
  spec.style = ws::CHILD;
  spec.parent = parent;
  const Handle h = table_.Add(nullptr, spec);
  Bind(h, control);
  return h;
}

void Win32Platform::UnregisterControl(Handle control) {
  const WindowTable::Entry* entry = table_.Find(control);
  if (entry && !entry->window) Forget(control);
}

HWND Win32Platform::HwndOf(Handle h) {
  std::lock_guard lock(map_mutex_);
  auto it = hwnds_.find(h);
  return it == hwnds_.end() ? nullptr : it->second;
}

Handle Win32Platform::HandleOf(HWND hwnd) {
  std::lock_guard lock(map_mutex_);
  auto it = handles_.find(hwnd);
  return it == handles_.end() ? 0 : it->second;
}

Handle Win32Platform::NearestHandle(HWND hwnd) {
  for (; hwnd; hwnd = ::GetParent(hwnd)) {
    if (const Handle h = HandleOf(hwnd)) return h;
  }
  return 0;
}

void Win32Platform::SetParent(Handle child, Handle parent) {
  const HWND hwnd = HwndOf(child);
  if (!hwnd) return;
  ::SetParent(hwnd, HwndOf(parent));
  if (WindowTable::Entry* entry = table_.Find(child)) entry->parent = parent;
}

HWND HwndOf(Handle h) { return Win32Platform::Instance().HwndOf(h); }
Handle HandleOf(HWND hwnd) { return Win32Platform::Instance().HandleOf(hwnd); }
Handle RegisterControl(HWND control, Handle parent) { return Win32Platform::Instance().RegisterControl(control, parent); }
void UnregisterControl(Handle control) { Win32Platform::Instance().UnregisterControl(control); }

}  // namespace lv::win32
