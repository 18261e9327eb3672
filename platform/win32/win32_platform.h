// The Windows desktop: the client's windows are Win32 windows of one class
// whose window procedure hands every message, with Win32's own numbers, to
// the window object. Handles are the client's own, counted up and never
// reused (Win32 recycles HWND values), and map to HWNDs both ways.
#pragma once

#include "platform/win32/windows_api.h"

#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/common/window_table.h"

namespace lv::win32 {

// For the code that hosts other Win32 controls (the browser pane).
HWND HwndOf(Handle h);  // null for no such window
Handle HandleOf(HWND hwnd);  // 0 unless the client knows that HWND
// Gives a control's HWND (not a window of the client's class) a handle under
// `parent`, so that queued messages for it and for its own child windows
// pass the PreTranslateMessage chain of `parent` and its parents. The handle
// goes when UnregisterControl names it or when `parent` is destroyed.
Handle RegisterControl(HWND control, Handle parent);
void UnregisterControl(Handle control);
// The queued message being pre-translated right now, with its real HWND
// (a browser's inner window, say); null outside pre-translation.
const MSG* CurrentMessage();
// The native form of a client message: the current queued one when it is
// that message, otherwise one built from it.
MSG NativeMessage(const Msg& msg);

class Win32Platform : public Platform {
 public:
  // On the GUI thread, after OleInitialize, GdiplusStartup and
  // InitCommonControlsEx. One instance per process.
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  static Win32Platform& Instance();

  HWND HwndOf(Handle h);
  Handle HandleOf(HWND hwnd);
  Handle RegisterControl(HWND control, Handle parent);
  void UnregisterControl(Handle control);
  const MSG* current_message() const { return current_message_; }

  // --- Platform --------------------------------------------------------
  Handle CreateWindowFor(Window* window, const WindowSpec& spec) override;
  void DestroyWindow(Handle h) override;
  bool IsWindow(Handle h) override;
  LRESULT DefWindowProc(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  bool ShowWindow(Handle h, int cmd) override;
  bool IsWindowVisible(Handle h) override;
  bool IsIconic(Handle h) override;
  bool IsZoomed(Handle h) override;
  void MoveWindow(Handle h, const Rect& rect, bool repaint) override;
  Rect GetWindowRect(Handle h) override;
  Rect GetClientRect(Handle h) override;
  Point ScreenToClient(Handle h, Point p) override;
  void SetWindowText(Handle h, const std::wstring& text) override;
  std::wstring GetWindowText(Handle h) override;
  std::uint32_t GetExStyle(Handle h) override;
  void SetExStyle(Handle h, std::uint32_t ex_style) override;
  void SetForegroundWindow(Handle h) override;
  void SetFocus(Handle h) override;
  void EnableWindow(Handle h, bool enable) override;
  void SetParent(Handle child, Handle parent) override;
  void SetTopmost(Handle h, bool topmost) override;
  void InvalidateRect(Handle h, const Rect* rect, bool erase) override;
  void UpdateWindow(Handle h) override;

  void SetCursor(Cursor cursor) override;
  Point GetCursorPos() override;
  void ReleaseCapture() override;
  void TrackMouseLeave(Handle h) override;

  bool PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  void PostQuitMessage(int exit_code) override;
  int RunMessageLoop() override;
  int RunModalLoop(Handle dialog) override;
  void EndModalLoop(Handle dialog, int result) override;
  bool IsDialogMessage(Handle dialog, const Msg& msg) override;

  void SetTimer(Handle h, unsigned id, unsigned elapse_ms) override;
  void KillTimer(Handle h, unsigned id) override;
  std::int64_t NowUnixSeconds() override;
  void Sleep(unsigned ms) override;

  Size GetScreenSize() override;
  Rect GetWorkArea() override;

  std::unique_ptr<Canvas> BeginPaint(Handle h) override;
  void DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) override;
  void UpdateLayeredWindow(Handle h, const Surface& surface, Point dest) override;
  std::optional<Surface> DecodePng(std::span<const std::uint8_t> bytes) override;
  bool FontFamilyExists(const std::wstring& family) override;

  std::unique_ptr<BrowserPane> CreateBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                 BrowserEvents* events) override;

  int MessageBox(Handle owner, const std::wstring& text, const std::wstring& caption, unsigned flags) override;
  std::unique_ptr<HotKeyControl> CreateHotKeyControl(Handle parent, const Rect& rect, int id) override;
  std::unique_ptr<ToolTip> CreateToolTip(Handle owner) override;
  void ShellOpen(const std::wstring& address) override;

  bool RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) override;
  void UnregisterHotKey(Handle h, int id) override;
  bool AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) override;
  void DeleteTrayIcon(Handle h, unsigned id) override;
  void TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) override;

  std::wstring ModulePath() override;

 private:
  struct Creation;  // what CreateWindowFor hands to WM_NCCREATE
  static ::LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, ::WPARAM wParam, ::LPARAM lParam);
  static ::LRESULT CALLBACK MarshalProcedure(HWND hwnd, UINT message, ::WPARAM wParam, ::LPARAM lParam);
  void Bind(Handle h, HWND hwnd);
  // After WM_NCDESTROY: the window and its registered controls are forgotten.
  void Forget(Handle h);
  // The handle of `hwnd` or of its nearest ancestor (parent or owner) that has one.
  Handle NearestHandle(HWND hwnd);
  // One queued message: pre-translation, then TranslateMessage and DispatchMessageW.
  void Process(const MSG& msg);

  WindowTable table_;  // GUI thread only
  std::mutex map_mutex_;  // the two maps are read from worker threads (PostMessage, DrawOnWindow)
  std::unordered_map<Handle, HWND> hwnds_;
  std::unordered_map<HWND, Handle> handles_;
  HWND marshal_ = nullptr;  // message-only window that runs DrawOnWindow closures on the GUI thread
  const MSG* current_message_ = nullptr;
  std::map<Handle, int> modal_results_;
};

}  // namespace lv::win32
