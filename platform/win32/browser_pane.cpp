// The WebBrowser control as a browser pane: the control lives in place in a
// host window of the pane's own, a child of the owner registered with the
// backend, so that keys for the control's inner windows pass the owner's
// PreTranslateMessage first.
#include "platform/win32/browser_pane.h"

#include "platform/win32/win32_platform.h"

#include <mshtml.h>
#include <wrl/client.h>

#include <mutex>

#include "platform/win32/browser_event_sink.h"
#include "platform/win32/ole_container_site.h"

namespace lv::win32 {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kHostClass[] = L"LumioVeyraBrowserHost";

HWND CreateHostWindow(HWND parent, const Rect& rect, int control_id) {
  static std::once_flag registered;
  std::call_once(registered, [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    ::RegisterClassExW(&wc);
  });
  return ::CreateWindowExW(0, kHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                           rect.top, rect.Width(), rect.Height(), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), ::GetModuleHandleW(nullptr),
                           nullptr);
}

VARIANT Variant(VARTYPE type) {
  VARIANT v{};
  v.vt = type;
  return v;
}

class WebBrowserPane : public BrowserPane {
 public:
  WebBrowserPane(Handle handle, BrowserEvents* events) : handle_(handle) {
    sink_.Attach(new BrowserEventSink(events));
  }
  WebBrowserPane(const WebBrowserPane&) = delete;
  WebBrowserPane& operator=(const WebBrowserPane&) = delete;

  // Creates the control in place in the host window and listens to it;
  // false when the control cannot be had.
  bool Embed() {
    const HWND host = HwndOf(handle_);
    if (!host) return false;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_)))) {
      return false;
    }
    site_.Attach(new OleContainerSite(host));
    object_->SetClientSite(site_.Get());  // the control wants its site before anything else
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(object_.As(&persist))) persist->InitNew();
    if (FAILED(Activate()) || FAILED(object_.As(&browser_))) return false;

    ComPtr<IConnectionPointContainer> points;
    if (SUCCEEDED(object_.As(&points)) && SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_)) &&
        FAILED(events_->Advise(sink_.Get(), &cookie_))) {
      events_.Reset();
    }
    return true;
  }

  ~WebBrowserPane() override {
    sink_->Detach();
    if (events_) events_->Unadvise(cookie_);
    events_.Reset();
    if (browser_) browser_->Quit();
    browser_.Reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);  // the control lets go of the client's site, which may end it
    }
    object_.Reset();
    site_.Reset();
    // Gone already when the owner's window went first.
    if (const HWND host = HwndOf(handle_)) {
      UnregisterControl(handle_);
      ::DestroyWindow(host);
    }
    ::CoFreeUnusedLibraries();
  }

  Handle hwnd() const override { return handle_; }

  IOleClientSite* GetClientSite() override {
    IOleClientSite* current = nullptr;
    return object_->GetClientSite(&current) == S_OK ? current : nullptr;
  }

  void SetClientSite(IOleClientSite* site) override {
    if (!site) return;
    object_->SetClientSite(site);
    // The client's site is no in-place site. A control that leaves in-place
    // activation when its client site changes is put back in place in the
    // host window, with our site as its in-place site; for a control that
    // stayed active this changes nothing.
    Activate();
  }

  void Navigate(const std::wstring& url) override {
    VARIANT address = Variant(VT_BSTR);
    address.bstrVal = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    VARIANT flags = Variant(VT_I4);
    flags.lVal = 0;
    VARIANT target = Variant(VT_BSTR);  // a null text: the pane's own frame
    VARIANT post = Variant(VT_EMPTY);
    VARIANT headers = Variant(VT_BSTR);
    browser_->Navigate2(&address, &flags, &target, &post, &headers);
    ::SysFreeString(address.bstrVal);
  }

  void Refresh() override { browser_->Refresh(); }
  void Stop() override { browser_->Stop(); }
  void SetSilent(bool silent) override { browser_->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE); }

  bool IsDocumentHtml() override {
    ComPtr<IDispatch> document;
    if (browser_->get_Document(&document) != S_OK || !document) return false;
    ComPtr<IHTMLDocument2> html;
    return SUCCEEDED(document.As(&html));
  }

  void Move(const Rect& rect, bool repaint) override {
    const HWND host = HwndOf(handle_);
    if (!host) return;
    ::MoveWindow(host, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
    ComPtr<IOleInPlaceObject> in_place;
    if (FAILED(object_.As(&in_place))) return;
    const RECT area{0, 0, rect.Width(), rect.Height()};
    in_place->SetObjectRects(&area, &area);
  }

  void Show(bool show) override {
    if (const HWND host = HwndOf(handle_)) ::ShowWindow(host, show ? SW_SHOW : SW_HIDE);
  }

  // The owner's pre-translation has had the key first; the message keeps its
  // real window (the control's innermost), which the control looks at.
  bool TranslateAccelerator(const Msg& msg) override {
    ComPtr<IOleInPlaceActiveObject> active;
    if (FAILED(browser_.As(&active))) return false;
    MSG native = NativeMessage(msg);
    // windows.h declares the OLE interfaces while its A/W macros are in
    // force, so this slot carries the wide name.
    return active->TranslateAcceleratorW(&native) == S_OK;
  }

 private:
  HRESULT Activate() {
    const HWND host = HwndOf(handle_);
    RECT area{};
    ::GetClientRect(host, &area);
    return object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, host, &area);
  }

  const Handle handle_;
  ComPtr<BrowserEventSink> sink_;
  ComPtr<IOleObject> object_;
  ComPtr<IOleClientSite> site_;  // our container site
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IConnectionPoint> events_;
  DWORD cookie_ = 0;
};

}  // namespace

std::unique_ptr<BrowserPane> CreateWebBrowserPane(Handle parent, const Rect& rect, int control_id,
                                                  BrowserEvents* events) {
  const HWND owner = HwndOf(parent);
  if (!owner) return nullptr;
  const HWND host = CreateHostWindow(owner, rect, control_id);
  if (!host) return nullptr;
  auto pane = std::make_unique<WebBrowserPane>(RegisterControl(host, parent), events);
  if (!pane->Embed()) return nullptr;  // the pane's end takes the host window with it
  return pane;
}

}  // namespace lv::win32
