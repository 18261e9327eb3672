#include "platform/headless/headless_platform.h"

#include <png.h>

#include <algorithm>
#include <chrono>

#include "platform/common/key_names.h"

namespace lv::headless {
namespace {

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(std::vector<DrawOp>& ops) : ops_(ops) {}
  void DrawImage(const Image& image, const Rect& src, const Rect& dst) override {
    if (!image.ok) return;  // a failed image draws nothing
    DrawOp op;
    op.kind = DrawOp::kImage;
    op.image_id = image.resource_id;
    op.src = src;
    op.dst = dst;
    ops_.push_back(op);
  }
  void DrawText(const std::wstring& text, const FontSpec& font, std::uint32_t argb, const RectF& layout) override {
    DrawOp op;
    op.kind = DrawOp::kText;
    op.text = text;
    op.font = font;
    op.argb = argb;
    op.layout = layout;
    ops_.push_back(op);
  }

 private:
  std::vector<DrawOp>& ops_;
};

class FakeHotKeyControl : public HotKeyControl {
 public:
  void SetHotKey(unsigned vk, unsigned modifiers) override { vk_ = vk, mods_ = modifiers; }
  void GetHotKey(unsigned& vk, unsigned& modifiers) const override { vk = vk_, modifiers = mods_; }
  std::wstring GetHotKeyName() const override { return HotKeyName(vk_, mods_); }
  void Focus() override {}

 private:
  unsigned vk_ = 0;
  unsigned mods_ = 0;
};

class FakeToolTip : public ToolTip {
 public:
  void SetText(const std::wstring& text) override { text_ = text; }
  void Show(bool show) override { visible_ = show; }
  bool IsVisible() const override { return visible_; }
  void RelayEvent(const Msg&) override {}

 private:
  std::wstring text_;
  bool visible_ = false;
};

}  // namespace

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

// --- Queue and clock -------------------------------------------------------

bool HeadlessPlatform::RunOneQueued() {
  std::function<void()> task;
  {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    task = std::move(queue_.front());
    queue_.pop_front();
  }
  task();
  return true;
}

bool HeadlessPlatform::PaintOneDirty() {
  for (Handle h : table().All()) {
    auto it = states_.find(h);
    if (it == states_.end() || !it->second.dirty) continue;
    it->second.dirty = false;
    if (!it->second.visible) continue;
    table().Send(h, wm::PAINT, 0, 0);
    return true;
  }
  return false;
}

void HeadlessPlatform::Pump() {
  while (RunOneQueued() || PaintOneDirty()) {
  }
}

std::int64_t HeadlessPlatform::clock_ms() const {
  std::lock_guard lock(const_cast<std::mutex&>(mutex_));
  return clock_ms_;
}

void HeadlessPlatform::FireDueTimers(std::int64_t up_to) {
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due <= up_to && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == timers_.end()) return;
    const auto [h, id] = next->first;
    {
      std::lock_guard lock(mutex_);
      clock_ms_ = std::max(clock_ms_, next->second.due);
    }
    next->second.due += std::max(1u, next->second.period);
    PostMessage(h, wm::TIMER, id, 0);
    Pump();
  }
}

void HeadlessPlatform::AdvanceTime(unsigned ms) {
  const std::int64_t target = clock_ms() + ms;
  FireDueTimers(target);
  {
    std::lock_guard lock(mutex_);
    clock_ms_ = target;
  }
  clock_moved_.notify_all();
  Pump();
}

std::int64_t HeadlessPlatform::NowUnixSeconds() { return wall_base_ + clock_ms() / 1000; }

void HeadlessPlatform::Sleep(unsigned ms) {
  std::unique_lock lock(mutex_);
  const std::int64_t until = clock_ms_ + ms;
  clock_moved_.wait(lock, [&] { return clock_ms_ >= until; });
}

void HeadlessPlatform::SetTimer(Handle h, unsigned id, unsigned elapse_ms) {
  if (!IsWindow(h)) return;
  timers_[{h, id}] = Timer{elapse_ms, clock_ms() + elapse_ms};
}

void HeadlessPlatform::KillTimer(Handle h, unsigned id) { timers_.erase({h, id}); }

bool HeadlessPlatform::PostMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(mutex_);
  const Msg msg{h, message, wParam, lParam};
  posted_log_.push_back(msg);
  queue_.push_back([this, msg] { table().Dispatch(msg); });
  return true;
}

void HeadlessPlatform::PostQuitMessage(int) { quit_posted_ = true; }

int HeadlessPlatform::RunMessageLoop() {
  Pump();
  return 0;
}

int HeadlessPlatform::RunModalLoop(Handle dialog) {
  modal_results_.erase(dialog);
  if (!modal_scripts_.empty()) {
    auto script = std::move(modal_scripts_.front());
    modal_scripts_.erase(modal_scripts_.begin());
    Pump();
    script(dialog);
    Pump();
  }
  auto it = modal_results_.find(dialog);
  return it == modal_results_.end() ? mb::IDCANCEL : it->second;
}

void HeadlessPlatform::EndModalLoop(Handle dialog, int result) { modal_results_[dialog] = result; }

bool HeadlessPlatform::IsDialogMessage(Handle, const Msg&) { return false; }

// --- Windows ---------------------------------------------------------------

void HeadlessPlatform::NativeCreate(Handle h, const WindowSpec& spec) {
  WindowState& s = states_[h];
  s.rect = spec.rect;
  s.text = spec.title;
  s.ex_style = spec.ex_style;
  if (!(spec.style & ws::CHILD)) creation_order_.push_back(h);
}

void HeadlessPlatform::NativeDestroy(Handle h) {
  states_.erase(h);
  std::erase(creation_order_, h);
  for (auto it = timers_.begin(); it != timers_.end();) it = it->first.first == h ? timers_.erase(it) : std::next(it);
  for (auto it = hotkeys_.begin(); it != hotkeys_.end();) it = it->first.first == h ? hotkeys_.erase(it) : std::next(it);
}

WindowState& HeadlessPlatform::state(Handle h) { return states_[h]; }

std::vector<Handle> HeadlessPlatform::windows() { return creation_order_; }

void HeadlessPlatform::SetVisible(Handle h, bool visible) {
  WindowState& s = states_[h];
  if (s.visible == visible) return;
  table().Send(h, wm::SHOWWINDOW, visible ? 1 : 0, 0);
  if (!IsWindow(h)) return;
  states_[h].visible = visible;
  if (visible) states_[h].dirty = true;
}

void HeadlessPlatform::SetRect(Handle h, const Rect& rect, bool send_size, unsigned size_type) {
  WindowState& s = states_[h];
  const Rect old = s.rect;
  s.rect = rect;
  if (old.left != rect.left || old.top != rect.top) table().Send(h, wm::MOVE, 0, MakeLParam(rect.left, rect.top));
  if (send_size && IsWindow(h) && (old.Width() != rect.Width() || old.Height() != rect.Height() ||
                                   size_type != size_type::RESTORED)) {
    table().Send(h, wm::SIZE, size_type, MakeLParam(rect.Width(), rect.Height()));
  }
  if (IsWindow(h)) states_[h].dirty = true;
}

bool HeadlessPlatform::ShowWindow(Handle h, int cmd) {
  if (!IsWindow(h)) return false;
  const bool was_visible = states_[h].visible;
  switch (cmd) {
    case sw::HIDE:
      SetVisible(h, false);
      break;
    case sw::SHOW:
    case sw::SHOWNORMAL:
      SetVisible(h, true);
      break;
    case sw::MINIMIZE:
    case sw::SHOWMINIMIZED:
      states_[h].iconic = true;
      SetVisible(h, true);
      table().Send(h, wm::SIZE, size_type::MINIMIZED, 0);
      break;
    case sw::MAXIMIZE: {
      WindowState& s = states_[h];
      if (!s.zoomed) s.restore_rect = s.rect;
      s.zoomed = true;
      s.iconic = false;
      SetVisible(h, true);
      SetRect(h, work_area_, true, size_type::MAXIMIZED);
      break;
    }
    case sw::RESTORE: {
      WindowState& s = states_[h];
      if (s.iconic) {
        s.iconic = false;
        SetVisible(h, true);
      } else if (s.zoomed) {
        s.zoomed = false;
        SetRect(h, s.restore_rect, true, size_type::RESTORED);
      }
      SetVisible(h, true);
      break;
    }
    default:
      break;
  }
  return was_visible;
}

bool HeadlessPlatform::IsWindowVisible(Handle h) { return IsWindow(h) && states_[h].visible; }
bool HeadlessPlatform::IsIconic(Handle h) { return IsWindow(h) && states_[h].iconic; }
bool HeadlessPlatform::IsZoomed(Handle h) { return IsWindow(h) && states_[h].zoomed; }

void HeadlessPlatform::MoveWindow(Handle h, const Rect& rect, bool) {
  if (IsWindow(h)) SetRect(h, rect, true, size_type::RESTORED);
}

void HeadlessPlatform::UserMove(Handle h, int x, int y) {
  if (!IsWindow(h)) return;
  const Rect r = states_[h].rect;
  SetRect(h, Rect{x, y, x + r.Width(), y + r.Height()}, false, size_type::RESTORED);
}

Rect HeadlessPlatform::GetWindowRect(Handle h) { return IsWindow(h) ? states_[h].rect : Rect{}; }

void HeadlessPlatform::SetWindowText(Handle h, const std::wstring& text) {
  if (IsWindow(h)) states_[h].text = text;
}
std::wstring HeadlessPlatform::GetWindowText(Handle h) { return IsWindow(h) ? states_[h].text : L""; }
std::uint32_t HeadlessPlatform::GetExStyle(Handle h) { return IsWindow(h) ? states_[h].ex_style : 0; }
void HeadlessPlatform::SetExStyle(Handle h, std::uint32_t ex_style) {
  if (IsWindow(h)) states_[h].ex_style = ex_style;
}

void HeadlessPlatform::SetForegroundWindow(Handle h) {
  if (!IsWindow(h)) return;
  for (auto& [handle, s] : states_) s.foreground = handle == h;
}

void HeadlessPlatform::SetFocus(Handle h) {
  if (!IsWindow(h)) return;
  for (auto& [handle, s] : states_) s.focused = handle == h;
}

void HeadlessPlatform::EnableWindow(Handle h, bool enable) {
  if (IsWindow(h)) states_[h].enabled = enable;
}

void HeadlessPlatform::SetParent(Handle child, Handle parent) {
  if (WindowTable::Entry* e = table().Find(child)) e->parent = parent;
}

void HeadlessPlatform::SetTopmost(Handle h, bool topmost) {
  if (IsWindow(h)) states_[h].topmost = topmost;
}

void HeadlessPlatform::InvalidateRect(Handle h, const Rect* rect, bool) {
  if (!IsWindow(h)) return;
  WindowState& s = states_[h];
  s.invalidated.push_back(rect ? *rect : GetClientRect(h));
  s.dirty = true;
}

void HeadlessPlatform::UpdateWindow(Handle h) {
  if (!IsWindow(h) || !states_[h].dirty || !states_[h].visible) return;
  states_[h].dirty = false;
  table().Send(h, wm::PAINT, 0, 0);
}

void HeadlessPlatform::TrackMouseLeave(Handle h) {
  if (IsWindow(h)) states_[h].tracking_leave = true;
}

void HeadlessPlatform::MouseLeave(Handle h) {
  if (!IsWindow(h) || !states_[h].tracking_leave) return;
  states_[h].tracking_leave = false;
  PostMessage(h, wm::MOUSELEAVE, 0, 0);
  Pump();
}

// --- Input -----------------------------------------------------------------

void HeadlessPlatform::Mouse(Handle h, unsigned message, int x, int y) {
  PostMessage(h, message, 0, MakeLParam(x, y));
  Pump();
}

LRESULT HeadlessPlatform::HitTest(Handle h, int screen_x, int screen_y) {
  return SendMessage(h, wm::NCHITTEST, 0, MakeLParam(screen_x, screen_y));
}

bool HeadlessPlatform::Key(Handle h, unsigned message, unsigned vk) {
  const Msg msg{h, message, vk, 0};
  const bool consumed = table().PreTranslate(msg);
  if (!consumed) table().Send(h, message, vk, 0);
  Pump();
  return consumed;
}

// --- Drawing ---------------------------------------------------------------

std::unique_ptr<Canvas> HeadlessPlatform::BeginPaint(Handle h) {
  WindowState& s = states_[h];
  s.last_paint.clear();
  return std::make_unique<RecordingCanvas>(s.last_paint);
}

void HeadlessPlatform::DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) {
  std::lock_guard lock(mutex_);
  queue_.push_back([this, h, draw = std::move(draw)] {
    if (!IsWindow(h)) return;
    RecordingCanvas canvas(states_[h].direct_draws);
    draw(canvas);
  });
}

void HeadlessPlatform::UpdateLayeredWindow(Handle h, const Surface& surface, Point dest) {
  if (!IsWindow(h)) return;
  WindowState& s = states_[h];
  ++s.layered_updates;
  s.layered_surface = surface;
  s.layered_dest = dest;
}

std::optional<Surface> HeadlessPlatform::DecodePng(std::span<const std::uint8_t> bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, surface.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  for (std::uint32_t& p : surface.pixels) {
    const std::uint32_t a = p >> 24;
    auto pre = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
    p = (a << 24) | pre(16) | pre(8) | pre(0);
  }
  return surface;
}

void HeadlessPlatform::SetFontAvailable(const std::wstring& family, bool available) { fonts_[family] = available; }

bool HeadlessPlatform::FontFamilyExists(const std::wstring& family) {
  auto it = fonts_.find(family);
  return it == fonts_.end() ? true : it->second;
}

// --- Browser ---------------------------------------------------------------

std::unique_ptr<BrowserPane> HeadlessPlatform::CreateBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                                 BrowserEvents* events) {
  if (fail_next_pane_ || !IsWindow(parent)) {
    fail_next_pane_ = false;
    return nullptr;
  }
  const Handle h = AddControl(parent, rect);
  states_[h].rect = rect;
  states_[h].visible = true;
  return std::make_unique<FakeBrowserPane>(*this, parent, h, rect, control_id, events);
}

std::vector<FakeBrowserPane*> HeadlessPlatform::panes() const {
  std::vector<FakeBrowserPane*> out;
  for (const auto& [h, pane] : panes_) out.push_back(pane);
  return out;
}

FakeBrowserPane* HeadlessPlatform::PaneOf(Handle parent) const {
  for (const auto& [h, pane] : panes_) {
    if (pane->parent() == parent) return pane;
  }
  return nullptr;
}

FakeBrowserPane::FakeBrowserPane(HeadlessPlatform& owner, Handle parent, Handle hwnd, const Rect& rect,
                                 int control_id, BrowserEvents* events)
    : rect(rect), owner_(owner), parent_(parent), hwnd_(hwnd), control_id_(control_id), events_(events) {
  owner_.panes_[hwnd_] = this;
}

FakeBrowserPane::~FakeBrowserPane() {
  owner_.panes_.erase(hwnd_);
  owner_.DestroyWindow(hwnd_);
}

// --- Dialog pieces ---------------------------------------------------------

int HeadlessPlatform::MessageBox(Handle owner, const std::wstring& text, const std::wstring& caption,
                                 unsigned flags) {
  boxes_.push_back(MessageBoxRecord{owner, text, caption, flags});
  if (!box_answers_.empty()) {
    const int answer = box_answers_.front();
    box_answers_.erase(box_answers_.begin());
    return answer;
  }
  return (flags & 0xF) == mb::OK ? mb::IDOK : mb::IDCANCEL;
}

std::unique_ptr<HotKeyControl> HeadlessPlatform::CreateHotKeyControl(Handle, const Rect&, int) {
  return std::make_unique<FakeHotKeyControl>();
}

std::unique_ptr<ToolTip> HeadlessPlatform::CreateToolTip(Handle) { return std::make_unique<FakeToolTip>(); }

// --- Hot keys and tray -------------------------------------------------------

bool HeadlessPlatform::RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) {
  if (!IsWindow(h) || foreign_hotkeys_.count({modifiers, vk})) return false;
  for (const auto& [key, value] : hotkeys_) {
    if (value == std::pair{modifiers, vk}) return false;  // held by another registration
  }
  if (hotkeys_.count({h, id})) return false;  // Win32 refuses an id in use
  hotkeys_[{h, id}] = {modifiers, vk};
  return true;
}

void HeadlessPlatform::UnregisterHotKey(Handle h, int id) { hotkeys_.erase({h, id}); }

std::vector<HeadlessPlatform::HotKeyRecord> HeadlessPlatform::hotkeys() const {
  std::vector<HotKeyRecord> out;
  for (const auto& [key, value] : hotkeys_) out.push_back({key.first, key.second, value.first, value.second});
  return out;
}

void HeadlessPlatform::PressHotKey(unsigned modifiers, unsigned vk) {
  for (const auto& [key, value] : hotkeys_) {
    if (value == std::pair{modifiers, vk}) PostMessage(key.first, wm::HOTKEY, static_cast<WPARAM>(key.second), 0);
  }
  Pump();
}

bool HeadlessPlatform::AddTrayIcon(Handle h, unsigned id, unsigned callback_message, const std::wstring& tip) {
  tray_.push_back(TrayRecord{h, id, callback_message, tip});
  return true;
}

void HeadlessPlatform::DeleteTrayIcon(Handle h, unsigned id) {
  std::erase_if(tray_, [&](const TrayRecord& r) { return r.h == h && r.id == id; });
}

void HeadlessPlatform::TrayMouse(unsigned mouse_message) {
  if (tray_.empty()) return;
  const TrayRecord r = tray_.front();
  PostMessage(r.h, r.callback, r.id, static_cast<LPARAM>(mouse_message));
  Pump();
}

void HeadlessPlatform::TrackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point) {
  last_menu_ = items;
  menu_owner_ = owner;
}

void HeadlessPlatform::ChooseMenuItem(unsigned command) {
  PostMessage(menu_owner_, wm::COMMAND, command, 0);
  Pump();
}

}  // namespace lv::headless
