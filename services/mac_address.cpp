#include "services/mac_address.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

namespace lv {
namespace {

constexpr std::size_t kMacBytes = 6;
// What a dial-up adapter reports in place of an address: "DEST" and a zero byte.
constexpr std::uint8_t kDialUpPseudoAddress[] = {'D', 'E', 'S', 'T', 0};
// Adapter descriptions of virtual machine software, whose adapters do not identify the machine.
constexpr std::wstring_view kVirtualAdapterMark = L"VMware";

std::wstring FormatMac(std::span<const std::uint8_t> bytes) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%02X-%02X-%02X-%02X-%02X-%02X", bytes[0], bytes[1], bytes[2], bytes[3],
                bytes[4], bytes[5]);
  return text;
}

std::wstring JoinHexBytes(const AdapterAddress& bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    wchar_t pair[8];
    std::swprintf(pair, std::size(pair), i + 1 < bytes.size() ? L"%.2X-" : L"%.2X", bytes[i]);
    text += pair;
  }
  return text;
}

std::wstring TypeWord(std::uint32_t type) {
  switch (type) {
    case if_type::kOther:
      return L"其它";
    case if_type::kEthernet:
      return L"以太网";
    case if_type::kTokenRing:
      return L"令牌环";
    case if_type::kFddi:
      return L"FDDI";
    case if_type::kPpp:
      return L"PPP";
    case if_type::kLoopback:
      return L"回路";
    case if_type::kSlip:
      return L"Slip";
  }
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"未知类型 %ld", static_cast<long>(type));
  return text;
}

// Each method gives the new result, or nothing to leave the result as it is.
using Method = std::optional<std::wstring> (*)(AdapterSources&);

bool IsUsableRow(const InterfaceRow& row) {
  if (!row.ok || row.type != if_type::kEthernet) return false;
  // Shorter values are skipped as no address: nothing past them is read.
  if (row.address.size() < kMacBytes) return false;
  if (std::equal(std::begin(kDialUpPseudoAddress), std::end(kDialUpPseudoAddress), row.address.begin())) return false;
  return std::any_of(row.address.begin(), row.address.begin() + kMacBytes, [](std::uint8_t b) { return b != 0; });
}

std::optional<std::wstring> FromInterfaceTable(AdapterSources& sources) {
  const auto rows = sources.InterfaceTable();
  if (!rows) return std::nullopt;
  for (const InterfaceRow& row : *rows) {
    if (IsUsableRow(row)) return FormatMac(row.address);
  }
  return std::nullopt;
}

std::optional<std::wstring> FromNetBios(AdapterSources& sources) {
  const NetBiosStatus status = sources.NetBios();
  if (!status.enum_ok) return std::nullopt;
  // Several adapters: NetBIOS cannot tell which one is the machine's, and says so
  // with an empty result.
  if (status.adapter_numbers.size() > 1) return std::wstring();
  if (status.adapter_numbers.empty() || !status.reset_ok || !status.status_ok) return std::nullopt;
  return FormatMac(status.address);
}

// The first adapter with an address that is not a virtual machine's. Its
// address may be all zeros; that counts as nothing found.
std::optional<std::wstring> FromAdapterList(AdapterSources& sources) {
  const auto adapters = sources.AdapterList();
  if (!adapters) return std::nullopt;
  for (const stNetPcInfo& info : BuildNetPcInfo(*adapters)) {
    if (!info.strMac.empty() && info.strDesc.find(kVirtualAdapterMark) == std::wstring::npos) return info.strMac;
  }
  return std::nullopt;
}

std::optional<std::wstring> FromAdapterAddresses(AdapterSources& sources) {
  const auto addresses = sources.AdapterAddresses();
  if (!addresses) return std::nullopt;
  for (const AdapterAddress& address : *addresses) {
    if (address.size() == kMacBytes) return FormatMac(address);
  }
  return std::nullopt;
}

// The interface table is read twice, the second time after the adapter list:
// on Windows each reading starts Winsock first, and the first start may fail.
constexpr Method kMethods[] = {FromInterfaceTable, FromNetBios, FromAdapterList, FromInterfaceTable,
                               FromAdapterAddresses};

bool NotFound(const std::wstring& result) { return result.empty() || result == kNoMacAddress; }

}  // namespace

std::vector<stNetPcInfo> BuildNetPcInfo(const std::vector<AdapterInfo>& adapters) {
  std::vector<stNetPcInfo> infos;
  infos.reserve(adapters.size());
  for (const AdapterInfo& a : adapters) {
    infos.push_back(stNetPcInfo{a.ip, JoinHexBytes(a.address), a.mask, a.gateway, a.description,
                                std::to_wstring(a.index), a.name, TypeWord(a.type)});
  }
  return infos;
}

std::wstring GetMacAddress(AdapterSources& sources) {
  std::wstring result = kNoMacAddress;
  for (Method method : kMethods) {
    if (!NotFound(result)) break;
    if (auto found = method(sources)) result = std::move(*found);
  }
  return result;
}

}  // namespace lv
