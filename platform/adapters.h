// What the system tells about its network adapters, in the four shapes the
// machine identifier reads. On Windows these are the SNMP agent's MIB-II
// interface table, NetBIOS adapter status and the two IP Helper lists; on
// other systems the nearest equivalents. Every query is synchronous.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv {

using AdapterAddress = std::vector<std::uint8_t>;  // a hardware address, as many bytes as it has

// Interface types as MIB-II (IANA ifType) and IP Helper number them.
namespace if_type {
inline constexpr std::uint32_t kOther = 1;
inline constexpr std::uint32_t kEthernet = 6;
inline constexpr std::uint32_t kTokenRing = 9;
inline constexpr std::uint32_t kFddi = 15;
inline constexpr std::uint32_t kPpp = 23;
inline constexpr std::uint32_t kLoopback = 24;
inline constexpr std::uint32_t kSlip = 28;
}  // namespace if_type

// One step of the walk down the interface table (ifType and ifPhysAddress).
struct InterfaceRow {
  bool ok = false;  // the query succeeded and both values still belong to their columns
  std::uint32_t type = 0;
  AdapterAddress address;  // empty when the row has none
};

// The outcome of the NetBIOS calls: enumerate the LAN adapter numbers and, for
// a single one, reset it and ask for its status.
struct NetBiosStatus {
  bool enum_ok = false;
  std::vector<std::uint8_t> adapter_numbers;
  bool reset_ok = false;
  bool status_ok = false;
  std::array<std::uint8_t, 6> address{};  // from the adapter status block
};

// One entry of the adapter list, texts already wide.
struct AdapterInfo {
  std::wstring ip;       // first address, dotted
  std::wstring mask;     // its subnet mask
  std::wstring gateway;  // first gateway
  std::wstring description;
  std::uint32_t index = 0;
  std::wstring name;
  std::uint32_t type = 0;  // if_type
  AdapterAddress address;
};

class AdapterSources {
 public:
  virtual ~AdapterSources() = default;
  // The rows of the interface table, at most as many as the table says it
  // has; nullopt when the table cannot be read at all.
  virtual std::optional<std::vector<InterfaceRow>> InterfaceTable() = 0;
  virtual NetBiosStatus NetBios() = 0;
  // nullopt when the list cannot be had.
  virtual std::optional<std::vector<AdapterInfo>> AdapterList() = 0;
  // The hardware address of each adapter, in list order; nullopt when the
  // list cannot be had or does not fit the one fixed-size query.
  virtual std::optional<std::vector<AdapterAddress>> AdapterAddresses() = 0;
};

std::unique_ptr<AdapterSources> CreateSystemAdapterSources();

}  // namespace lv
