#include "services/usage_report.h"

#include <cstdio>

#include "app/operator_hosts.h"
#include "platform/adapters.h"
#include "platform/platform.h"
#include "services/http_client.h"
#include "services/mac_address.h"
#include "services/md5.h"

namespace lv {
namespace {

constexpr wchar_t kReceiverPath[] = L"/receive/micoclient?log=";
constexpr wchar_t kRegisteredUidPrefix[] = L"zc";  // removed from the user id before it is reported
constexpr wchar_t kClientTag[] = L"159372";         // the line's fourth field, the same in every report
constexpr wchar_t kSignatureSalt[] = L"Hq4&Zt8#Wn3e";

std::wstring WithoutPrefix(const std::wstring& uid) {
  return uid.starts_with(kRegisteredUidPrefix) ? uid.substr(std::size(kRegisteredUidPrefix) - 1) : uid;
}

// The clock printed as the receiver has always read it: its low 32 bits as a
// signed number.
std::wstring TimeText(std::int64_t now_seconds) {
  return std::to_wstring(static_cast<std::int32_t>(static_cast<std::uint32_t>(now_seconds)));
}

// The line travels in the query unescaped, "|" included, as the receiver
// expects. Only the characters that would break the request or change what
// the receiver reads are escaped: blanks and control characters (a broken or
// injected request line), "&" and "#" (another parameter, a cut-off query),
// "%" and "+" (read back as escapes and spaces). The receiver decodes them
// back into the line it checks the signature of.
bool MustEscape(wchar_t c) {
  return c <= L' ' || c == 0x7F || c == L'%' || c == L'&' || c == L'#' || c == L'+';
}

std::wstring EscapeForQuery(const std::wstring& line) {
  std::wstring escaped;
  escaped.reserve(line.size());
  for (wchar_t c : line) {
    if (!MustEscape(c)) {
      escaped.push_back(c);
      continue;
    }
    wchar_t code[4];
    std::swprintf(code, std::size(code), L"%%%02X", static_cast<unsigned>(c));
    escaped += code;
  }
  return escaped;
}

}  // namespace

std::wstring BuildUsageReportUrl(const std::wstring& uid, const std::wstring& game, const std::wstring& kind,
                                 const std::wstring& mac, std::int64_t now_seconds, const std::wstring& log_base) {
  const std::wstring line = game + L'|' + WithoutPrefix(uid) + L'|' + kind + L'|' + kClientTag + L"|||||" + mac +
                            L'|' + TimeText(now_seconds);
  const std::wstring signature = MD5Hex(line + kSignatureSalt);
  return log_base + kReceiverPath + EscapeForQuery(line) + L'|' + signature;
}

void SendUsageReport(std::wstring uid, std::wstring game, std::wstring kind) {
  const std::wstring mac = GetMacAddress(*CreateSystemAdapterSources());
  const std::wstring url = BuildUsageReportUrl(uid, game, kind, mac, platform().NowUnixSeconds(), GetOperatorHosts().log);
  CHttpClient client;
  std::wstring answer;  // not used: the receiver only records the report
  client.HttpGet(url, answer);
}

}  // namespace lv
