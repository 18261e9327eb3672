// The hot-key capture control: a read-only entry in the dialog's child layer
// that takes the next key combination pressed in it and shows its name.
#include "platform/common/key_names.h"
#include "platform/gtk/gdk_keys.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// The control's modifier flags.
constexpr unsigned kFlagShift = 1, kFlagControl = 2, kFlagAlt = 4, kFlagExtended = 8;
constexpr unsigned kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B;

// The theme's entry is taller and roomier than a dialog's 22-pixel control
// that must show "Ctrl + Alt + Z"; a read-only field shows no caret.
constexpr char kCompactCss[] = "entry { min-height: 0; padding: 0 2px; font-size: 9pt; caret-color: transparent; }";

class EntryHotKeyControl : public HotKeyControl {
 public:
  EntryHotKeyControl(GtkPlatform& platform, Handle parent, const Rect& rect)
      : platform_(platform), entry_(gtk_entry_new()) {
    gtk_editable_set_editable(GTK_EDITABLE(entry_), FALSE);
    gtk_entry_set_width_chars(GTK_ENTRY(entry_), 1);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCompactCss, -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(entry_), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    g_signal_connect(entry_, "key-press-event", G_CALLBACK(OnKey), this);
    handle_ = platform_.AddChildControl(parent, entry_, rect);
    if (!handle_) gtk_widget_destroy(entry_);
    ShowName();
  }
  ~EntryHotKeyControl() override { platform_.DestroyWindow(handle_); }
  EntryHotKeyControl(const EntryHotKeyControl&) = delete;
  EntryHotKeyControl& operator=(const EntryHotKeyControl&) = delete;

  void SetHotKey(unsigned vk, unsigned modifiers) override {
    vk_ = vk;
    modifiers_ = modifiers;
    ShowName();
  }
  void GetHotKey(unsigned& vk, unsigned& modifiers) const override {
    vk = vk_;
    modifiers = modifiers_;
  }
  std::wstring GetHotKeyName() const override { return HotKeyName(vk_, modifiers_); }
  void Focus() override {
    if (Alive()) gtk_widget_grab_focus(entry_);
  }

 private:
  // The entry goes with its dialog, which may close before this object.
  bool Alive() { return platform_.IsWindow(handle_); }
  void ShowName() {
    if (Alive()) gtk_entry_set_text(GTK_ENTRY(entry_), ToUtf8(GetHotKeyName()).c_str());
  }

  static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* control = static_cast<EntryHotKeyControl*>(self);
    if (control->platform_.RouteKey(control->handle_, event)) return TRUE;
    const unsigned vk = VirtualKeyFromEvent(event);
    const unsigned flags = ((event->state & GDK_SHIFT_MASK) ? kFlagShift : 0) |
                           ((event->state & GDK_CONTROL_MASK) ? kFlagControl : 0) |
                           ((event->state & GDK_MOD1_MASK) ? kFlagAlt : 0);
    // Tab, Enter and Esc stay the dialog's, as with the Windows control.
    if (flags == 0 && (vk == kVkTab || vk == kVkReturn || vk == kVkEscape)) return FALSE;
    if (vk == 0 || IsModifierKey(vk)) return TRUE;  // a combination is not complete without its key
    if (flags == 0 && vk == kVkBack) {
      control->SetHotKey(0, 0);  // Backspace alone clears the control
    } else {
      control->SetHotKey(vk, flags | (IsExtendedKey(vk) ? kFlagExtended : 0));
    }
    return TRUE;
  }

  GtkPlatform& platform_;
  GtkWidget* entry_;
  Handle handle_ = 0;
  unsigned vk_ = 0;
  unsigned modifiers_ = 0;
};

}  // namespace

std::unique_ptr<HotKeyControl> GtkPlatform::CreateHotKeyControl(Handle parent, const Rect& rect, int) {
  return std::make_unique<EntryHotKeyControl>(*this, parent, rect);
}

}  // namespace lv::gtk
