// The IUnknown part of the small COM objects that the browser host hands to
// the WebBrowser control. `Derived` says which interfaces it answers with
// `void* Find(REFIID)`; the object starts with one reference, its creator's.
#pragma once

#include <atomic>

#include "platform/com.h"

namespace lv::win32 {

template <typename Derived, typename... Interfaces>
class OleObject : public Interfaces... {
 public:
  OleObject() = default;
  OleObject(const OleObject&) = delete;
  OleObject& operator=(const OleObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
    if (!ppvObject) return E_POINTER;
    *ppvObject = static_cast<Derived*>(this)->Find(riid);
    if (!*ppvObject) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++count_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = --count_;
    if (count == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(count);
  }

 protected:
  virtual ~OleObject() = default;

 private:
  std::atomic<LONG> count_{1};
};

}  // namespace lv::win32
