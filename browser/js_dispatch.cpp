#include "browser/js_dispatch.h"

#include <charconv>
#include <cwctype>

namespace lv {
namespace {

constexpr wchar_t kWdJapi[] = L"WD_JAPI";
constexpr wchar_t kApiClose[] = L"API_close";
constexpr wchar_t kGetApiVersion[] = L"getApiVersion";
constexpr wchar_t kApiVersion[] = L"1";

// The operations WD_JAPI reaches, by the key its operation name must
// contain, in the order the keys are tried (after "getApiVersion").
struct Route {
  const wchar_t* key;
  void (*call)(IJSDispatch& target, std::wstring argument);
};
constexpr Route kRoutes[] = {
    {L"OpenGame", [](IJSDispatch& t, std::wstring a) { t.OpenGame(std::move(a)); }},
    {L"ShowBindBtn", [](IJSDispatch& t, std::wstring) { t.ShowBindBtn(); }},
    {L"CloseBindPage", [](IJSDispatch& t, std::wstring a) { t.CloseBindPage(std::move(a)); }},
    {L"AccountBindSuccess", [](IJSDispatch& t, std::wstring a) { t.AccountBindSuccess(std::move(a)); }},
    {L"AccountRegisterSuccess", [](IJSDispatch& t, std::wstring a) { t.AccountRegisterSuccess(std::move(a)); }},
    {L"ShowIM", [](IJSDispatch& t, std::wstring a) { t.ShowIM(std::move(a)); }},
    {L"DialogBoxTopInfo", [](IJSDispatch& t, std::wstring a) { t.DialogBoxTopInfo(std::move(a)); }},
    {L"openPay", [](IJSDispatch& t, std::wstring a) { t.openPay(std::move(a)); }},
    {L"closedBox", [](IJSDispatch& t, std::wstring) { t.closedBox(); }},
};

bool SameNameIgnoringCase(const wchar_t* name, const wchar_t* expected) {
  for (; *name && *expected; ++name, ++expected) {
    if (std::towlower(static_cast<wint_t>(*name)) != std::towlower(static_cast<wint_t>(*expected))) return false;
  }
  return *name == *expected;
}

std::wstring NumberText(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::wstring(buffer, end);
}

// A script argument as the text an operation receives. Pages pass texts;
// numbers and booleans become the text a script would write for them, and
// anything else (objects, null, undefined) is an empty text.
std::wstring TextOf(const VARIANT& v) {
  switch (v.vt) {
    case VT_BSTR:
      return v.bstrVal ? std::wstring(v.bstrVal) : std::wstring();
    case VT_I4:
      return std::to_wstring(v.lVal);
    case VT_R8:
      return NumberText(v.dblVal);
    case VT_BOOL:
      return v.boolVal ? L"true" : L"false";
    default:
      return std::wstring();
  }
}

}  // namespace

HRESULT STDMETHODCALLTYPE CJSDispatch::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_INVALIDARG;
  *ppvObject = nullptr;
  if (!(riid == IID_IUnknown) && !(riid == IID_IDispatch)) return E_NOINTERFACE;
  *ppvObject = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE CJSDispatch::AddRef() { return static_cast<ULONG>(++m_cRef); }

ULONG STDMETHODCALLTYPE CJSDispatch::Release() { return static_cast<ULONG>(--m_cRef); }

HRESULT STDMETHODCALLTYPE CJSDispatch::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE CJSDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE CJSDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                                     DISPID* rgDispId) {
  if (!rgszNames || cNames == 0 || !rgszNames[0]) return E_NOTIMPL;
  DISPID id;
  if (SameNameIgnoringCase(rgszNames[0], kWdJapi)) {
    id = kDispidWdJapi;
  } else if (SameNameIgnoringCase(rgszNames[0], kApiClose)) {
    id = kDispidApiClose;
  } else {
    return E_NOTIMPL;
  }
  if (!rgDispId) return E_INVALIDARG;
  rgDispId[0] = id;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CJSDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                              VARIANT* pVarResult, EXCEPINFO*, UINT*) {
  if (dispIdMember == kDispidApiClose) {
    m_pTarget->API_close();
    return S_OK;
  }
  if (dispIdMember != kDispidWdJapi) return E_NOTIMPL;
  // Arguments arrive last-first. With exactly two, the first (element 1)
  // names the operation and the second is its argument; otherwise the last
  // one names it and the argument is empty. A call without arguments names
  // nothing and so does nothing.
  const UINT count = pDispParams && pDispParams->rgvarg ? pDispParams->cArgs : 0;
  std::wstring method, argument;
  if (count == 2) {
    method = TextOf(pDispParams->rgvarg[1]);
    argument = TextOf(pDispParams->rgvarg[0]);
  } else if (count > 0) {
    method = TextOf(pDispParams->rgvarg[0]);
  }
  return DispatchApiCall(method, argument, pVarResult);
}

HRESULT CJSDispatch::DispatchApiCall(const std::wstring& method, const std::wstring& argument, VARIANT* result) {
  if (method.find(kGetApiVersion) != std::wstring::npos) {
    if (!result) return S_OK;
    VariantInit(result);  // whatever the caller left there is not ours to free
    result->bstrVal = SysAllocString(kApiVersion);
    if (!result->bstrVal) return E_OUTOFMEMORY;
    result->vt = VT_BSTR;
    return S_OK;
  }
  for (const Route& route : kRoutes) {
    if (method.find(route.key) != std::wstring::npos) {
      route.call(*m_pTarget, argument);
      break;
    }
  }
  return S_OK;
}

}  // namespace lv
