// The client site every browser pane gets in place of the control's own: it
// decides that panes show no context menu, no 3-D border and no scroll bars,
// and hands the page its window.external object, if the window gives one.
#pragma once

#include <atomic>
#include <memory>

#include "browser/js_dispatch.h"
#include "platform/com.h"
#include "platform/platform.h"

namespace lv {

class CWebCtrlInterFace;

// Puts `site` in place of the pane control's own client site, which `site`
// keeps for the calls it forwards.
void AttachClientSite(BrowserPane& pane, CWebCtrlInterFace* site);

// A pane's end, in its order: the window gives its reference to the site
// back, then the control stops and goes.
void ReleaseBrowser(CWebCtrlInterFace*& site, std::unique_ptr<BrowserPane>& pane);

class CWebCtrlInterFace : public IOleClientSite, public IDocHostUIHandler {
 public:
  CWebCtrlInterFace() = default;
  CWebCtrlInterFace(const CWebCtrlInterFace&) = delete;
  CWebCtrlInterFace& operator=(const CWebCtrlInterFace&) = delete;
  virtual ~CWebCtrlInterFace();

  // The site the control had before ours: from then on the client-site
  // operations go to it, and the document-host ones to its handler if it
  // offers one. Takes references of its own.
  void AttachDefaultSite(IOleClientSite* site);

  // IUnknown, shared by both bases.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  // Destroys the object, and with it the bridge, when the count reaches 0.
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL fShow) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                            IDispatch* pdispReserved) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                   IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                   IOleInPlaceUIWindow* pDoc) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL fActivate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL fActivate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                         BOOL fRameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

  CJSDispatch* m_pExternal = nullptr;  // owned; null for a page without window.external

 private:
  std::atomic<LONG> m_cRef{0};
  IOleClientSite* m_pDefaultSite = nullptr;
  IDocHostUIHandler* m_pDefaultHandler = nullptr;
  BOOL m_bNoScroll = 1;  // no pane of the client shows scroll bars
};

}  // namespace lv
