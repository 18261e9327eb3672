// The HTTP session over WinInet.
#include "platform/win32/windows_api.h"

#include <wininet.h>

#include "platform/http.h"

namespace lv {
namespace {

constexpr DWORD_PTR kContext = 1;
constexpr DWORD kReadChunk = 1024;
// Always from the server, never into the cache, no redirects followed, and
// the connection kept for the next request.
constexpr DWORD kRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_AUTO_REDIRECT;
// A certificate for another host name is accepted; every other fault is not.
constexpr DWORD kSecureFlags = INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID;

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) ::InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

HttpOutcome FailureOutcome() {
  return ::GetLastError() == ERROR_INTERNET_TIMEOUT ? HttpOutcome::Timeout : HttpOutcome::Failed;
}

// Scheme, host, port and the object (path and query) of an address, taken
// apart without decoding or escaping anything.
struct Address {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring object;
};

bool Parse(const std::wstring& url, Address& address) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = 1;  // non-zero lengths with null pointers: point into `url`
  parts.dwUrlPathLength = 1;
  parts.dwExtraInfoLength = 1;
  if (!::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
  address.scheme = parts.nScheme;
  address.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  address.port = parts.nPort;
  address.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  address.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (address.object.empty()) address.object = L"/";
  return true;
}

// Set on every request: not every WinInet hands the session's time-outs
// down to its requests.
void SetTimeouts(HINTERNET request, const HttpTimeouts& timeouts) {
  DWORD connect_ms = static_cast<DWORD>(timeouts.connect.count());
  DWORD receive_ms = static_cast<DWORD>(timeouts.receive.count());
  ::InternetSetOptionW(request, INTERNET_OPTION_CONNECT_TIMEOUT, &connect_ms, sizeof connect_ms);
  ::InternetSetOptionW(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive_ms, sizeof receive_ms);
}

class WinInetSession : public HttpSession {
 public:
  WinInetSession(HINTERNET session, const HttpTimeouts& timeouts) : session_(session), timeouts_(timeouts) {}

  HttpOutcome Get(const HttpRequest& request, std::string& body) override {
    body.clear();
    Address address;
    if (!Parse(request.url, address)) return HttpOutcome::Failed;
    const bool secure = address.scheme == INTERNET_SCHEME_HTTPS;
    if (!secure && address.scheme != INTERNET_SCHEME_HTTP) return HttpOutcome::Failed;

    const InternetHandle connection(::InternetConnectW(session_.get(), address.host.c_str(), address.port, nullptr,
                                                       nullptr, INTERNET_SERVICE_HTTP,
                                                       INTERNET_FLAG_KEEP_CONNECTION | (secure ? INTERNET_FLAG_SECURE : 0),
                                                       kContext));
    if (!connection) return FailureOutcome();
    const InternetHandle file(::HttpOpenRequestW(connection.get(), L"GET", address.object.c_str(), nullptr, nullptr,
                                                 nullptr, kRequestFlags | (secure ? kSecureFlags : 0), kContext));
    if (!file) return FailureOutcome();
    SetTimeouts(file.get(), timeouts_);
    for (const std::wstring& header : request.headers) {
      ::HttpAddRequestHeadersW(file.get(), header.c_str(), static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    }
    if (!::HttpSendRequestW(file.get(), nullptr, 0, nullptr, 0)) return FailureOutcome();

    std::string received;
    char chunk[kReadChunk];
    for (;;) {
      DWORD read = 0;
      if (!::InternetReadFile(file.get(), chunk, kReadChunk, &read)) return FailureOutcome();
      if (read == 0) break;
      received.append(chunk, read);
    }
    body = std::move(received);
    return HttpOutcome::Ok;
  }

 private:
  InternetHandle session_;
  HttpTimeouts timeouts_;
};

}  // namespace

std::unique_ptr<HttpSession> CreateHttpSession(const std::wstring& user_agent, const HttpTimeouts& timeouts) {
  const HINTERNET session = ::InternetOpenW(user_agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return nullptr;
  return std::make_unique<WinInetSession>(session, timeouts);
}

}  // namespace lv
