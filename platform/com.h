// The COM vocabulary of the browser panes: the client site, the document-host
// handler and the page's window.external object are COM objects, because on
// Windows the WebBrowser control calls them as such. On Windows this is the
// system's own headers. Elsewhere the client carries the small part of it
// that it uses, with the same names and layouts, so the code above the seam
// is written once for both.
#pragma once

#ifdef _WIN32

#include "platform/win32/windows_api.h"
// The seam's BrowserPane and the document-host handler both name it plainly.
#undef TranslateAccelerator
#include <oaidl.h>
#include <ole2.h>
#include <exdisp.h>
#include <mshtmhst.h>

#else

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#define STDMETHODCALLTYPE

using HRESULT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using UINT = unsigned int;
using BOOL = int;
using DISPID = LONG;
using LCID = DWORD;
using OLECHAR = wchar_t;
using LPOLESTR = OLECHAR*;
using BSTR = OLECHAR*;
using VARTYPE = unsigned short;
using VARIANT_BOOL = short;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
using IID = GUID;
using REFIID = const IID&;

inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IOleClientSite = {0x00000118, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDocHostUIHandler = {0xBD3F23C0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};

struct POINT {
  LONG x;
  LONG y;
};
struct RECT {
  LONG left, top, right, bottom;
};
using LPCRECT = const RECT*;

// Only ever passed by pointer here.
struct MSG;
using LPMSG = MSG*;
struct EXCEPINFO;
struct ITypeInfo;
struct IMoniker;
struct IOleContainer;
struct IOleInPlaceActiveObject;
struct IOleCommandTarget;
struct IOleInPlaceFrame;
struct IOleInPlaceUIWindow;
struct IDropTarget;
struct IDataObject;

// --- Texts: a length-prefixed, zero-terminated wide string ----------------

namespace lv::com_detail {
inline std::uint32_t* PrefixOf(BSTR s) { return reinterpret_cast<std::uint32_t*>(s) - 1; }
}  // namespace lv::com_detail

inline BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  // The prefix takes one character's room, so the characters stay aligned.
  static_assert(sizeof(OLECHAR) >= sizeof(std::uint32_t));
  auto* block = static_cast<OLECHAR*>(std::malloc((length + 2) * sizeof(OLECHAR)));
  if (!block) return nullptr;
  BSTR s = block + 1;
  *lv::com_detail::PrefixOf(s) = static_cast<std::uint32_t>(length * sizeof(OLECHAR));
  if (text) std::wmemcpy(s, text, length);
  s[length] = L'\0';
  return s;
}
inline BSTR SysAllocString(const OLECHAR* text) {
  return text ? SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text))) : nullptr;
}
inline UINT SysStringLen(BSTR s) {
  return s ? static_cast<UINT>(*lv::com_detail::PrefixOf(s) / sizeof(OLECHAR)) : 0;
}
inline void SysFreeString(BSTR s) {
  if (s) std::free(s - 1);
}

// --- Interfaces --------------------------------------------------------------

struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~IUnknown() = default;
};

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
};

struct IDispatch;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1, wReserved2, wReserved3;
  union {
    LONG lVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IDispatch* pdispVal;
    IUnknown* punkVal;
  };
};
using VARIANTARG = VARIANT;

struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;

struct IDispatch : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                  DISPID* rgDispId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                           DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                           UINT* puArgErr) = 0;

 protected:
  ~IDispatch() = default;
};

inline void VariantInit(VARIANT* v) {
  v->vt = VT_EMPTY;
  v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
  v->dblVal = 0;
}
inline HRESULT VariantClear(VARIANT* v) {
  if (v->vt == VT_BSTR) SysFreeString(v->bstrVal);
  if (v->vt == VT_DISPATCH && v->pdispVal) v->pdispVal->Release();
  VariantInit(v);
  return S_OK;
}

struct IOleClientSite : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SaveObject() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowObject() = 0;
  virtual HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL fShow) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() = 0;

 protected:
  ~IOleClientSite() = default;
};

struct DOCHOSTUIINFO {
  ULONG cbSize;
  DWORD dwFlags;
  DWORD dwDoubleClick;
  OLECHAR* pchHostCss;
  OLECHAR* pchHostNS;
};

enum DOCHOSTUIFLAG : DWORD {
  DOCHOSTUIFLAG_NO3DBORDER = 0x4,
  DOCHOSTUIFLAG_SCROLL_NO = 0x8,
};
enum DOCHOSTUIDBLCLK : DWORD {
  DOCHOSTUIDBLCLK_DEFAULT = 0,
};

struct IDocHostUIHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                                    IDispatch* pdispReserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                           IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                           IOleInPlaceUIWindow* pDoc) = 0;
  virtual HRESULT STDMETHODCALLTYPE HideUI() = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateUI() = 0;
  virtual HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL fActivate) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL fActivate) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                                 BOOL fRameWindow) = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) = 0;
  virtual HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) = 0;

 protected:
  ~IDocHostUIHandler() = default;
};

#endif  // _WIN32
