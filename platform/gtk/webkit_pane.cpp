#include "platform/gtk/webkit_pane.h"

#include <webkit2/webkit2.h>

#include "platform/com.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/script_bridge.h"
#include "platform/text.h"

namespace lv::gtk {
namespace {

// DOCHOSTUIFLAG_SCROLL_NO: the document neither scrolls nor shows bars.
constexpr char kNoScrollStyle[] = "html { overflow: hidden !important; }";
// Windows a page opens and the owner lets it have, as a browser opens them.
constexpr int kPopupWidth = 1024;
constexpr int kPopupHeight = 768;

bool IsHtmlType(const char* mime) {
  return mime && (g_ascii_strcasecmp(mime, "text/html") == 0 || g_ascii_strcasecmp(mime, "application/xhtml+xml") == 0);
}

std::wstring Wide(const char* utf8) { return utf8 ? FromUtf8(utf8) : std::wstring(); }

// A page's new window that the owner did not take: a plain window of its
// own, ended by the page's window.close() or by the user.
GtkWidget* OpenPopup(WebKitWebView* opener) {
  GtkWidget* view = webkit_web_view_new_with_related_view(opener);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), kPopupWidth, kPopupHeight);
  gtk_container_add(GTK_CONTAINER(window), view);
  g_signal_connect(view, "ready-to-show", G_CALLBACK(+[](WebKitWebView*, gpointer w) {
                     gtk_widget_show_all(GTK_WIDGET(w));
                   }),
                   window);
  g_signal_connect(view, "close", G_CALLBACK(+[](WebKitWebView*, gpointer w) { gtk_widget_destroy(GTK_WIDGET(w)); }),
                   window);
  g_signal_connect(view, "notify::title", G_CALLBACK(+[](WebKitWebView* v, GParamSpec*, gpointer w) {
                     const char* title = webkit_web_view_get_title(v);
                     gtk_window_set_title(GTK_WINDOW(w), title ? title : "");
                   }),
                   window);
  return view;
}

class WebKitPane : public BrowserPane {
 public:
  WebKitPane(GtkPlatform& platform, WebKitWebView* view, BrowserEvents* events)
      : platform_(platform), view_(view), events_(events) {
    g_object_ref_sink(view_);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
    g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
    g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(view_, "key-press-event", G_CALLBACK(OnKeyPress), this);
  }

  // False when the parent has no place for a control.
  bool Place(Handle parent, const Rect& rect) {
    handle_ = platform_.AddChildControl(parent, GTK_WIDGET(view_), rect);
    return handle_ != 0;
  }

  ~WebKitPane() override {
    g_signal_handlers_disconnect_by_data(view_, this);
    RemoveScriptBridge(view_);
    if (external_) external_->Release();
    if (handler_) handler_->Release();
    if (site_) site_->Release();
    platform_.DestroyWindow(handle_);  // destroys the view's widget, if its parent has not already
    g_object_unref(view_);
  }

  Handle hwnd() const override { return handle_; }

  IOleClientSite* GetClientSite() override { return nullptr; }

  void SetClientSite(IOleClientSite* site) override {
    if (!site || site_) return;
    site->AddRef();
    site_ = site;
    void* handler = nullptr;
    if (site->QueryInterface(IID_IDocHostUIHandler, &handler) != S_OK || !handler) return;
    handler_ = static_cast<IDocHostUIHandler*>(handler);

    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    if (handler_->GetHostInfo(&info) == S_OK && (info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO)) {
      WebKitUserStyleSheet* style =
          webkit_user_style_sheet_new(kNoScrollStyle, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                      WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
      webkit_user_content_manager_add_style_sheet(webkit_web_view_get_user_content_manager(view_), style);
      webkit_user_style_sheet_unref(style);
    }
    IDispatch* external = nullptr;
    if (handler_->GetExternal(&external) == S_OK && external) {
      external_ = external;
      InstallScriptBridge(view_, external_);
    }
  }

  void Navigate(const std::wstring& url) override { webkit_web_view_load_uri(view_, ToUtf8(url).c_str()); }
  void Refresh() override { webkit_web_view_reload(view_); }
  void Stop() override { webkit_web_view_stop_loading(view_); }
  // The engine shows no script-error dialogs of its own; alert, confirm and
  // prompt stay as pages expect them.
  void SetSilent(bool) override {}

  bool IsDocumentHtml() override {
    WebKitWebResource* main = webkit_web_view_get_main_resource(view_);
    WebKitURIResponse* response = main ? webkit_web_resource_get_response(main) : nullptr;
    return response && IsHtmlType(webkit_uri_response_get_mime_type(response));
  }

  void Move(const Rect& rect, bool) override { platform_.MoveChildControl(handle_, rect); }
  void Show(bool show) override { platform_.ShowChildControl(handle_, show); }
  // Keys reach the view itself; OnKeyPress has already offered them to the
  // owner's pre-translation.
  bool TranslateAccelerator(const Msg&) override { return false; }

 private:
  static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                 gpointer data) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    bool cancel = false;
    static_cast<WebKitPane*>(data)->events_->OnBeforeNavigate(Wide(uri), cancel);
    if (!cancel) return FALSE;
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }

  static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
    auto* self = static_cast<WebKitPane*>(data);
    const std::wstring uri = Wide(webkit_web_view_get_uri(view));
    if (event == WEBKIT_LOAD_COMMITTED) self->events_->OnNavigateComplete(uri);
    if (event == WEBKIT_LOAD_FINISHED) self->events_->OnDocumentComplete(uri);
  }

  static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data) {
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    bool cancel = false;
    static_cast<WebKitPane*>(data)->events_->OnNewWindow(Wide(uri), cancel);
    return cancel ? nullptr : OpenPopup(view);
  }

  static void OnTitle(WebKitWebView* view, GParamSpec*, gpointer data) {
    static_cast<WebKitPane*>(data)->events_->OnTitleChange(Wide(webkit_web_view_get_title(view)));
  }

  // window.close(): the owner hears of it; the pane stays until the owner ends it.
  static void OnClose(WebKitWebView*, gpointer data) {
    bool cancel = false;
    static_cast<WebKitPane*>(data)->events_->OnWindowClosing(cancel);
  }

  static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent* event, WebKitHitTestResult*,
                                gpointer data) {
    auto* self = static_cast<WebKitPane*>(data);
    if (!self->handler_) return FALSE;
    gdouble x = 0, y = 0;
    if (event) gdk_event_get_root_coords(event, &x, &y);
    POINT at{static_cast<LONG>(x), static_cast<LONG>(y)};
    // S_OK: the host took the menu, so there is none.
    return self->handler_->ShowContextMenu(0, &at, nullptr, nullptr) == S_OK;
  }

  // The owner's pre-translation sees each key first; a key it takes never
  // reaches the page. Nothing of the pane is touched after RouteKey: the key
  // may have ended the owner (Alt+F4).
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<WebKitPane*>(data);
    return self->platform_.RouteKey(self->handle_, event);
  }

  GtkPlatform& platform_;
  WebKitWebView* view_;
  BrowserEvents* events_;
  Handle handle_ = 0;
  IOleClientSite* site_ = nullptr;
  IDocHostUIHandler* handler_ = nullptr;
  IDispatch* external_ = nullptr;
};

}  // namespace

std::unique_ptr<BrowserPane> CreateWebKitPane(GtkPlatform& platform, Handle parent, const Rect& rect, int,
                                              BrowserEvents* events) {
  WebKitWebContext* context = webkit_web_context_get_default();
  RegisterBridgeScheme(context);
  auto pane = std::make_unique<WebKitPane>(
      platform, WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, nullptr)), events);
  if (!pane->Place(parent, rect)) return nullptr;
  return pane;
}

}  // namespace lv::gtk
