// Messages: posting and sending with the client's numbers, the message loop
// with its PreTranslateMessage chain, the modal loop, timers, and the GUI
// thread's share of DrawOnWindow.
#include "platform/win32/gdiplus_canvas.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {
namespace {

// The marshalling window's one message: lParam is a DrawJob it now owns.
constexpr UINT kRunDrawJob = WM_APP + 1;

struct DrawJob {
  Handle target;
  std::function<void(Canvas&)> draw;
};

}  // namespace

bool Win32Platform::PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  // Never with a null HWND: that would post to the calling thread instead.
  const HWND hwnd = HwndOf(h);
  return hwnd && ::PostMessageW(hwnd, message, wParam, lParam);
}

LRESULT Win32Platform::SendMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = HwndOf(h);
  return hwnd ? ::SendMessageW(hwnd, message, wParam, lParam) : 0;
}

void Win32Platform::PostQuitMessage(int exit_code) { ::PostQuitMessage(exit_code); }

void Win32Platform::Process(const MSG& msg) {
  bool handled = false;
  if (const Handle h = NearestHandle(msg.hwnd)) {
    const MSG* outer = current_message_;
    current_message_ = &msg;
    handled = table_.PreTranslate(Msg{h, msg.message, msg.wParam, msg.lParam});
    current_message_ = outer;
  }
  if (handled) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

int Win32Platform::RunMessageLoop() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) Process(msg);
  return static_cast<int>(msg.wParam);
}

int Win32Platform::RunModalLoop(Handle dialog) {
  modal_results_.erase(dialog);
  MSG msg{};
  while (IsWindow(dialog) && !modal_results_.count(dialog)) {
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      // The program is ending: leave the quit message to the outer loop.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Process(msg);
  }
  const auto it = modal_results_.find(dialog);
  const int result = it == modal_results_.end() ? mb::IDCANCEL : it->second;
  modal_results_.erase(dialog);
  return result;
}

// Called while the loop handles a message, so the loop sees it next.
void Win32Platform::EndModalLoop(Handle dialog, int result) { modal_results_[dialog] = result; }

bool Win32Platform::IsDialogMessage(Handle dialog, const Msg& msg) {
  const HWND hwnd = HwndOf(dialog);
  if (!hwnd) return false;
  MSG native = NativeMessage(msg);
  return ::IsDialogMessageW(hwnd, &native);
}

const MSG* CurrentMessage() { return Win32Platform::Instance().current_message(); }

MSG NativeMessage(const Msg& msg) {
  const MSG* current = CurrentMessage();
  if (current && current->message == msg.message && current->wParam == msg.wParam && current->lParam == msg.lParam) {
    return *current;
  }
  MSG native{};
  native.hwnd = HwndOf(msg.hwnd);
  native.message = msg.message;
  native.wParam = msg.wParam;
  native.lParam = msg.lParam;
  native.time = ::GetMessageTime();
  const DWORD pos = ::GetMessagePos();
  native.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  return native;
}

void Win32Platform::SetTimer(Handle h, unsigned id, unsigned elapse_ms) {
  if (const HWND hwnd = HwndOf(h)) ::SetTimer(hwnd, id, elapse_ms, nullptr);
}

void Win32Platform::KillTimer(Handle h, unsigned id) {
  if (const HWND hwnd = HwndOf(h)) ::KillTimer(hwnd, id);
}

void Win32Platform::DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) {
  auto* job = new DrawJob{h, std::move(draw)};
  if (!::PostMessageW(marshal_, kRunDrawJob, 0, reinterpret_cast<::LPARAM>(job))) delete job;
}

::LRESULT Win32Platform::MarshalProcedure(HWND hwnd, UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  if (message != kRunDrawJob) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  const std::unique_ptr<DrawJob> job(reinterpret_cast<DrawJob*>(lParam));
  const HWND target = Instance().HwndOf(job->target);
  if (!target || !::IsWindow(target)) return 0;  // the window is gone: nothing to draw on
  const HDC dc = ::GetDC(target);
  {
    GdiplusCanvas canvas(dc);
    job->draw(canvas);
  }
  ::ReleaseDC(target, dc);
  return 0;
}

}  // namespace lv::win32
