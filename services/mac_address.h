// The machine identifier: the hardware address of one network adapter, as
// six uppercase hex pairs joined by "-" (00-1A-2B-3C-4D-5E).
#pragma once

#include <string>
#include <vector>

#include "platform/adapters.h"

namespace lv {

// The result before anything is found, and when nothing is.
inline constexpr wchar_t kNoMacAddress[] = L"00-00-00-00-00-00";

// One adapter of the adapter list, as the identifier reads it.
struct stNetPcInfo {
  std::wstring strIP;
  std::wstring strMac;  // every address byte, joined by "-"; empty without an address
  std::wstring strMask;
  std::wstring strGateway;
  std::wstring strDesc;
  std::wstring strIndex;
  std::wstring strName;
  std::wstring strType;  // the type as a word: "以太网", "回路", ...
};

std::vector<stNetPcInfo> BuildNetPcInfo(const std::vector<AdapterInfo>& adapters);

// Asks the sources in a fixed order (interface table, NetBIOS, adapter list,
// interface table again, adapter addresses), each only while nothing has
// been found. Gives kNoMacAddress when no source has an address, and the
// empty text when NetBIOS lists several adapters and no later source finds one.
std::wstring GetMacAddress(AdapterSources& sources);

}  // namespace lv
