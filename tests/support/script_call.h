// Calls a window.external object the way a page's script engine does: the
// name is looked up first, then the call is made with the arguments handed
// over last-first.
#pragma once

#include <string>
#include <vector>

#include "platform/com.h"

namespace lv::testing {

// Script values. The arguments own their texts; ScriptCall frees them.
inline VARIANT Text(const wchar_t* s) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(s);
  return v;
}
inline VARIANT NullText() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = nullptr;
  return v;
}
inline VARIANT Int(LONG n) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}
inline VARIANT Real(double d) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = d;
  return v;
}
inline VARIANT Bool(bool b) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}
inline VARIANT Null() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_NULL;
  return v;
}
inline VARIANT Undefined() {
  VARIANT v;
  VariantInit(&v);
  return v;
}
// A script object: the engine passes one as a dispatch pointer.
inline VARIANT Object(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  return v;
}

inline void FreeArgs(std::vector<VARIANT>& args) {
  for (VARIANT& v : args) {
    if (v.vt == VT_BSTR) SysFreeString(v.bstrVal);
  }
}

struct ScriptResult {
  HRESULT hr = E_FAIL;
  VARTYPE type = VT_EMPTY;
  std::wstring text;  // the result's text when it is one
};

// Invokes `id` with `args` in script order; `result_type` presets the
// result slot so a test can see whether it was written.
inline ScriptResult Invoke(IDispatch* external, DISPID id, std::vector<VARIANT> args, VARTYPE result_type = VT_EMPTY) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  result.vt = result_type;
  ScriptResult out;
  out.hr = external->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  out.type = result.vt;
  if (result.vt == VT_BSTR) {
    out.text = result.bstrVal ? result.bstrVal : L"";
    SysFreeString(result.bstrVal);
  }
  FreeArgs(args);
  return out;
}

// window.external.<name>(args...): the lookup's failure is the call's.
inline ScriptResult Call(IDispatch* external, const wchar_t* name, std::vector<VARIANT> args) {
  std::wstring copy = name;
  LPOLESTR names[] = {copy.data()};
  DISPID id = -1;
  const HRESULT hr = external->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (hr != S_OK) {
    FreeArgs(args);
    ScriptResult failed;
    failed.hr = hr;
    return failed;
  }
  return Invoke(external, id, std::move(args));
}

}  // namespace lv::testing
