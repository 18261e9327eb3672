#include "services/http_client.h"

#include "platform/text.h"

namespace lv {
namespace {

constexpr wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)";

// Sent with every request, in this order; the Content-Type too, although a
// GET carries no body, because the servers have always seen it.
const std::vector<std::wstring>& RequestHeaders() {
  static const std::vector<std::wstring> headers = {
      L"Accept: *,*/*",
      L"Accept-Language: zh-cn",
      L"Content-Type: application/x-www-form-urlencoded",
  };
  return headers;
}

// `prefix` is lower-case ASCII.
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? text[i] - L'A' + L'a' : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// Only these two schemes are spoken; anything else, an address without a
// scheme included, is refused before any traffic.
bool IsHttpAddress(std::wstring_view url) {
  return StartsWithNoCase(url, L"http://") || StartsWithNoCase(url, L"https://");
}

}  // namespace

CHttpClient::CHttpClient() : CHttpClient(HttpTimeouts{}) {}

CHttpClient::CHttpClient(const HttpTimeouts& timeouts) : m_pSession(CreateHttpSession(kUserAgent, timeouts)) {}

CHttpClient::~CHttpClient() = default;

int CHttpClient::HttpGet(const std::wstring& url, std::wstring& response) {
  response.clear();
  if (!IsHttpAddress(url) || m_pSession == nullptr) return kHttpGetFailed;
  std::string body;
  switch (m_pSession->Get(HttpRequest{url, RequestHeaders()}, body)) {
    case HttpOutcome::Ok:
      // Every byte of the body counts, a zero byte included.
      response = FromUtf8(body);
      return kHttpGetOk;
    case HttpOutcome::Timeout:
      return kHttpGetTimeout;
    case HttpOutcome::Failed:
      break;
  }
  return kHttpGetFailed;
}

}  // namespace lv
