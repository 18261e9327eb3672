// The system's HTTP stack: one GET at a time on a session that keeps its
// settings between requests. WinInet on Windows, libcurl elsewhere.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace lv {

enum class HttpOutcome {
  Ok,       // a response was received and its body read, whatever its status
  Timeout,  // the server did not connect or answer in time
  Failed,   // any other failure: name, connection, certificate, protocol
};

// Modelled on WinInet's documented defaults (connect one minute, receive 30
// seconds), so every backend gives up after the same waits. `receive` is the
// longest time without any data arriving; libcurl counts it in whole seconds.
struct HttpTimeouts {
  std::chrono::milliseconds connect{60000};
  std::chrono::milliseconds receive{30000};
};

struct HttpRequest {
  std::wstring url;                  // sent as it stands: nothing is escaped
  std::vector<std::wstring> headers;  // whole lines such as "Accept-Language: zh-cn", in order
};

// A session belongs to one thread. Requests are never answered from a cache
// and never stored in one; redirects are not followed. HTTPS accepts a
// certificate issued for another host name and refuses every other
// certificate fault.
class HttpSession {
 public:
  virtual ~HttpSession() = default;
  // GET. `body` receives every byte of the response body on Ok and is left
  // empty otherwise.
  virtual HttpOutcome Get(const HttpRequest& request, std::string& body) = 0;
};

// Null when the system refuses to open a session.
std::unique_ptr<HttpSession> CreateHttpSession(const std::wstring& user_agent, const HttpTimeouts& timeouts);

}  // namespace lv
