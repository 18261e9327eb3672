// Adapter data on Linux: sysfs for the interface table and the adapter list,
// getifaddrs for addresses. Linux has no NetBIOS, so that source finds nothing.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if_arp.h>
#include <net/route.h>
#include <netinet/in.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/adapters.h"
#include "platform/text.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

const fs::path kNetClass = "/sys/class/net";
constexpr char kRouteTable[] = "/proc/net/route";
constexpr wchar_t kNoAddress[] = L"0.0.0.0";  // what the adapter list shows for a missing address
constexpr char kVmwarePciVendor[] = "0x15ad";

struct Interface {
  std::string name;
  std::uint32_t index = 0;
  unsigned arp_type = 0;  // ARPHRD_*
  AdapterAddress address;
  bool has_device = false;  // backed by hardware (or a hypervisor's device), not software only
  std::string driver;
  std::string vendor;  // PCI vendor id, "0x...."
};

std::string ReadLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

AdapterAddress ParseHardwareAddress(const std::string& text) {
  AdapterAddress bytes;
  std::istringstream in(text);
  std::string pair;
  while (std::getline(in, pair, ':')) {
    if (pair.empty()) return {};
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
  }
  return bytes;
}

// Every interface, by index, as the system numbers them.
std::vector<Interface> ListInterfaces() {
  std::vector<Interface> interfaces;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(kNetClass, error)) {
    const fs::path dir = entry.path();
    Interface i;
    i.name = dir.filename().string();
    try {
      i.index = static_cast<std::uint32_t>(std::stoul(ReadLine(dir / "ifindex")));
      i.arp_type = static_cast<unsigned>(std::stoul(ReadLine(dir / "type")));
      i.address = ParseHardwareAddress(ReadLine(dir / "address"));
    } catch (const std::exception&) {
      continue;  // gone while being read, or unreadable
    }
    i.has_device = fs::exists(dir / "device", error);
    i.driver = fs::read_symlink(dir / "device" / "driver", error).filename().string();
    i.vendor = ReadLine(dir / "device" / "vendor");
    interfaces.push_back(std::move(i));
  }
  std::sort(interfaces.begin(), interfaces.end(), [](const Interface& a, const Interface& b) { return a.index < b.index; });
  return interfaces;
}

std::uint32_t IfType(unsigned arp_type) {
  switch (arp_type) {
    case ARPHRD_ETHER:
      return if_type::kEthernet;
    case ARPHRD_IEEE802_TR:
      return if_type::kTokenRing;
    case ARPHRD_FDDI:
      return if_type::kFddi;
    case ARPHRD_PPP:
      return if_type::kPpp;
    case ARPHRD_LOOPBACK:
      return if_type::kLoopback;
    case ARPHRD_SLIP:
      return if_type::kSlip;
  }
  return if_type::kOther;
}

// VMware's own adapters: its guests' PCI devices, the vmxnet drivers and the
// host's vmnet interfaces.
bool IsVmware(const Interface& i) {
  return i.vendor == kVmwarePciVendor || i.driver.starts_with("vmxnet") || i.name.starts_with("vmnet");
}

std::wstring Describe(const Interface& i) {
  std::string text = IsVmware(i) ? "VMware " : "";
  text += i.driver.empty() ? "Linux" : i.driver;
  text += " " + i.name;
  return FromUtf8(text);
}

std::wstring DottedIPv4(const sockaddr* address) {
  if (address == nullptr || address->sa_family != AF_INET) return kNoAddress;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  return FromUtf8(text);
}

struct IPv4 {
  std::wstring ip = kNoAddress;
  std::wstring mask = kNoAddress;
};

// The first IPv4 address of each interface, by name.
std::map<std::string, IPv4> FirstIPv4Addresses() {
  std::map<std::string, IPv4> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return addresses;
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
    addresses.try_emplace(a->ifa_name, IPv4{DottedIPv4(a->ifa_addr), DottedIPv4(a->ifa_netmask)});
  }
  freeifaddrs(list);
  return addresses;
}

// The first gateway of each interface's routes, by name. The table holds
// addresses as hexadecimal in network byte order.
std::map<std::string, std::wstring> FirstGateways() {
  std::map<std::string, std::wstring> gateways;
  std::ifstream in(kRouteTable);
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    unsigned long destination = 0, gateway = 0, flags = 0;
    if (!(fields >> name >> std::hex >> destination >> gateway >> flags) || (flags & RTF_GATEWAY) == 0) continue;
    const in_addr address{static_cast<in_addr_t>(gateway)};
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    gateways.try_emplace(name, FromUtf8(text));
  }
  return gateways;
}

class LinuxAdapterSources : public AdapterSources {
 public:
  // Software-only interfaces (bridges, veth, ifb, tunnels) get new random
  // addresses as they are made, so the table, which is asked first, holds
  // only the loopback and the interfaces backed by a device.
  std::optional<std::vector<InterfaceRow>> InterfaceTable() override {
    std::vector<InterfaceRow> rows;
    for (const Interface& i : ListInterfaces()) {
      if (i.has_device || i.arp_type == ARPHRD_LOOPBACK) rows.push_back({true, IfType(i.arp_type), i.address});
    }
    return rows;
  }

  NetBiosStatus NetBios() override { return {}; }

  // As on Windows, the list leaves out the loopback.
  std::optional<std::vector<AdapterInfo>> AdapterList() override {
    const auto addresses = FirstIPv4Addresses();
    const auto gateways = FirstGateways();
    std::vector<AdapterInfo> adapters;
    for (const Interface& i : ListInterfaces()) {
      if (i.arp_type == ARPHRD_LOOPBACK) continue;
      AdapterInfo info;
      const auto ip = addresses.find(i.name);
      const IPv4 v4 = ip == addresses.end() ? IPv4{} : ip->second;
      info.ip = v4.ip;
      info.mask = v4.mask;
      const auto gateway = gateways.find(i.name);
      info.gateway = gateway == gateways.end() ? kNoAddress : gateway->second;
      info.description = Describe(i);
      info.index = i.index;
      info.name = FromUtf8(i.name);
      info.type = IfType(i.arp_type);
      info.address = i.address;
      adapters.push_back(std::move(info));
    }
    return adapters;
  }

  // The link-layer entry of each interface; the loopback has no hardware address.
  std::optional<std::vector<AdapterAddress>> AdapterAddresses() override {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return std::nullopt;
    std::vector<AdapterAddress> addresses;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
      if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_PACKET) continue;
      const auto* link = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
      if (link->sll_hatype == ARPHRD_LOOPBACK) {
        addresses.emplace_back();
      } else {
        addresses.emplace_back(link->sll_addr, link->sll_addr + std::min<std::size_t>(link->sll_halen, sizeof link->sll_addr));
      }
    }
    freeifaddrs(list);
    return addresses;
  }
};

}  // namespace

std::unique_ptr<AdapterSources> CreateSystemAdapterSources() { return std::make_unique<LinuxAdapterSources>(); }

}  // namespace lv
