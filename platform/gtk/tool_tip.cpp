// A tool tip: a small borderless popup with one label, shown by the cursor.
#include "platform/gtk/gtk_platform.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// Below and right of the cursor, clear of the pointer's image.
constexpr int kOffsetX = 12, kOffsetY = 20;
constexpr guint kPadding = 4;

class PopupToolTip : public ToolTip {
 public:
  PopupToolTip() : window_(gtk_window_new(GTK_WINDOW_POPUP)), label_(gtk_label_new("")) {
    gtk_container_set_border_width(GTK_CONTAINER(window_), kPadding);
    gtk_container_add(GTK_CONTAINER(window_), label_);
    gtk_widget_show(label_);
  }
  ~PopupToolTip() override { gtk_widget_destroy(window_); }
  PopupToolTip(const PopupToolTip&) = delete;
  PopupToolTip& operator=(const PopupToolTip&) = delete;

  void SetText(const std::wstring& text) override { gtk_label_set_text(GTK_LABEL(label_), ToUtf8(text).c_str()); }
  void Show(bool show) override {
    if (!show) {
      gtk_widget_hide(window_);
      return;
    }
    const Point at = GtkPlatform::Instance().GetCursorPos();
    gtk_window_move(GTK_WINDOW(window_), at.x + kOffsetX, at.y + kOffsetY);
    gtk_widget_show(window_);
  }
  bool IsVisible() const override { return gtk_widget_get_visible(window_); }
  // GTK needs no relayed mouse messages: the tip shows where Show puts it.
  void RelayEvent(const Msg&) override {}

 private:
  GtkWidget* window_;
  GtkWidget* label_;
};

}  // namespace

std::unique_ptr<ToolTip> GtkPlatform::CreateToolTip(Handle) { return std::make_unique<PopupToolTip>(); }

}  // namespace lv::gtk
