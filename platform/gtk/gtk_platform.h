// The Linux desktop: GTK 3 on X11. Every top-level window is an undecorated
// GtkWindow holding one child layer (a GtkLayout) that the window draws on,
// that takes its mouse input and in which child controls (browser panes, the
// hot-key control) sit at pixel rectangles. This layer only maps GTK's events
// onto the client's messages; the behaviour lives above the seam.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <string>
#include <thread>

#include "platform/common/table_platform.h"
#include "platform/gtk/gui_queue.h"

namespace lv::gtk {

class GtkPlatform : public TablePlatform {
 public:
  // After gtk_init. One instance per process; Instance() finds it.
  GtkPlatform();
  ~GtkPlatform() override;
  static GtkPlatform& Instance();

  // --- For child controls (the browser pane, the hot-key control) ---------
  // The container of a top-level window's child controls; null for any
  // other handle.
  GtkWidget* ChildLayer(Handle h);
  // Places `widget` in the child layer of `parent` at `rect` (parent client
  // coordinates), shown, and gives it a handle. Destroying the handle, or
  // its parent, destroys the widget. 0 when `parent` is no top-level window.
  Handle AddChildControl(Handle parent, GtkWidget* widget, const Rect& rect);
  void MoveChildControl(Handle child, const Rect& rect);
  void ShowChildControl(Handle child, bool show);
  // A key press in a child control as the client's key message (WM_KEYDOWN,
  // WM_SYSKEYDOWN with Alt) for `child`, through the PreTranslateMessage
  // chain. True: consumed, the control must swallow the key.
  bool RouteKey(Handle child, const GdkEventKey* event);

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

  void SetCursor(Cursor cursor) override;
  Point GetCursorPos() override;
  void ReleaseCapture() override;
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

 protected:
  void NativeCreate(Handle h, const WindowSpec& spec) override;
  void NativeDestroy(Handle h) override;
  void BeginMoveDrag(Handle h) override;
  void BeginResizeDrag(Handle h, int hit_test_edge) override;

 private:
  // The native side of a handle: a top-level window or a child control.
  struct NativeWindow {
    GtkWidget* widget = nullptr;  // the GtkWindow, or the control's own widget
    GtkWidget* layer = nullptr;   // top-levels only: the child layer
    Rect rect;                    // screen coordinates; a control's in its parent's client area
    Rect restore_rect;            // where SW_RESTORE puts a maximised window
    std::wstring text;
    std::uint32_t ex_style = 0;
    bool visible = false;
    bool iconic = false;
    bool zoomed = false;
    bool tracking_leave = false;
    // What the window shows: the target of WM_PAINT and of direct drawing,
    // or the last layered surface. The layer paints it on every draw.
    cairo_surface_t* back = nullptr;
    cairo_region_t* invalid = nullptr;      // what the next WM_PAINT must draw
    cairo_t* painting = nullptr;            // set while WM_PAINT runs
    std::vector<std::uint32_t> input_mask;  // a layered window's clickable pixels, one bit each
    bool IsTopLevel() const { return layer != nullptr; }
  };
  // The last button press, which a move or resize drag continues.
  struct Press {
    Handle h = 0;
    guint button = 0;
    int root_x = 0, root_y = 0;
    guint32 time = 0;
  };
  struct HotKey {
    Handle h;
    int id;
    unsigned modifiers, vk;
    std::string accelerator;  // keybinder's name of the combination
  };
  struct TimerTag;
  struct TrayIcon {
    GtkStatusIcon* icon;
    Handle h;
    unsigned id, callback;
  };

  bool OnGuiThread() const { return std::this_thread::get_id() == gui_thread_; }
  NativeWindow* Find(Handle h);
  NativeWindow* FindTopLevel(Handle h);
  // The one path of every geometry change: records `rect`, tells the window
  // (WM_MOVE, WM_SIZE) and, with `apply`, asks the window manager for it.
  void SetRect(Handle h, const Rect& rect, bool apply);
  // Sends WM_SHOWWINDOW, then shows or hides the GtkWindow.
  void SetVisible(Handle h, bool visible);
  void RaiseOwnedWindows(Handle owner);
  void ApplySizeLimits(Handle h, NativeWindow& w, bool user_resize);
  void ApplyExStyle(NativeWindow& w, std::uint32_t old_style);
  void EnsureBackBuffer(NativeWindow& w);
  void ApplyInputShape(NativeWindow& w);
  void InvalidateAll(NativeWindow& w);

  // GTK signal handlers; user data is the window's handle.
  static gboolean OnDraw(GtkWidget* layer, cairo_t* cr, gpointer h);
  static gboolean OnButton(GtkWidget* layer, GdkEventButton* event, gpointer h);
  static gboolean OnMotion(GtkWidget* layer, GdkEventMotion* event, gpointer h);
  static gboolean OnLeave(GtkWidget* layer, GdkEventCrossing* event, gpointer h);
  static gboolean OnKeyPress(GtkWidget* window, GdkEventKey* event, gpointer h);
  static gboolean OnConfigure(GtkWidget* window, GdkEventConfigure* event, gpointer h);
  static gboolean OnWindowState(GtkWidget* window, GdkEventWindowState* event, gpointer h);
  static gboolean OnDelete(GtkWidget* window, GdkEvent* event, gpointer h);
  static gboolean OnMapped(GtkWidget* window, GdkEvent* event, gpointer h);
  // Hit test, cursor, then the client or non-client mouse message.
  void MouseInput(Handle h, unsigned client_message, unsigned nonclient_message, const GdkEvent* event);
  void PaintLayer(Handle h, cairo_t* cr);

  static gboolean OnTimer(gpointer tag);
  static void OnHotKey(const char* accelerator, void* binding);
  static gboolean OnTrayButton(GtkStatusIcon* icon, GdkEventButton* event, gpointer tray);
  static void OnTrayMenu(GtkStatusIcon* icon, guint button, guint time, gpointer tray);
  // A window's timers, hot keys and tray icons end with it.
  void DropTimers(Handle h);
  void DropHotKeys(Handle h);
  void DropTrayIcons(Handle h);
  // Shows the box without waiting; `done` gets the answer on the GUI thread.
  void ShowMessageBox(Handle owner, const std::wstring& text, const std::wstring& caption, unsigned flags,
                      std::function<void(int)> done);

  std::thread::id gui_thread_;
  GdkPixbuf* app_icon_;  // icon 148, of every window and of the tray
  GuiQueue queue_;
  std::map<Handle, NativeWindow> windows_;
  std::map<std::pair<Handle, unsigned>, guint> timers_;
  std::map<std::pair<Handle, int>, HotKey> hotkeys_;
  std::map<std::pair<Handle, unsigned>, TrayIcon> tray_;
  std::map<Handle, GMainLoop*> modal_loops_;
  std::map<Handle, int> modal_results_;
  GtkWidget* menu_ = nullptr;  // the last popup menu, kept until the next one
  Handle menu_owner_ = 0;      // gets the chosen item's WM_COMMAND
  GMainLoop* main_loop_ = nullptr;
  bool quit_ = false;
  int exit_code_ = 0;
  Press press_;
  Handle mouse_window_ = 0;  // the window under the mouse, whose cursor SetCursor sets
  GdkCursor* cursors_[static_cast<int>(Cursor::SizeNESW) + 1] = {};  // one per Cursor, made when first used
};

}  // namespace lv::gtk
