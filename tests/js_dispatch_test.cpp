#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/js_dispatch.h"
#include "support/script_call.h"

namespace lv {
namespace {

using testing::Bool;
using testing::Int;
using testing::Null;
using testing::NullText;
using testing::Object;
using testing::Real;
using testing::Text;
using testing::Undefined;

// A page-owning window that records which operation the page reached.
class RecordingWindow : public IJSDispatch {
 public:
  void ShowBindBtn() override { Record(L"ShowBindBtn"); }
  void OpenGame(std::wstring a) override { Record(L"OpenGame", a); }
  void AccountRegisterSuccess(std::wstring a) override { Record(L"AccountRegisterSuccess", a); }
  void CloseBindPage(std::wstring a) override { Record(L"CloseBindPage", a); }
  void AccountBindSuccess(std::wstring a) override { Record(L"AccountBindSuccess", a); }
  void ShowIM(std::wstring a) override { Record(L"ShowIM", a); }
  void API_close() override { Record(L"API_close"); }
  void DialogBoxTopInfo(std::wstring a) override { Record(L"DialogBoxTopInfo", a); }
  void openPay(std::wstring a) override { Record(L"openPay", a); }
  void closedBox() override { Record(L"closedBox"); }

  std::vector<std::wstring> calls;  // "Operation(argument)"

 private:
  void Record(const wchar_t* op, const std::wstring& a = L"") { calls.push_back(std::wstring(op) + L"(" + a + L")"); }
};

class JSDispatchTest : public ::testing::Test {
 protected:
  RecordingWindow window;
  CJSDispatch bridge{&window};
};

struct CallCase {
  const char* name;
  std::vector<VARIANT> (*args)();  // script order
  const wchar_t* reaches;          // the one recorded call; null: none
  const wchar_t* version;          // the result text; null: the result slot is left alone
};

const CallCase kCalls[] = {
    {"version alone", [] { return std::vector{Text(L"getApiVersion")}; }, nullptr, L"1"},
    {"version with an argument", [] { return std::vector{Text(L"getApiVersion"), Text(L"x")}; }, nullptr, L"1"},
    {"version wins over a later key", [] { return std::vector{Text(L"getApiVersionOpenGame"), Text(L"x")}; },
     nullptr, L"1"},
    {"two arguments: name then argument", [] { return std::vector{Text(L"OpenGame"), Text(L"a|b|c")}; },
     L"OpenGame(a|b|c)", nullptr},
    {"one argument: the name, empty argument", [] { return std::vector{Text(L"OpenGame")}; }, L"OpenGame()",
     nullptr},
    {"three arguments: the last is the name",
     [] { return std::vector{Text(L"x"), Text(L"y"), Text(L"OpenGame")}; }, L"OpenGame()", nullptr},
    {"three arguments, name first: nothing", [] { return std::vector{Text(L"OpenGame"), Text(L"a"), Text(L"b")}; },
     nullptr, nullptr},
    {"key inside a longer name", [] { return std::vector{Text(L"callOpenGameNow"), Text(L"a")}; }, L"OpenGame(a)",
     nullptr},
    {"keys are case-sensitive", [] { return std::vector{Text(L"opengame"), Text(L"a")}; }, nullptr, nullptr},
    {"a name that goes on after ShowIM", [] { return std::vector{Text(L"ShowIMWindow"), Text(L"p")}; },
     L"ShowIM(p)", nullptr},
    {"first key in table order wins", [] { return std::vector{Text(L"ShowIM_OpenGame"), Text(L"p")}; },
     L"OpenGame(p)", nullptr},
    {"ShowBindBtn drops its argument", [] { return std::vector{Text(L"ShowBindBtn"), Text(L"x")}; },
     L"ShowBindBtn()", nullptr},
    {"CloseBindPage", [] { return std::vector{Text(L"CloseBindPage"), Text(L"1")}; }, L"CloseBindPage(1)", nullptr},
    {"AccountBindSuccess", [] { return std::vector{Text(L"AccountBindSuccess"), Text(L"1")}; },
     L"AccountBindSuccess(1)", nullptr},
    {"AccountRegisterSuccess", [] { return std::vector{Text(L"AccountRegisterSuccess"), Text(L"1")}; },
     L"AccountRegisterSuccess(1)", nullptr},
    {"DialogBoxTopInfo", [] { return std::vector{Text(L"DialogBoxTopInfo"), Text(L"hi")}; },
     L"DialogBoxTopInfo(hi)", nullptr},
    {"openPay", [] { return std::vector{Text(L"openPay"), Text(L"http://127.0.0.1/pay/")}; },
     L"openPay(http://127.0.0.1/pay/)", nullptr},
    {"closedBox", [] { return std::vector{Text(L"closedBox")}; }, L"closedBox()", nullptr},
    {"no key at all", [] { return std::vector{Text(L"Nothing"), Text(L"x")}; }, nullptr, nullptr},
    // What a hostile or careless page may pass.
    {"no arguments", [] { return std::vector<VARIANT>{}; }, nullptr, nullptr},
    {"a null name", [] { return std::vector{NullText(), Text(L"x")}; }, nullptr, nullptr},
    {"a null argument", [] { return std::vector{Text(L"OpenGame"), NullText()}; }, L"OpenGame()", nullptr},
    {"an integer argument", [] { return std::vector{Text(L"OpenGame"), Int(-42)}; }, L"OpenGame(-42)", nullptr},
    {"a fractional argument", [] { return std::vector{Text(L"OpenGame"), Real(1.5)}; }, L"OpenGame(1.5)", nullptr},
    {"a boolean argument", [] { return std::vector{Text(L"OpenGame"), Bool(true)}; }, L"OpenGame(true)", nullptr},
    {"a null value", [] { return std::vector{Text(L"OpenGame"), Null()}; }, L"OpenGame()", nullptr},
    {"an undefined value", [] { return std::vector{Text(L"OpenGame"), Undefined()}; }, L"OpenGame()", nullptr},
    {"an object", [] { return std::vector{Text(L"OpenGame"), Object(nullptr)}; }, L"OpenGame()", nullptr},
    {"a number as the name", [] { return std::vector{Int(7)}; }, nullptr, nullptr},
};

TEST_F(JSDispatchTest, WdJapiPicksNameAndArgumentAndReachesOneOperation) {
  constexpr VARTYPE kUntouched = VT_I4;  // what the caller left in the result slot
  for (const CallCase& c : kCalls) {
    SCOPED_TRACE(c.name);
    window.calls.clear();
    const testing::ScriptResult r = testing::Invoke(&bridge, kDispidWdJapi, c.args(), kUntouched);
    EXPECT_EQ(r.hr, S_OK);
    if (c.reaches) {
      EXPECT_EQ(window.calls, std::vector<std::wstring>{c.reaches});
    } else {
      EXPECT_TRUE(window.calls.empty());
    }
    if (c.version) {
      EXPECT_EQ(r.type, VT_BSTR);
      EXPECT_EQ(r.text, c.version);
    } else {
      EXPECT_EQ(r.type, kUntouched);
    }
  }
}

TEST_F(JSDispatchTest, ToleratesMissingParametersAndResultSlot) {
  EXPECT_EQ(bridge.Invoke(kDispidWdJapi, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
  DISPPARAMS claims_two{nullptr, nullptr, 2, 0};  // a count without an array
  EXPECT_EQ(bridge.Invoke(kDispidWdJapi, IID_NULL, 0, DISPATCH_METHOD, &claims_two, nullptr, nullptr, nullptr),
            S_OK);
  VARIANT version = Text(L"getApiVersion");
  DISPPARAMS one{&version, nullptr, 1, 0};
  EXPECT_EQ(bridge.Invoke(kDispidWdJapi, IID_NULL, 0, DISPATCH_METHOD, &one, nullptr, nullptr, nullptr), S_OK);
  SysFreeString(version.bstrVal);
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(JSDispatchTest, ApiCloseIgnoresItsArgumentsAndOtherIdsFail) {
  EXPECT_EQ(testing::Invoke(&bridge, kDispidApiClose, {Text(L"OpenGame"), Text(L"x")}).hr, S_OK);
  EXPECT_EQ(window.calls, std::vector<std::wstring>{L"API_close()"});
  EXPECT_EQ(testing::Invoke(&bridge, 1002, {Text(L"OpenGame")}).hr, E_NOTIMPL);
  EXPECT_EQ(testing::Invoke(&bridge, 0, {}).hr, E_NOTIMPL);
  EXPECT_EQ(window.calls.size(), 1u);
}

TEST_F(JSDispatchTest, ScriptNamesAreWholeAndMatchRegardlessOfCase) {
  const struct {
    const wchar_t* name;
    HRESULT hr;
    DISPID id;
  } cases[] = {
      {L"WD_JAPI", S_OK, 1000},       {L"wd_japi", S_OK, 1000},       {L"Wd_JaPi", S_OK, 1000},
      {L"API_close", S_OK, 1001},     {L"api_CLOSE", S_OK, 1001},     {L"WD_JAPI2", E_NOTIMPL, -7},
      {L"WD_JAP", E_NOTIMPL, -7},     {L"API_closer", E_NOTIMPL, -7}, {L"OpenGame", E_NOTIMPL, -7},
      {L"", E_NOTIMPL, -7},           {L"toString", E_NOTIMPL, -7},
  };
  for (const auto& c : cases) {
    std::wstring name = c.name;
    LPOLESTR names[] = {name.data(), nullptr};
    DISPID id = -7;
    EXPECT_EQ(bridge.GetIDsOfNames(IID_NULL, names, 2, 0, &id), c.hr) << name;
    EXPECT_EQ(id, c.id) << name;
  }
  EXPECT_EQ(bridge.GetIDsOfNames(IID_NULL, nullptr, 1, 0, nullptr), E_NOTIMPL);
}

TEST_F(JSDispatchTest, WdJapiWrittenInLowerCaseReachesTheWindow) {
  EXPECT_EQ(testing::Call(&bridge, L"wd_japi", {Text(L"getApiVersion")}).text, L"1");
  EXPECT_EQ(testing::Call(&bridge, L"wd_japi", {Text(L"openPay"), Text(L"p")}).hr, S_OK);
  EXPECT_EQ(window.calls, std::vector<std::wstring>{L"openPay(p)"});
  EXPECT_EQ(testing::Call(&bridge, L"WD_JAPIX", {Text(L"openPay"), Text(L"q")}).hr, E_NOTIMPL);
  EXPECT_EQ(window.calls.size(), 1u);
}

TEST_F(JSDispatchTest, CountingNeverFreesAndOnlyTwoInterfacesAreOffered) {
  EXPECT_EQ(bridge.AddRef(), 1u);
  EXPECT_EQ(bridge.Release(), 0u);
  EXPECT_EQ(bridge.AddRef(), 1u);  // still alive after reaching 0
  EXPECT_EQ(testing::Invoke(&bridge, kDispidWdJapi, {Text(L"closedBox")}).hr, S_OK);
  EXPECT_EQ(window.calls, std::vector<std::wstring>{L"closedBox()"});

  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch}) {
    void* out = nullptr;
    EXPECT_EQ(bridge.QueryInterface(*iid, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(&bridge));
  }
  EXPECT_EQ(bridge.AddRef(), 4u);  // one reference per successful lookup
  for (const IID* iid : {&IID_IOleClientSite, &IID_IDocHostUIHandler, &IID_NULL}) {
    void* out = &bridge;
    EXPECT_EQ(bridge.QueryInterface(*iid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(bridge.QueryInterface(IID_IDispatch, nullptr), E_INVALIDARG);
  EXPECT_EQ(bridge.AddRef(), 5u);
}

TEST_F(JSDispatchTest, HasNoTypeInformation) {
  UINT count = 99;
  EXPECT_EQ(bridge.GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(count, 99u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count);
  EXPECT_EQ(bridge.GetTypeInfo(0, 0, &info), E_NOTIMPL);
  EXPECT_EQ(info, reinterpret_cast<ITypeInfo*>(&count));
}

}  // namespace
}  // namespace lv
