#include "platform/gtk/script_bridge.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/text.h"

namespace lv::gtk {
namespace {

constexpr char kScheme[] = "lv-bridge";
constexpr char kPrefix[] = "lv-bridge://client/";

// The page side. A member read asks the client for the name's id (unknown:
// undefined, so calling it is a script error); a call hands over the
// arguments, each tagged with its type, and returns the client's answer.
// Every request is numbered so that no cache can answer for the client.
// It is a function of the bridge's address, called with kPrefix.
constexpr char kPageScript[] = R"JS(
(function (address) {
  'use strict';
  var sequence = 0;
  function ask(query) {
    var request = new XMLHttpRequest();
    request.open('GET', address + query + '&q=' + (++sequence), false);
    request.send(null);
    return request.responseText;
  }
  function wire(value) {
    switch (typeof value) {
      case 'string': return 's' + value;
      case 'number':
        return (Number.isInteger(value) && value >= -2147483648 && value <= 2147483647 ? 'i' : 'r') + String(value);
      case 'boolean': return value ? 'b1' : 'b0';
      default: return value === null ? 'z' : 'u';
    }
  }
  function member(id) {
    return function () {
      var query = 'invoke?id=' + id;
      for (var i = 0; i < arguments.length; ++i) query += '&a' + i + '=' + encodeURIComponent(wire(arguments[i]));
      var answer = ask(query);
      if (answer.charAt(0) === 'e') throw new Error('window.external call failed: ' + answer.substring(1));
      return answer.charAt(0) === 's' ? answer.substring(1) : undefined;
    };
  }
  var external = new Proxy({}, {
    get: function (target, name) {
      if (typeof name !== 'string') return undefined;
      var answer = ask('lookup?name=' + encodeURIComponent(name));
      return answer.charAt(0) === 'i' ? member(answer.substring(1)) : undefined;
    }
  });
  Object.defineProperty(window, 'external', { value: external, configurable: true });
})
)JS";

// Answers: "i<id>" a name's id, "s<text>" a text result, "u" nothing, "e<code>" a failed call.
constexpr char kNoAnswer[] = "u";

std::map<WebKitWebView*, IDispatch*>& Bridges() {
  static std::map<WebKitWebView*, IDispatch*> bridges;
  return bridges;
}

// The query of a request as name/value pairs, percent-decoded.
std::map<std::string, std::string> QueryOf(const std::string& uri) {
  std::map<std::string, std::string> out;
  const std::size_t question = uri.find('?');
  if (question == std::string::npos) return out;
  gchar** pairs = g_strsplit(uri.c_str() + question + 1, "&", -1);
  for (gchar** pair = pairs; *pair; ++pair) {
    const char* equals = std::strchr(*pair, '=');
    if (!equals) continue;
    gchar* value = g_uri_unescape_string(equals + 1, nullptr);
    out[std::string(*pair, static_cast<std::size_t>(equals - *pair))] = value ? value : "";
    g_free(value);
  }
  g_strfreev(pairs);
  return out;
}

VARIANT FromWire(const std::string& wire) {
  VARIANT v;
  VariantInit(&v);
  const std::string value = wire.empty() ? std::string() : wire.substr(1);
  switch (wire.empty() ? 'u' : wire[0]) {
    case 's':
      v.vt = VT_BSTR;
      v.bstrVal = SysAllocString(FromUtf8(value).c_str());
      break;
    case 'i':
      v.vt = VT_I4;
      v.lVal = static_cast<LONG>(std::strtol(value.c_str(), nullptr, 10));
      break;
    case 'r':
      v.vt = VT_R8;
      v.dblVal = g_ascii_strtod(value.c_str(), nullptr);
      break;
    case 'b':
      v.vt = VT_BOOL;
      v.boolVal = value == "1" ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case 'z':
      v.vt = VT_NULL;
      break;
    default:
      break;  // undefined, objects, functions: no value the client can take
  }
  return v;
}

std::string Lookup(IDispatch* external, const std::map<std::string, std::string>& query) {
  const auto name = query.find("name");
  if (name == query.end()) return kNoAnswer;
  std::wstring wide = FromUtf8(name->second);
  LPOLESTR names[] = {wide.data()};
  DISPID id = 0;
  if (external->GetIDsOfNames(IID_NULL, names, 1, 0, &id) != S_OK) return kNoAnswer;
  return "i" + std::to_string(id);
}

std::string Call(IDispatch* external, const std::map<std::string, std::string>& query) {
  const auto id = query.find("id");
  if (id == query.end()) return kNoAnswer;
  std::vector<VARIANT> args;  // last-first, as the control hands them over
  for (int i = 0;; ++i) {
    const auto arg = query.find("a" + std::to_string(i));
    if (arg == query.end()) break;
    args.insert(args.begin(), FromWire(arg->second));
  }
  DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = external->Invoke(static_cast<DISPID>(std::strtol(id->second.c_str(), nullptr, 10)), IID_NULL, 0,
                                      DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  for (VARIANT& v : args) VariantClear(&v);
  std::string answer = kNoAnswer;
  if (hr < 0) {
    answer = "e" + std::to_string(static_cast<std::uint32_t>(hr));
  } else if (result.vt == VT_BSTR) {
    answer = "s" + ToUtf8(result.bstrVal ? result.bstrVal : L"");
  }
  VariantClear(&result);
  return answer;
}

void Answer(WebKitURISchemeRequest* request, const std::string& body) {
  GInputStream* stream = g_memory_input_stream_new_from_data(g_memdup2(body.data(), body.size()),
                                                             static_cast<gssize>(body.size()), g_free);
  WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(stream, static_cast<gint64>(body.size()));
  webkit_uri_scheme_response_set_content_type(response, "text/plain; charset=utf-8");
  // The pages are on the operator's origin; the answers are for any of them.
  SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
  soup_message_headers_append(headers, "Access-Control-Allow-Origin", "*");
  webkit_uri_scheme_response_set_http_headers(response, headers);  // takes the headers
  webkit_uri_scheme_request_finish_with_response(request, response);
  g_object_unref(response);
  g_object_unref(stream);
}

// Runs on the GUI thread while the page's script waits for the answer.
void OnBridgeRequest(WebKitURISchemeRequest* request, gpointer) {
  const std::string uri = webkit_uri_scheme_request_get_uri(request);
  const auto bridge = Bridges().find(webkit_uri_scheme_request_get_web_view(request));
  if (bridge == Bridges().end() || uri.rfind(kPrefix, 0) != 0) {
    Answer(request, kNoAnswer);  // a page without window.external
    return;
  }
  const std::string operation = uri.substr(sizeof kPrefix - 1, uri.find('?') - (sizeof kPrefix - 1));
  const auto query = QueryOf(uri);
  if (operation == "lookup") {
    Answer(request, Lookup(bridge->second, query));
  } else if (operation == "invoke") {
    Answer(request, Call(bridge->second, query));
  } else {
    Answer(request, kNoAnswer);
  }
}

}  // namespace

void RegisterBridgeScheme(WebKitWebContext* context) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  webkit_web_context_register_uri_scheme(context, kScheme, OnBridgeRequest, nullptr, nullptr);
  webkit_security_manager_register_uri_scheme_as_cors_enabled(webkit_web_context_get_security_manager(context),
                                                              kScheme);
}

void InstallScriptBridge(WebKitWebView* view, IDispatch* external) {
  Bridges()[view] = external;
  const std::string source = std::string(kPageScript) + "('" + kPrefix + "');";
  WebKitUserScript* script = webkit_user_script_new(source.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                    WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
  webkit_user_content_manager_add_script(webkit_web_view_get_user_content_manager(view), script);
  webkit_user_script_unref(script);
}

void RemoveScriptBridge(WebKitWebView* view) { Bridges().erase(view); }

}  // namespace lv::gtk
