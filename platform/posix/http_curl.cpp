// The HTTP session over libcurl.
#include <curl/curl.h>

#include <algorithm>
#include <mutex>

#include "platform/http.h"
#include "platform/text.h"

namespace lv {
namespace {

// Both schemes the client speaks; nothing else may be reached through a URL.
constexpr char kProtocols[] = "http,https";

size_t AppendBody(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

// libcurl's stall rule (less than 1 byte a second for N seconds) stands in
// for WinInet's receive time-out; it works in whole seconds.
long StallSeconds(std::chrono::milliseconds receive) {
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(receive).count();
  return std::max<long>(1, static_cast<long>(seconds));
}

class HeaderList {
 public:
  explicit HeaderList(const std::vector<std::wstring>& headers) {
    for (const std::wstring& header : headers) list_ = curl_slist_append(list_, ToUtf8(header).c_str());
  }
  ~HeaderList() { curl_slist_free_all(list_); }
  HeaderList(const HeaderList&) = delete;
  HeaderList& operator=(const HeaderList&) = delete;
  curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

class CurlSession : public HttpSession {
 public:
  CurlSession(CURL* curl, const std::wstring& user_agent, const HttpTimeouts& timeouts) : curl_(curl) {
    curl_easy_setopt(curl_, CURLOPT_USERAGENT, ToUtf8(user_agent).c_str());
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(curl_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);  // sessions run on worker threads
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, StallSeconds(timeouts.receive));
    // A certificate for another host name is accepted; an untrusted,
    // expired or otherwise faulty one is not.
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, AppendBody);
  }
  ~CurlSession() override { curl_easy_cleanup(curl_); }
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  HttpOutcome Get(const HttpRequest& request, std::string& body) override {
    body.clear();
    const HeaderList headers(request.headers);
    curl_easy_setopt(curl_, CURLOPT_URL, ToUtf8(request.url).c_str());
    curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &body);
    const CURLcode code = curl_easy_perform(curl_);
    curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, nullptr);
    if (code == CURLE_OK) return HttpOutcome::Ok;
    body.clear();
    return code == CURLE_OPERATION_TIMEDOUT ? HttpOutcome::Timeout : HttpOutcome::Failed;
  }

 private:
  CURL* curl_;
};

}  // namespace

std::unique_ptr<HttpSession> CreateHttpSession(const std::wstring& user_agent, const HttpTimeouts& timeouts) {
  static std::once_flag once;
  static CURLcode global = CURLE_FAILED_INIT;
  std::call_once(once, [] { global = curl_global_init(CURL_GLOBAL_DEFAULT); });
  if (global != CURLE_OK) return nullptr;
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return nullptr;
  return std::make_unique<CurlSession>(curl, user_agent, timeouts);
}

}  // namespace lv
