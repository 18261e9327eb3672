// Message boxes: a GTK message dialog that blocks its caller. On the GUI
// thread a nested loop keeps every other window working, as Windows' box
// does; from a worker thread the box runs on the GUI thread and the worker
// waits for the answer.
#include <future>

#include "platform/gtk/gtk_platform.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

constexpr unsigned kButtonsMask = 0x0F, kIconMask = 0xF0;

GtkMessageType TypeOf(unsigned flags) {
  switch (flags & kIconMask) {
    case mb::ICONQUESTION:
      return GTK_MESSAGE_QUESTION;
    case mb::ICONEXCLAMATION:
      return GTK_MESSAGE_WARNING;
    default:
      return GTK_MESSAGE_OTHER;
  }
}

struct PendingBox {
  std::function<void(int)> done;
  unsigned flags;
  Handle owner;
};

void OnResponse(GtkDialog* dialog, gint response, gpointer pending) {
  auto* box = static_cast<PendingBox*>(pending);
  // Closing the box answers as its last button would.
  const bool ok = response == GTK_RESPONSE_OK || (box->flags & kButtonsMask) != mb::OKCANCEL;
  GtkPlatform::Instance().EnableWindow(box->owner, true);
  gtk_widget_destroy(GTK_WIDGET(dialog));
  box->done(ok ? mb::IDOK : mb::IDCANCEL);
  delete box;
}

}  // namespace

void GtkPlatform::ShowMessageBox(Handle owner, const std::wstring& text, const std::wstring& caption, unsigned flags,
                                 std::function<void(int)> done) {
  NativeWindow* o = FindTopLevel(owner);
  const bool ok_cancel = (flags & kButtonsMask) == mb::OKCANCEL;
  GtkWidget* dialog =
      gtk_message_dialog_new(o ? GTK_WINDOW(o->widget) : nullptr, GTK_DIALOG_DESTROY_WITH_PARENT, TypeOf(flags),
                             ok_cancel ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK, "%s", ToUtf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), ToUtf8(caption).c_str());
  gtk_window_set_position(GTK_WINDOW(dialog), o ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  EnableWindow(owner, false);  // the owner waits for the answer
  auto* pending = new PendingBox{std::move(done), flags, owner};
  g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), pending);
  gtk_widget_show_all(dialog);
  gtk_window_present(GTK_WINDOW(dialog));
}

int GtkPlatform::MessageBox(Handle owner, const std::wstring& text, const std::wstring& caption, unsigned flags) {
  if (!OnGuiThread()) {
    std::promise<int> answer;
    std::future<int> future = answer.get_future();
    queue_.Post([&] { ShowMessageBox(owner, text, caption, flags, [&answer](int a) { answer.set_value(a); }); });
    return future.get();
  }
  int result = mb::IDCANCEL;
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  ShowMessageBox(owner, text, caption, flags, [&](int a) {
    result = a;
    g_main_loop_quit(loop);
  });
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return result;
}

}  // namespace lv::gtk
