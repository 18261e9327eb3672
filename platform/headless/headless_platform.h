// A deterministic desktop for tests. Windows are records; tests inject
// native-like events, pump the message queue, answer message boxes and modal
// loops from a script, advance a controllable clock, and read back what was
// drawn, shown, moved, opened in the user's browser and requested.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/common/table_platform.h"

namespace lv::headless {

struct DrawOp {
  enum Kind { kImage, kText } kind = kImage;
  int image_id = 0;  // resource id of the image
  Rect src, dst;
  std::wstring text;
  FontSpec font;
  std::uint32_t argb = 0;
  RectF layout;
};

struct WindowState {
  Rect rect;
  bool visible = false;
  bool iconic = false;
  bool zoomed = false;
  bool enabled = true;
  bool topmost = false;
  bool foreground = false;
  bool focused = false;
  Rect restore_rect;
  std::wstring text;
  std::uint32_t ex_style = 0;
  std::vector<DrawOp> last_paint;   // the ops of the latest WM_PAINT
  std::vector<DrawOp> direct_draws;  // DrawOnWindow ops, in order
  std::vector<Rect> invalidated;     // every InvalidateRect (whole client for null)
  bool dirty = false;
  int layered_updates = 0;
  Surface layered_surface;
  Point layered_dest;
  bool tracking_leave = false;
};

struct MessageBoxRecord {
  Handle owner = 0;
  std::wstring text, caption;
  unsigned flags = 0;
};

class FakeBrowserPane;

class HeadlessPlatform : public TablePlatform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // --- Test controls -----------------------------------------------------
  // Runs queued messages, posted drawing and due paints until nothing is left.
  void Pump();
  // Moves the clock on, firing due timers (and pumping) as it passes them,
  // and wakes worker threads whose Sleep has run out.
  void AdvanceTime(unsigned ms);
  std::int64_t clock_ms() const;
  void SetWallClock(std::int64_t unix_seconds) { wall_base_ = unix_seconds; }

  // Mouse in client coordinates: WM_MOUSEMOVE / WM_LBUTTONDOWN / ... with
  // the point in lParam, dispatched as a queued message.
  void Mouse(Handle h, unsigned message, int x, int y);
  // WM_NCHITTEST for a point in screen coordinates, as the system asks it.
  LRESULT HitTest(Handle h, int screen_x, int screen_y);
  // A key message to `h` (a window or a browser pane). Returns true when
  // pre-translation consumed it; otherwise it reached the target.
  bool Key(Handle h, unsigned message, unsigned vk);
  // What the user does to a window's frame: the system's own moves.
  void UserMove(Handle h, int x, int y);
  void MouseLeave(Handle h);

  // Message boxes: answers are used in order; without one, OK-only boxes
  // answer IDOK and the others IDCANCEL.
  void AnswerNextMessageBox(int answer) { box_answers_.push_back(answer); }
  const std::vector<MessageBoxRecord>& message_boxes() const { return boxes_; }
  // Runs inside the next modal loop, with the dialog's handle; the loop then
  // pumps until EndModalLoop. Without a script the loop ends at once.
  void OnNextModal(std::function<void(Handle)> script) { modal_scripts_.push_back(std::move(script)); }

  // Hot keys: presses a key combination; a registered one posts WM_HOTKEY.
  void PressHotKey(unsigned modifiers, unsigned vk);
  // Makes another program hold a key, so registering it fails.
  void HoldHotKeyElsewhere(unsigned modifiers, unsigned vk) { foreign_hotkeys_.insert({modifiers, vk}); }
  struct HotKeyRecord {
    Handle h;
    int id;
    unsigned modifiers, vk;
  };
  std::vector<HotKeyRecord> hotkeys() const;

  // Tray: the shell's callback with a mouse message as lParam.
  void TrayMouse(unsigned mouse_message);
  struct TrayRecord {
    Handle h;
    unsigned id, callback;
    std::wstring tip;
  };
  const std::vector<TrayRecord>& tray_icons() const { return tray_; }
  // The last popup menu shown; ChooseMenuItem posts its WM_COMMAND.
  const std::vector<MenuItem>& last_menu() const { return last_menu_; }
  void ChooseMenuItem(unsigned command);

  void SetScreen(Size screen, Rect work_area) { screen_ = screen, work_area_ = work_area; }
  void SetModulePath(const std::wstring& path) { module_path_ = path; }
  void SetCursorPos(Point p) { cursor_pos_ = p; }
  void SetFontAvailable(const std::wstring& family, bool available);
  // Makes the next CreateBrowserPane fail.
  void FailNextBrowserPane() { fail_next_pane_ = true; }

  WindowState& state(Handle h);
  const std::vector<std::wstring>& shell_opens() const { return shell_opens_; }
  Cursor cursor() const { return cursor_; }
  int capture_releases() const { return capture_releases_; }
  int move_drags() const { return move_drags_; }
  std::vector<int> resize_drags() const { return resize_drags_; }
  std::vector<FakeBrowserPane*> panes() const;
  FakeBrowserPane* PaneOf(Handle parent) const;
  // Top-level windows that exist now, in creation order.
  std::vector<Handle> windows();
  bool quit_posted() const { return quit_posted_; }
  std::vector<Msg> posted_log() const { return posted_log_; }  // every PostMessage, in order
  void ClearPostedLog() { posted_log_.clear(); }

  // --- Platform --------------------------------------------------------
  bool ShowWindow(Handle h, int cmd) override;
  bool IsWindowVisible(Handle h) override;
  bool IsIconic(Handle h) override;
  bool IsZoomed(Handle h) override;
  void MoveWindow(Handle h, const Rect& rect, bool repaint) override;
  Rect GetWindowRect(Handle h) override;
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
  void SetCursor(Cursor cursor) override { cursor_ = cursor; }
  Point GetCursorPos() override { return cursor_pos_; }
  void ReleaseCapture() override { ++capture_releases_; }
  void TrackMouseLeave(Handle h) override;
  bool PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  void PostQuitMessage(int exit_code) override;
  int RunMessageLoop() override;
  int RunModalLoop(Handle dialog) override;
  void EndModalLoop(Handle dialog, int result) override;
  bool IsDialogMessage(Handle dialog, const Msg& msg) override;
  void SetTimer(Handle h, unsigned id, unsigned elapse_ms) override;
  void KillTimer(Handle h, unsigned id) override;
  std::int64_t NowUnixSeconds() override;
  void Sleep(unsigned ms) override;
  Size GetScreenSize() override { return screen_; }
  Rect GetWorkArea() override { return work_area_; }
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
  void ShellOpen(const std::wstring& address) override { shell_opens_.push_back(address); }
  bool RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) override;
  void UnregisterHotKey(Handle h, int id) override;
  bool AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) override;
  void DeleteTrayIcon(Handle h, unsigned id) override;
  void TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) override;
  std::wstring ModulePath() override { return module_path_; }

 protected:
  void NativeCreate(Handle h, const WindowSpec& spec) override;
  void NativeDestroy(Handle h) override;
  void BeginMoveDrag(Handle h) override { ++move_drags_; (void)h; }
  void BeginResizeDrag(Handle h, int edge) override { resize_drags_.push_back(edge); (void)h; }

 private:
  friend class FakeBrowserPane;
  struct Timer {
    unsigned period;
    std::int64_t due;
  };
  void SetRect(Handle h, const Rect& rect, bool send_size, unsigned size_type);
  void SetVisible(Handle h, bool visible);
  bool RunOneQueued();
  bool PaintOneDirty();
  void FireDueTimers(std::int64_t up_to);

  std::mutex mutex_;  // guards queue_, clock_ms_ and the sleepers' wake-up
  std::condition_variable clock_moved_;
  std::deque<std::function<void()>> queue_;
  std::vector<Msg> posted_log_;
  std::int64_t clock_ms_ = 0;
  std::int64_t wall_base_ = 1700000000;

  std::map<Handle, WindowState> states_;
  std::vector<Handle> creation_order_;
  std::map<std::pair<Handle, unsigned>, Timer> timers_;
  std::vector<int> box_answers_;
  std::vector<MessageBoxRecord> boxes_;
  std::vector<std::function<void(Handle)>> modal_scripts_;
  std::map<Handle, int> modal_results_;
  std::map<std::pair<Handle, int>, std::pair<unsigned, unsigned>> hotkeys_;
  std::set<std::pair<unsigned, unsigned>> foreign_hotkeys_;
  std::vector<TrayRecord> tray_;
  std::vector<MenuItem> last_menu_;
  Handle menu_owner_ = 0;
  std::vector<std::wstring> shell_opens_;
  std::map<Handle, FakeBrowserPane*> panes_;
  std::map<std::wstring, bool> fonts_;
  Size screen_{1920, 1080};
  Rect work_area_{0, 0, 1920, 1040};
  std::wstring module_path_ = L"/tmp/lumioveyra-headless/lumioveyra";
  Point cursor_pos_;
  Cursor cursor_ = Cursor::Arrow;
  int capture_releases_ = 0;
  int move_drags_ = 0;
  std::vector<int> resize_drags_;
  bool quit_posted_ = false;
  bool fail_next_pane_ = false;
};

// The headless browser control: it records what it was asked to do; tests
// fire its events through events() and reach the page's window.external
// through site().
class FakeBrowserPane : public BrowserPane {
 public:
  FakeBrowserPane(HeadlessPlatform& owner, Handle parent, Handle hwnd, const Rect& rect, int control_id,
                  BrowserEvents* events);
  ~FakeBrowserPane() override;

  Handle hwnd() const override { return hwnd_; }
  IOleClientSite* GetClientSite() override { return nullptr; }
  void SetClientSite(IOleClientSite* site) override { site_ = site; }
  void Navigate(const std::wstring& url) override { navigations.push_back(url); }
  void Refresh() override { ++refreshes; }
  void Stop() override { ++stops; }
  void SetSilent(bool s) override { silent = s; }
  bool IsDocumentHtml() override { return document_html; }
  void Move(const Rect& rect, bool) override { this->rect = rect; }
  void Show(bool show) override { shown = show; }
  bool TranslateAccelerator(const Msg& msg) override {
    accelerator_keys.push_back(msg.wParam);
    return false;
  }

  BrowserEvents* events() const { return events_; }
  IOleClientSite* site() const { return site_; }
  Handle parent() const { return parent_; }
  int control_id() const { return control_id_; }

  std::vector<std::wstring> navigations;
  std::vector<WPARAM> accelerator_keys;
  int refreshes = 0;
  int stops = 0;
  bool silent = false;
  bool shown = true;
  bool document_html = true;
  Rect rect;

 private:
  HeadlessPlatform& owner_;
  Handle parent_;
  Handle hwnd_;
  int control_id_;
  BrowserEvents* events_;
  IOleClientSite* site_ = nullptr;
};

}  // namespace lv::headless
