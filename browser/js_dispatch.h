// The page's window.external: a late-bound object with two script methods,
// WD_JAPI (operation name, argument) and API_close (), each passed on to the
// window that owns the page.
#pragma once

#include <atomic>
#include <string>

#include "platform/com.h"

namespace lv {

// What a page-owning window can be asked to do from script. Every operation
// does nothing unless the window overrides it. The order is fixed: it is the
// interface's slot layout.
class IJSDispatch {
 public:
  virtual void ShowBindBtn() {}
  virtual void SpareA() {}
  virtual void SpareB() {}
  virtual void SpareC(std::wstring, std::wstring, std::wstring, int) {}
  virtual void SpareD(std::wstring, std::wstring) {}
  virtual void OpenGame(std::wstring) {}
  virtual void AccountRegisterSuccess(std::wstring) {}
  virtual void CloseBindPage(std::wstring) {}
  virtual void AccountBindSuccess(std::wstring) {}
  virtual void SpareE(std::wstring) {}
  virtual void ShowIM(std::wstring) {}
  virtual void API_close() {}
  virtual void DialogBoxTopInfo(std::wstring) {}
  virtual void openPay(std::wstring) {}
  virtual void closedBox() {}

 protected:
  ~IJSDispatch() = default;  // never deleted through this interface
};

constexpr DISPID kDispidWdJapi = 1000;
constexpr DISPID kDispidApiClose = 1001;

class CJSDispatch : public IDispatch {
 public:
  explicit CJSDispatch(IJSDispatch* target) : m_pTarget(target) {}
  virtual ~CJSDispatch() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  // Counts down but never frees: the object lives as long as its client site.
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                   UINT* puArgErr) override;

 private:
  HRESULT DispatchApiCall(const std::wstring& method, const std::wstring& argument, VARIANT* result);

  std::atomic<LONG> m_cRef{0};
  IJSDispatch* m_pTarget;
};

}  // namespace lv
