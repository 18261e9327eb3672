#include "platform/win32/win32_platform.h"

#include "platform/win32/browser_pane.h"

namespace lv::win32 {
namespace {

constexpr wchar_t kMarshalClass[] = L"LumioVeyraMarshal";
// FILETIME counts 100-nanosecond steps from 1601-01-01; Unix time starts 1970-01-01.
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

Win32Platform* g_instance = nullptr;

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

Win32Platform::Win32Platform() {
  g_instance = this;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MarshalProcedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kMarshalClass;
  ::RegisterClassExW(&wc);
  marshal_ = ::CreateWindowExW(0, kMarshalClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

Win32Platform::~Win32Platform() {
  ::DestroyWindow(marshal_);
  g_instance = nullptr;
}

Win32Platform& Win32Platform::Instance() { return *g_instance; }

// --- Windows ---------------------------------------------------------------

bool Win32Platform::ShowWindow(Handle h, int cmd) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::ShowWindow(hwnd, cmd);
}

bool Win32Platform::IsWindowVisible(Handle h) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::IsWindowVisible(hwnd);
}

bool Win32Platform::IsIconic(Handle h) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::IsIconic(hwnd);
}

bool Win32Platform::IsZoomed(Handle h) {
  const HWND hwnd = HwndOf(h);
  return hwnd && ::IsZoomed(hwnd);
}

void Win32Platform::MoveWindow(Handle h, const Rect& rect, bool repaint) {
  if (const HWND hwnd = HwndOf(h)) ::MoveWindow(hwnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

Rect Win32Platform::GetWindowRect(Handle h) {
  RECT r{};
  if (const HWND hwnd = HwndOf(h)) ::GetWindowRect(hwnd, &r);
  return FromRECT(r);
}

Rect Win32Platform::GetClientRect(Handle h) {
  RECT r{};
  if (const HWND hwnd = HwndOf(h)) ::GetClientRect(hwnd, &r);
  return FromRECT(r);
}

Point Win32Platform::ScreenToClient(Handle h, Point p) {
  POINT pt{p.x, p.y};
  if (const HWND hwnd = HwndOf(h)) ::ScreenToClient(hwnd, &pt);
  return Point{pt.x, pt.y};
}

void Win32Platform::SetWindowText(Handle h, const std::wstring& text) {
  if (const HWND hwnd = HwndOf(h)) ::SetWindowTextW(hwnd, text.c_str());
}

std::wstring Win32Platform::GetWindowText(Handle h) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return L"";
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::uint32_t Win32Platform::GetExStyle(Handle h) {
  const HWND hwnd = HwndOf(h);
  return hwnd ? static_cast<std::uint32_t>(::GetWindowLongW(hwnd, GWL_EXSTYLE)) : 0;
}

void Win32Platform::SetExStyle(Handle h, std::uint32_t ex_style) {
  if (const HWND hwnd = HwndOf(h)) ::SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(ex_style));
}

void Win32Platform::SetForegroundWindow(Handle h) {
  if (const HWND hwnd = HwndOf(h)) ::SetForegroundWindow(hwnd);
}

void Win32Platform::SetFocus(Handle h) {
  if (const HWND hwnd = HwndOf(h)) ::SetFocus(hwnd);
}

void Win32Platform::EnableWindow(Handle h, bool enable) {
  if (const HWND hwnd = HwndOf(h)) ::EnableWindow(hwnd, enable);
}

void Win32Platform::SetTopmost(Handle h, bool topmost) {
  if (const HWND hwnd = HwndOf(h)) {
    ::SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Win32Platform::InvalidateRect(Handle h, const Rect* rect, bool erase) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return;
  if (rect) {
    const RECT r = ToRECT(*rect);
    ::InvalidateRect(hwnd, &r, erase);
  } else {
    ::InvalidateRect(hwnd, nullptr, erase);
  }
}

void Win32Platform::UpdateWindow(Handle h) {
  if (const HWND hwnd = HwndOf(h)) ::UpdateWindow(hwnd);
}

// --- Input -----------------------------------------------------------------

void Win32Platform::SetCursor(Cursor cursor) {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case Cursor::Arrow:
      break;
    case Cursor::Hand:
      id = IDC_HAND;
      break;
    case Cursor::SizeNS:
      id = IDC_SIZENS;
      break;
    case Cursor::SizeWE:
      id = IDC_SIZEWE;
      break;
    case Cursor::SizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case Cursor::SizeNESW:
      id = IDC_SIZENESW;
      break;
  }
  ::SetCursor(::LoadCursorW(nullptr, id));
}

Point Win32Platform::GetCursorPos() {
  POINT pt{};
  ::GetCursorPos(&pt);
  return Point{pt.x, pt.y};
}

void Win32Platform::ReleaseCapture() { ::ReleaseCapture(); }

void Win32Platform::TrackMouseLeave(Handle h) {
  const HWND hwnd = HwndOf(h);
  if (!hwnd) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = hwnd;
  ::TrackMouseEvent(&track);
}

// --- Time and screen -------------------------------------------------------

std::int64_t Win32Platform::NowUnixSeconds() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return ticks / kFileTimeTicksPerSecond - kSecondsFrom1601To1970;
}

void Win32Platform::Sleep(unsigned ms) { ::Sleep(ms); }

Size Win32Platform::GetScreenSize() { return Size{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

Rect Win32Platform::GetWorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return FromRECT(r);
}

// --- The rest --------------------------------------------------------------

std::unique_ptr<BrowserPane> Win32Platform::CreateBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                              BrowserEvents* events) {
  return CreateWebBrowserPane(parent, rect, control_id, events);
}

std::wstring Win32Platform::ModulePath() { return os::ModulePath(); }

}  // namespace lv::win32
