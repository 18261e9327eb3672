#include "platform/win32/ole_container_site.h"

#include "platform/win32/ole_in_place_frame.h"

namespace lv::win32 {

OleContainerSite::OleContainerSite(HWND host) : host_(host) {
  frame_.Attach(new OleInPlaceFrame(host));
}

void* OleContainerSite::Find(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
  if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) return static_cast<IOleInPlaceSite*>(this);
  return nullptr;
}

// --- IOleClientSite: an embedded control with nothing to save or name -------------

HRESULT STDMETHODCALLTYPE OleContainerSite::SaveObject() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleContainerSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
  if (ppmk) *ppmk = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OleContainerSite::GetContainer(IOleContainer** ppContainer) {
  if (ppContainer) *ppContainer = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE OleContainerSite::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleInPlaceSite ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE OleContainerSite::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = host_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OleContainerSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleContainerSite::CanInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::OnInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE OleContainerSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                             LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                             LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) return E_POINTER;
  frame_.CopyTo(ppFrame);
  *ppDoc = nullptr;  // no document window between the frame and the control
  ::GetClientRect(host_, lprcPosRect);
  *lprcClipRect = *lprcPosRect;
  lpFrameInfo->fMDIApp = FALSE;
  frame_->GetWindow(&lpFrameInfo->hwndFrame);
  lpFrameInfo->haccel = nullptr;
  lpFrameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OleContainerSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleContainerSite::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleContainerSite::DiscardUndoState() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleContainerSite::DeactivateAndUndo() { return E_NOTIMPL; }

// The owner window places the pane, and the pane keeps the control filling
// its host window; a size the control would like for itself changes nothing.
HRESULT STDMETHODCALLTYPE OleContainerSite::OnPosRectChange(LPCRECT) { return S_OK; }

}  // namespace lv::win32
