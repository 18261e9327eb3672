// The one seam between the client and the desktop it runs on.
//
// The application keeps the window-message model: a window is an object whose
// WindowProc handles numbered messages (Win32's numbers, platform/winmsg.h),
// Post queues a message and Send runs it at once. Each backend (headless for
// tests, gtk on Linux, win32 on Windows) turns its system's events into those
// messages and carries out the requests below. Handles are never reused, so a
// request naming a window that is gone does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/winmsg.h"

struct IOleClientSite;  // platform/com.h

namespace lv {

using Handle = std::uint32_t;  // 0 = no window

struct Msg {
  Handle hwnd = 0;
  unsigned message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// An application window. The backend sets the handle before WM_CREATE and
// clears it after WM_NCDESTROY, the last message a window gets; a window
// object may delete itself there.
class Window {
 public:
  virtual ~Window() = default;
  Handle GetSafeHwnd() const { return hwnd_; }

  // Every message for this window. The default hands it to the platform's
  // default processing (drag on SC_MOVE, destroy on WM_CLOSE, ...).
  virtual LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam);
  // Queued messages of this window and of its child windows (browser panes
  // included) pass here first; true means handled, not dispatched further.
  virtual bool PreTranslateMessage(const Msg& msg);

 protected:
  LRESULT Default(unsigned message, WPARAM wParam, LPARAM lParam);

 private:
  friend class WindowTable;
  Handle hwnd_ = 0;
};

enum class Cursor { Arrow, Hand, SizeNS, SizeWE, SizeNWSE, SizeNESW };

struct WindowSpec {
  std::wstring title;
  std::uint32_t style = 0;     // ws::POPUP, ws::CHILD, ...
  std::uint32_t ex_style = 0;  // ws::EX_LAYERED, ws::EX_TOOLWINDOW, ...
  Rect rect;                   // screen coordinates; for a child, its parent's client area
  Handle parent = 0;           // owner of a popup, parent of a child
  Cursor cursor = Cursor::Arrow;
};

struct FontSpec {
  std::wstring family;
  float pixel_size = 12;
  bool bold = false;
};

// Where a window draws: its paint surface, or its device context for the
// worker threads' direct drawing.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void DrawImage(const Image& image, const Rect& src, const Rect& dst) = 0;
  // Text at (layout.x, layout.y); a non-zero width and height make it a box
  // that the text wraps and clips in. argb is 0xAARRGGBB.
  virtual void DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb,
                        const RectF& layout) = 0;
};

// The browser control's events, as the owning window sees them.
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  virtual void OnBeforeNavigate(const std::wstring& /*url*/, bool& /*cancel*/) {}
  virtual void OnNavigateComplete(const std::wstring& /*url*/) {}
  virtual void OnDocumentComplete(const std::wstring& /*url*/) {}
  // Not cancelled: the engine opens the window as a browser would.
  virtual void OnNewWindow(const std::wstring& /*url*/, bool& /*cancel*/) {}
  virtual void OnTitleChange(const std::wstring& /*title*/) {}
  virtual void OnWindowClosing(bool& /*cancel*/) {}
};

// One embedded browser, a child window of its owner. Destroying the object
// destroys the control.
class BrowserPane {
 public:
  virtual ~BrowserPane() = default;
  virtual Handle hwnd() const = 0;
  // The control's own client site, with a reference for the caller; null
  // where the engine has none.
  virtual IOleClientSite* GetClientSite() = 0;
  // Puts the client's own site in place of the control's: it decides about
  // context menus, borders, scroll bars and the page's window.external.
  virtual void SetClientSite(IOleClientSite* site) = 0;
  virtual void Navigate(const std::wstring& url) = 0;
  virtual void Refresh() = 0;
  virtual void Stop() = 0;
  virtual void SetSilent(bool silent) = 0;
  virtual bool IsDocumentHtml() = 0;
  virtual void Move(const Rect& rect, bool repaint) = 0;
  virtual void Show(bool show) = 0;
  // The engine's own accelerator handling for a key message.
  virtual bool TranslateAccelerator(const Msg& msg) = 0;
};

// The hot-key capture control of the boss-key dialog. Modifiers use the
// control's encoding: 1 Shift, 2 Ctrl, 4 Alt, 8 extended.
class HotKeyControl {
 public:
  virtual ~HotKeyControl() = default;
  virtual void SetHotKey(unsigned vk, unsigned modifiers) = 0;
  virtual void GetHotKey(unsigned& vk, unsigned& modifiers) const = 0;
  virtual std::wstring GetHotKeyName() const = 0;
  virtual void Focus() = 0;
};

class ToolTip {
 public:
  virtual ~ToolTip() = default;
  virtual void SetText(const std::wstring& text) = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual void RelayEvent(const Msg& msg) = 0;
};

struct MenuItem {
  unsigned command = 0;
  std::wstring text;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Windows. CreateWindowFor sends WM_CREATE before it returns; a result of
  // -1 from it fails the creation and gives 0.
  virtual Handle CreateWindowFor(Window* window, const WindowSpec& spec) = 0;
  virtual void DestroyWindow(Handle h) = 0;
  virtual bool IsWindow(Handle h) = 0;
  virtual LRESULT DefWindowProc(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) = 0;
  virtual bool ShowWindow(Handle h, int cmd) = 0;  // returns whether it was visible
  virtual bool IsWindowVisible(Handle h) = 0;
  virtual bool IsIconic(Handle h) = 0;
  virtual bool IsZoomed(Handle h) = 0;
  virtual void MoveWindow(Handle h, const Rect& rect, bool repaint) = 0;
  virtual Rect GetWindowRect(Handle h) = 0;  // screen coordinates
  virtual Rect GetClientRect(Handle h) = 0;  // (0, 0, width, height)
  virtual Point ScreenToClient(Handle h, Point p) = 0;
  virtual void SetWindowText(Handle h, const std::wstring& text) = 0;
  virtual std::wstring GetWindowText(Handle h) = 0;
  virtual std::uint32_t GetExStyle(Handle h) = 0;
  virtual void SetExStyle(Handle h, std::uint32_t ex_style) = 0;
  virtual void SetForegroundWindow(Handle h) = 0;
  virtual void SetFocus(Handle h) = 0;
  virtual void EnableWindow(Handle h, bool enable) = 0;
  virtual void SetParent(Handle child, Handle parent) = 0;
  virtual void SetTopmost(Handle h, bool topmost) = 0;
  virtual void InvalidateRect(Handle h, const Rect* rect, bool erase) = 0;
  virtual void UpdateWindow(Handle h) = 0;

  // Input.
  virtual void SetCursor(Cursor cursor) = 0;
  virtual Point GetCursorPos() = 0;
  virtual void ReleaseCapture() = 0;
  virtual void TrackMouseLeave(Handle h) = 0;  // one WM_MOUSELEAVE when the mouse leaves

  // Messages. PostMessage may be called from any thread; SendMessage only on
  // the GUI thread.
  virtual bool PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) = 0;
  virtual LRESULT SendMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void PostQuitMessage(int exit_code) = 0;
  virtual int RunMessageLoop() = 0;
  // A modal loop for `dialog`, until EndModalLoop names it.
  virtual int RunModalLoop(Handle dialog) = 0;
  virtual void EndModalLoop(Handle dialog, int result) = 0;
  // The dialog manager's own processing of a key message.
  virtual bool IsDialogMessage(Handle dialog, const Msg& msg) = 0;

  // Timers post WM_TIMER with the id; time is the platform's, so tests can
  // run ten seconds without waiting for them.
  virtual void SetTimer(Handle h, unsigned id, unsigned elapse_ms) = 0;
  virtual void KillTimer(Handle h, unsigned id) = 0;
  virtual std::int64_t NowUnixSeconds() = 0;
  virtual void Sleep(unsigned ms) = 0;  // any thread

  // Screen.
  virtual Size GetScreenSize() = 0;
  virtual Rect GetWorkArea() = 0;

  // Drawing. BeginPaint is for WM_PAINT: the canvas draws into the window's
  // back buffer, shown when the canvas goes. DrawOnWindow may be called from
  // any thread: the drawing runs on the GUI thread, straight onto the window,
  // and is dropped if the window is gone by then.
  virtual std::unique_ptr<Canvas> BeginPaint(Handle h) = 0;
  virtual void DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) = 0;
  // Puts a whole per-pixel-alpha surface on screen at `dest` (screen
  // coordinates) for a window with ws::EX_LAYERED.
  virtual void UpdateLayeredWindow(Handle h, const Surface& surface, Point dest) = 0;
  virtual std::optional<Surface> DecodePng(std::span<const std::uint8_t> bytes) = 0;
  virtual bool FontFamilyExists(const std::wstring& family) = 0;

  // Embedded browser; null when the control cannot be created.
  virtual std::unique_ptr<BrowserPane> CreateBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                         BrowserEvents* events) = 0;

  // Dialog pieces.
  virtual int MessageBox(Handle owner, const std::wstring& text, const std::wstring& caption,
                         unsigned flags) = 0;
  virtual std::unique_ptr<HotKeyControl> CreateHotKeyControl(Handle parent, const Rect& rect, int id) = 0;
  virtual std::unique_ptr<ToolTip> CreateToolTip(Handle owner) = 0;

  // The user's default browser.
  virtual void ShellOpen(const std::wstring& address) = 0;

  // System-wide hot keys (WM_HOTKEY with the id) and the tray icon (the
  // callback message with lParam WM_LBUTTONDBLCLK or WM_RBUTTONDOWN).
  virtual bool RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) = 0;
  virtual void UnregisterHotKey(Handle h, int id) = 0;
  virtual bool AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) = 0;
  virtual void DeleteTrayIcon(Handle h, unsigned id) = 0;
  // Shows a popup menu; the chosen command arrives as WM_COMMAND.
  virtual void TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) = 0;

  // The running program file, full path.
  virtual std::wstring ModulePath() = 0;
};

Platform& platform();
void SetPlatform(Platform* p);

}  // namespace lv
