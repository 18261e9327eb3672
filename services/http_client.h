// One HTTP or HTTPS GET at a time, the body handed back as text. Each caller
// makes its own client and uses it on one thread; a client used again keeps
// its session.
#pragma once

#include <memory>
#include <string>

#include "platform/http.h"

namespace lv {

// Results of CHttpClient::HttpGet.
inline constexpr int kHttpGetOk = 0;       // a response was read, whatever its status
inline constexpr int kHttpGetFailed = 1;   // not an http(s) address, or any failure but a time-out
inline constexpr int kHttpGetTimeout = 2;  // the server did not answer in time

class CHttpClient {
 public:
  CHttpClient();
  explicit CHttpClient(const HttpTimeouts& timeouts);
  ~CHttpClient();
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  // `response` gets the body decoded from UTF-8 on kHttpGetOk and is empty
  // otherwise. The address is sent as it stands: nothing is escaped.
  int HttpGet(const std::wstring& url, std::wstring& response);

 private:
  std::unique_ptr<HttpSession> m_pSession;  // null if the system refused one: every request fails
};

}  // namespace lv
