// The WebBrowser control's events (DWebBrowserEvents2), as the owner of the
// pane hears them.
#pragma once

#include "platform/win32/ole_object.h"

namespace lv::win32 {

class BrowserEventSink : public OleObject<BrowserEventSink, IDispatch> {
 public:
  explicit BrowserEventSink(BrowserEvents* events) : events_(events) {}
  void* Find(REFIID riid);
  // From here on events reach nobody: the pane is going.
  void Detach() { events_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                   UINT* puArgErr) override;

 private:
  void Deliver(DISPID event, const DISPPARAMS& params);

  BrowserEvents* events_;
};

}  // namespace lv::win32
