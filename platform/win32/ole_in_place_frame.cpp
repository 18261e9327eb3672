#include "platform/win32/ole_in_place_frame.h"

namespace lv::win32 {

void* OleInPlaceFrame::Find(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
      riid == IID_IOleInPlaceFrame) {
    return static_cast<IOleInPlaceFrame*>(this);
  }
  return nullptr;
}

HRESULT STDMETHODCALLTYPE OleInPlaceFrame::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = ::GetAncestor(host_, GA_ROOT);
  return *phwnd ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE OleInPlaceFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// No room for the control's toolbars anywhere.
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

// The pane asks the control itself for its active object when it needs it.
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

// No menus to merge.
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::RemoveMenus(HMENU) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleInPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::EnableModeless(BOOL) { return S_OK; }
// The frame has no accelerators of its own.
HRESULT STDMETHODCALLTYPE OleInPlaceFrame::TranslateAcceleratorW(LPMSG, WORD) { return S_FALSE; }

}  // namespace lv::win32
