// The container's site for one WebBrowser control: the control lives in place
// in the pane's host window and fills it. This is the site the control gets
// first; the client's own site later takes its place and forwards the
// client-site calls here.
#pragma once

#include "platform/win32/ole_object.h"

#include <wrl/client.h>

namespace lv::win32 {

class OleContainerSite : public OleObject<OleContainerSite, IOleClientSite, IOleInPlaceSite> {
 public:
  explicit OleContainerSite(HWND host);
  void* Find(REFIID riid);

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL fShow) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                             LPRECT lprcPosRect, LPRECT lprcClipRect,
                                             LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE scrollExtant) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL fUndoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;

 private:
  HWND host_;
  Microsoft::WRL::ComPtr<IOleInPlaceFrame> frame_;
};

}  // namespace lv::win32
