#include "browser/web_ctrl_interface.h"

namespace lv {
namespace {

// The record's size as the 32-bit control knows it.
constexpr ULONG kHostInfoSize = 20;

template <typename T>
void ClearOut(T** out) {
  if (out) *out = nullptr;
}

}  // namespace

CWebCtrlInterFace::~CWebCtrlInterFace() {
  if (m_pDefaultSite) m_pDefaultSite->Release();
  if (m_pDefaultHandler) m_pDefaultHandler->Release();
  delete m_pExternal;  // whatever the page still counts on it
}

void AttachClientSite(BrowserPane& pane, CWebCtrlInterFace* site) {
  if (!site) return;
  if (IOleClientSite* current = pane.GetClientSite()) {
    site->AttachDefaultSite(current);
    current->Release();
  }
  pane.SetClientSite(site);
}

void ReleaseBrowser(CWebCtrlInterFace*& site, std::unique_ptr<BrowserPane>& pane) {
  if (site) {
    site->Release();
    site = nullptr;
  }
  if (pane) {
    pane->Stop();
    pane.reset();
  }
}

void CWebCtrlInterFace::AttachDefaultSite(IOleClientSite* site) {
  if (!site) return;
  site->AddRef();
  if (m_pDefaultSite) m_pDefaultSite->Release();
  m_pDefaultSite = site;
  void* handler = nullptr;
  if (site->QueryInterface(IID_IDocHostUIHandler, &handler) != S_OK) handler = nullptr;
  if (m_pDefaultHandler) m_pDefaultHandler->Release();
  m_pDefaultHandler = static_cast<IDocHostUIHandler*>(handler);
}

// --- IUnknown ----------------------------------------------------------------

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_INVALIDARG;
  *ppvObject = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *ppvObject = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IDocHostUIHandler) {
    *ppvObject = static_cast<IDocHostUIHandler*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE CWebCtrlInterFace::AddRef() { return static_cast<ULONG>(++m_cRef); }

ULONG STDMETHODCALLTYPE CWebCtrlInterFace::Release() {
  const LONG count = --m_cRef;
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

// --- IOleClientSite ------------------------------------------------------------

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::SaveObject() {
  return m_pDefaultSite ? m_pDefaultSite->SaveObject() : E_FAIL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) {
  if (m_pDefaultSite) return m_pDefaultSite->GetMoniker(dwAssign, dwWhichMoniker, ppmk);
  ClearOut(ppmk);
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetContainer(IOleContainer** ppContainer) {
  if (m_pDefaultSite) return m_pDefaultSite->GetContainer(ppContainer);
  ClearOut(ppContainer);
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::ShowObject() {
  return m_pDefaultSite ? m_pDefaultSite->ShowObject() : S_OK;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::OnShowWindow(BOOL fShow) {
  return m_pDefaultSite ? m_pDefaultSite->OnShowWindow(fShow) : S_OK;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::RequestNewObjectLayout() {
  return m_pDefaultSite ? m_pDefaultSite->RequestNewObjectLayout() : E_NOTIMPL;
}

// --- IDocHostUIHandler ---------------------------------------------------------

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return S_OK;  // taken by the host: no pane ever shows a context menu
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  if (m_pDefaultHandler) return m_pDefaultHandler->GetHostInfo(pInfo);
  if (!pInfo) return E_INVALIDARG;
  pInfo->cbSize = kHostInfoSize;
  DWORD flags = DOCHOSTUIFLAG_NO3DBORDER;
  if (m_bNoScroll) flags |= DOCHOSTUIFLAG_SCROLL_NO;
  pInfo->dwFlags = flags;
  pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                                    IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                                    IOleInPlaceUIWindow* pDoc) {
  if (m_pDefaultHandler) return m_pDefaultHandler->ShowUI(dwID, pActiveObject, pCommandTarget, pFrame, pDoc);
  return S_FALSE;  // the control shows its own
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::HideUI() {
  return m_pDefaultHandler ? m_pDefaultHandler->HideUI() : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::UpdateUI() {
  return m_pDefaultHandler ? m_pDefaultHandler->UpdateUI() : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::EnableModeless(BOOL fEnable) {
  return m_pDefaultHandler ? m_pDefaultHandler->EnableModeless(fEnable) : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::OnDocWindowActivate(BOOL fActivate) {
  return m_pDefaultHandler ? m_pDefaultHandler->OnDocWindowActivate(fActivate) : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::OnFrameWindowActivate(BOOL fActivate) {
  return m_pDefaultHandler ? m_pDefaultHandler->OnFrameWindowActivate(fActivate) : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                                          BOOL fRameWindow) {
  return m_pDefaultHandler ? m_pDefaultHandler->ResizeBorder(prcBorder, pUIWindow, fRameWindow) : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                                                  DWORD nCmdID) {
  // Not taken by the host: the control handles the key itself.
  return m_pDefaultHandler ? m_pDefaultHandler->TranslateAccelerator(lpMsg, pguidCmdGroup, nCmdID) : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) {
  if (m_pDefaultHandler) return m_pDefaultHandler->GetOptionKeyPath(pchKey, dw);
  ClearOut(pchKey);
  return E_NOTIMPL;  // the control's default settings
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) {
  if (m_pDefaultHandler) {
    const HRESULT hr = m_pDefaultHandler->GetDropTarget(pDropTarget, ppDropTarget);
    return hr == S_FALSE ? E_FAIL : hr;
  }
  ClearOut(ppDropTarget);
  return E_NOTIMPL;  // the control keeps its own drop target
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::GetExternal(IDispatch** ppDispatch) {
  if (m_pExternal) {
    if (!ppDispatch) return E_INVALIDARG;
    *ppDispatch = m_pExternal;
    m_pExternal->AddRef();
    return S_OK;
  }
  if (m_pDefaultHandler) return m_pDefaultHandler->GetExternal(ppDispatch);
  ClearOut(ppDispatch);
  return E_NOTIMPL;  // the page has no window.external
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn,
                                                          OLECHAR** ppchURLOut) {
  if (m_pDefaultHandler) return m_pDefaultHandler->TranslateUrl(dwTranslate, pchURLIn, ppchURLOut);
  ClearOut(ppchURLOut);
  return S_FALSE;  // no translation
}

HRESULT STDMETHODCALLTYPE CWebCtrlInterFace::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) {
  if (m_pDefaultHandler) return m_pDefaultHandler->FilterDataObject(pDO, ppDORet);
  ClearOut(ppDORet);
  return S_FALSE;  // no filtering
}

}  // namespace lv
