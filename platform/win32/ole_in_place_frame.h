// The in-place frame that the browser host offers the WebBrowser control: the
// control's top-level window, which has no menus, toolbars or status line
// for the control to share.
#pragma once

#include "platform/win32/ole_object.h"

namespace lv::win32 {

class OleInPlaceFrame : public OleObject<OleInPlaceFrame, IOleInPlaceFrame> {
 public:
  // `host` is the control's own window; the frame is its top-level window.
  explicit OleInPlaceFrame(HWND host) : host_(host) {}
  void* Find(REFIID riid);

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT lprectBorder) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName) override;
  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU hmenuShared) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR pszStatusText) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) override;
  // TranslateAccelerator: windows.h declares the OLE interfaces while its
  // A/W macros are in force, so the slot carries the wide name.
  HRESULT STDMETHODCALLTYPE TranslateAcceleratorW(LPMSG lpmsg, WORD wID) override;

 private:
  HWND host_;
};

}  // namespace lv::win32
