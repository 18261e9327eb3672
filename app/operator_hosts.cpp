#include "app/operator_hosts.h"

#include "platform/os.h"

namespace lv {
namespace {

constexpr wchar_t kServersFile[] = L"servers.ini";
constexpr wchar_t kServersSection[] = L"servers";

// Until an operator ships its own servers.ini, every service is the local
// demo operator site, so an unconfigured client never reaches outside the
// machine.
constexpr wchar_t kDefaultBase[] = L"http://127.0.0.1:8080";

OperatorHosts& Hosts() {
  static OperatorHosts hosts{kDefaultBase, kDefaultBase, kDefaultBase, kDefaultBase, kDefaultBase, kDefaultBase};
  return hosts;
}

std::wstring TrimTrailingSlash(std::wstring s) {
  while (!s.empty() && s.back() == L'/') s.pop_back();
  return s;
}

}  // namespace

void LoadOperatorHosts(const std::wstring& module_dir) {
  const std::wstring path = module_dir + kServersFile;
  OperatorHosts& hosts = Hosts();
  struct Entry {
    const wchar_t* key;
    std::wstring* field;
  };
  const Entry entries[] = {{L"site", &hosts.site}, {L"pay", &hosts.pay},       {L"kefu", &hosts.kefu},
                           {L"portal", &hosts.portal}, {L"log", &hosts.log}, {L"cs", &hosts.cs}};
  for (const Entry& e : entries) {
    *e.field = TrimTrailingSlash(os::GetProfileString(path, kServersSection, e.key, *e.field));
  }
}

const OperatorHosts& GetOperatorHosts() { return Hosts(); }

std::wstring HostOf(const std::wstring& base_address) {
  const std::size_t scheme = base_address.find(L"://");
  std::wstring rest = scheme == std::wstring::npos ? base_address : base_address.substr(scheme + 3);
  const std::size_t slash = rest.find(L'/');
  if (slash != std::wstring::npos) rest.resize(slash);
  return rest;
}

}  // namespace lv
