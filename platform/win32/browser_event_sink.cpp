#include "platform/win32/browser_event_sink.h"

#include <exdispid.h>

namespace lv::win32 {
namespace {

// The control's arguments in declaration order (DISPPARAMS holds them last
// first); null when the event came with fewer.
class Arguments {
 public:
  Arguments(const DISPPARAMS& params, UINT needed) : params_(params), complete_(params.cArgs >= needed) {}
  bool complete() const { return complete_; }
  VARIANT& operator[](UINT index) const { return params_.rgvarg[params_.cArgs - 1 - index]; }

 private:
  const DISPPARAMS& params_;
  bool complete_;
};

// An address or title, passed as a text or as a reference to a variant that
// holds one.
std::wstring TextOf(const VARIANT& v) {
  if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) return TextOf(*v.pvarVal);
  const BSTR text = v.vt == VT_BSTR ? v.bstrVal : v.vt == (VT_BYREF | VT_BSTR) && v.pbstrVal ? *v.pbstrVal : nullptr;
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

// Hands the control's cancel flag to `decide` and gives its answer back.
template <typename Decide>
void WithCancel(VARIANT& flag, Decide decide) {
  if (flag.vt != (VT_BYREF | VT_BOOL) || !flag.pboolVal) return;
  bool cancel = *flag.pboolVal != VARIANT_FALSE;
  decide(cancel);
  *flag.pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

void* BrowserEventSink::Find(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
    return static_cast<IDispatch*>(this);
  }
  return nullptr;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                                   VARIANT*, EXCEPINFO*, UINT*) {
  if (!pDispParams) return E_INVALIDARG;
  // A handler may end the pane, and with it the pane's reference to us.
  AddRef();
  if (events_) Deliver(dispIdMember, *pDispParams);
  Release();
  return S_OK;
}

void BrowserEventSink::Deliver(DISPID event, const DISPPARAMS& params) {
  switch (event) {
    case DISPID_BEFORENAVIGATE2: {  // frame, address, flags, target frame, post data, headers, cancel
      const Arguments args(params, 7);
      if (!args.complete()) return;
      const std::wstring url = TextOf(args[1]);
      WithCancel(args[6], [&](bool& cancel) { events_->OnBeforeNavigate(url, cancel); });
      return;
    }
    case DISPID_NAVIGATECOMPLETE2: {  // frame, address
      const Arguments args(params, 2);
      if (args.complete()) events_->OnNavigateComplete(TextOf(args[1]));
      return;
    }
    case DISPID_DOCUMENTCOMPLETE: {  // frame, address
      const Arguments args(params, 2);
      if (args.complete()) events_->OnDocumentComplete(TextOf(args[1]));
      return;
    }
    case DISPID_NEWWINDOW3: {  // new window, cancel, flags, context address, address
      const Arguments args(params, 5);
      if (!args.complete()) return;
      const std::wstring url = TextOf(args[4]);
      WithCancel(args[1], [&](bool& cancel) { events_->OnNewWindow(url, cancel); });
      return;
    }
    case DISPID_WINDOWCLOSING: {  // is a child window, cancel
      const Arguments args(params, 2);
      if (args.complete()) WithCancel(args[1], [&](bool& cancel) { events_->OnWindowClosing(cancel); });
      return;
    }
    case DISPID_TITLECHANGE: {  // title
      const Arguments args(params, 1);
      if (args.complete()) events_->OnTitleChange(TextOf(args[0]));
      return;
    }
    default:
      return;
  }
}

}  // namespace lv::win32
