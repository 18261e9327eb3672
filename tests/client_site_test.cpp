#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "browser/web_ctrl_interface.h"

namespace lv {
namespace {

constexpr HRESULT kForwarded = 0x777;  // what the fake control site answers

// The control's own client site, with or without a document-host handler.
class FakeControlSite : public IOleClientSite, public IDocHostUIHandler {
 public:
  explicit FakeControlSite(bool offers_handler) : offers_handler_(offers_handler) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = nullptr;
    if (riid == IID_IDocHostUIHandler && offers_handler_) {
      *out = static_cast<IDocHostUIHandler*>(this);
    } else if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }

  HRESULT STDMETHODCALLTYPE SaveObject() override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return kForwarded; }

  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO*) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                   IOleInPlaceUIWindow*) override {
    return kForwarded;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR*, DWORD) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget**) override { return drop_target_result; }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch**) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, OLECHAR*, OLECHAR**) override { return kForwarded; }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject**) override { return kForwarded; }

  ULONG refs = 0;
  HRESULT drop_target_result = kForwarded;

 private:
  bool offers_handler_;
};

// A bridge whose end the test can see.
class ObservedBridge : public CJSDispatch {
 public:
  explicit ObservedBridge(bool& destroyed) : CJSDispatch(nullptr), destroyed_(destroyed) {}
  ~ObservedBridge() override { destroyed_ = true; }

 private:
  bool& destroyed_;
};

// A client site the way a window holds it: made, referenced once.
class ClientSiteTest : public ::testing::Test {
 protected:
  ClientSiteTest() : site(new CWebCtrlInterFace) { site->AddRef(); }
  ~ClientSiteTest() override {
    if (site) site->Release();
  }
  CWebCtrlInterFace* site;
};

// Every operation, what it answers without a control site behind it, and
// whether a control site behind it answers instead. Operations with a result
// pointer get `out`.
struct OperationCase {
  const char* name;
  std::function<HRESULT(CWebCtrlInterFace&, void** out)> call;
  HRESULT alone;
  bool has_out;
  bool forwarded;
};

template <typename T>
T** As(void** out) {
  return reinterpret_cast<T**>(out);
}

const OperationCase kOperations[] = {
    {"SaveObject", [](CWebCtrlInterFace& s, void**) { return s.SaveObject(); }, E_FAIL, false, true},
    {"GetMoniker", [](CWebCtrlInterFace& s, void** o) { return s.GetMoniker(0, 0, As<IMoniker>(o)); }, E_NOTIMPL,
     true, true},
    {"GetContainer", [](CWebCtrlInterFace& s, void** o) { return s.GetContainer(As<IOleContainer>(o)); },
     E_NOINTERFACE, true, true},
    {"ShowObject", [](CWebCtrlInterFace& s, void**) { return s.ShowObject(); }, S_OK, false, true},
    {"OnShowWindow", [](CWebCtrlInterFace& s, void**) { return s.OnShowWindow(1); }, S_OK, false, true},
    {"RequestNewObjectLayout", [](CWebCtrlInterFace& s, void**) { return s.RequestNewObjectLayout(); }, E_NOTIMPL,
     false, true},
    {"ShowContextMenu",
     [](CWebCtrlInterFace& s, void**) {
       POINT at{10, 10};
       return s.ShowContextMenu(0, &at, nullptr, nullptr);
     },
     S_OK, false, false},
    {"ShowUI", [](CWebCtrlInterFace& s, void**) { return s.ShowUI(0, nullptr, nullptr, nullptr, nullptr); }, S_FALSE,
     false, true},
    {"HideUI", [](CWebCtrlInterFace& s, void**) { return s.HideUI(); }, E_NOTIMPL, false, true},
    {"UpdateUI", [](CWebCtrlInterFace& s, void**) { return s.UpdateUI(); }, E_NOTIMPL, false, true},
    {"EnableModeless", [](CWebCtrlInterFace& s, void**) { return s.EnableModeless(1); }, E_NOTIMPL, false, true},
    {"OnDocWindowActivate", [](CWebCtrlInterFace& s, void**) { return s.OnDocWindowActivate(1); }, E_NOTIMPL, false,
     true},
    {"OnFrameWindowActivate", [](CWebCtrlInterFace& s, void**) { return s.OnFrameWindowActivate(1); }, E_NOTIMPL,
     false, true},
    {"ResizeBorder", [](CWebCtrlInterFace& s, void**) { return s.ResizeBorder(nullptr, nullptr, 0); }, E_NOTIMPL,
     false, true},
    {"TranslateAccelerator", [](CWebCtrlInterFace& s, void**) { return s.TranslateAccelerator(nullptr, nullptr, 0); },
     E_NOTIMPL, false, true},
    {"GetOptionKeyPath", [](CWebCtrlInterFace& s, void** o) { return s.GetOptionKeyPath(As<OLECHAR>(o), 0); },
     E_NOTIMPL, true, true},
    {"GetDropTarget", [](CWebCtrlInterFace& s, void** o) { return s.GetDropTarget(nullptr, As<IDropTarget>(o)); },
     E_NOTIMPL, true, true},
    {"GetExternal without a bridge", [](CWebCtrlInterFace& s, void** o) { return s.GetExternal(As<IDispatch>(o)); },
     E_NOTIMPL, true, true},
    {"TranslateUrl", [](CWebCtrlInterFace& s, void** o) { return s.TranslateUrl(0, nullptr, As<OLECHAR>(o)); },
     S_FALSE, true, true},
    {"FilterDataObject",
     [](CWebCtrlInterFace& s, void** o) { return s.FilterDataObject(nullptr, As<IDataObject>(o)); }, S_FALSE, true,
     true},
};

void* const kStale = reinterpret_cast<void*>(0x1);  // what an out-pointer held before the call

TEST_F(ClientSiteTest, WithoutAControlSiteEachOperationGivesItsOwnAnswer) {
  for (const OperationCase& c : kOperations) {
    void* out = kStale;
    EXPECT_EQ(c.call(*site, &out), c.alone) << c.name;
    EXPECT_EQ(out, c.has_out ? nullptr : kStale) << c.name;
    if (c.has_out) {
      EXPECT_EQ(c.call(*site, nullptr), c.alone) << c.name << " with a null out-pointer";
    }
  }
}

TEST_F(ClientSiteTest, AControlSiteWithAHandlerAnswersAllButTheContextMenu) {
  FakeControlSite control(true);
  site->AttachDefaultSite(&control);
  EXPECT_EQ(control.refs, 2u);  // the site and its handler, one reference each
  for (const OperationCase& c : kOperations) {
    void* out = kStale;
    EXPECT_EQ(c.call(*site, &out), c.forwarded ? kForwarded : c.alone) << c.name;
    if (c.forwarded) {
      EXPECT_EQ(out, kStale) << c.name << ": the control site's answer, not ours";
    }
  }
  DOCHOSTUIINFO info{};
  EXPECT_EQ(site->GetHostInfo(&info), kForwarded);
  EXPECT_EQ(info.dwFlags, 0u);

  control.drop_target_result = S_FALSE;  // "no drop target of mine" becomes a failure
  EXPECT_EQ(site->GetDropTarget(nullptr, nullptr), E_FAIL);
  control.drop_target_result = E_NOTIMPL;
  EXPECT_EQ(site->GetDropTarget(nullptr, nullptr), E_NOTIMPL);

  site->Release();
  site = nullptr;
  EXPECT_EQ(control.refs, 0u);  // both given back with the site
}

TEST_F(ClientSiteTest, AControlSiteWithoutAHandlerLeavesThePanePolicyOurs) {
  FakeControlSite control(false);
  site->AttachDefaultSite(&control);
  EXPECT_EQ(control.refs, 1u);
  EXPECT_EQ(site->SaveObject(), kForwarded);
  EXPECT_EQ(site->HideUI(), E_NOTIMPL);
  DOCHOSTUIINFO info{};
  EXPECT_EQ(site->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, 12u);
  site->Release();
  site = nullptr;
  EXPECT_EQ(control.refs, 0u);
}

TEST_F(ClientSiteTest, HostInfoAsksForNoBorderAndNoScrollBars) {
  OLECHAR css[] = L"body{}";
  DOCHOSTUIINFO info{0, 0xFFFF, 7, css, nullptr};
  EXPECT_EQ(site->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.cbSize, 20u);
  EXPECT_EQ(info.dwFlags, static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO));
  EXPECT_EQ(info.dwFlags, 12u);
  EXPECT_EQ(info.dwDoubleClick, 0u);
  EXPECT_EQ(info.pchHostCss, css);  // left as it was
  EXPECT_EQ(site->GetHostInfo(nullptr), E_INVALIDARG);
}

TEST_F(ClientSiteTest, ExternalIsTheBridgeWithOneReferencePerRequest) {
  bool destroyed = false;
  site->m_pExternal = new ObservedBridge(destroyed);
  FakeControlSite control(true);
  site->AttachDefaultSite(&control);  // the bridge is asked for before the control site
  for (ULONG expected = 1; expected <= 3; ++expected) {
    IDispatch* external = nullptr;
    EXPECT_EQ(site->GetExternal(&external), S_OK);
    EXPECT_EQ(external, site->m_pExternal);
    EXPECT_EQ(site->m_pExternal->AddRef(), expected + 1);
    site->m_pExternal->Release();
  }
  EXPECT_EQ(site->GetExternal(nullptr), E_INVALIDARG);
  // The page still holds three references: the site's end ends the bridge anyway.
  site->Release();
  site = nullptr;
  EXPECT_TRUE(destroyed);
}

TEST_F(ClientSiteTest, LookupOffersTheSiteAndTheHandlerOnly) {
  const struct {
    const IID* iid;
    void* expected;
  } cases[] = {
      {&IID_IUnknown, static_cast<IOleClientSite*>(site)},
      {&IID_IOleClientSite, static_cast<IOleClientSite*>(site)},
      {&IID_IDocHostUIHandler, static_cast<IDocHostUIHandler*>(site)},
      {&IID_IDispatch, nullptr},
      {&IID_NULL, nullptr},
  };
  ULONG refs = 1;
  for (const auto& c : cases) {
    void* out = &refs;
    const HRESULT hr = site->QueryInterface(*c.iid, &out);
    EXPECT_EQ(hr, c.expected ? S_OK : E_NOINTERFACE);
    EXPECT_EQ(out, c.expected);
    if (c.expected) ++refs;
  }
  EXPECT_EQ(site->QueryInterface(IID_IUnknown, nullptr), E_INVALIDARG);
  // Through the second base the count is the same object's.
  IDocHostUIHandler* handler = site;
  EXPECT_EQ(handler->AddRef(), refs + 1);
  EXPECT_EQ(site->Release(), refs);
  while (refs-- > 1) site->Release();  // the lookups' references, back to the fixture's own
}

TEST_F(ClientSiteTest, TheLastReleaseEndsTheSite) {
  bool destroyed = false;
  site->m_pExternal = new ObservedBridge(destroyed);
  EXPECT_EQ(site->AddRef(), 2u);
  EXPECT_EQ(site->Release(), 1u);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(site->Release(), 0u);
  site = nullptr;
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace lv
