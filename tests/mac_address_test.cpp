#include "services/mac_address.h"

#include <gtest/gtest.h>

#include <regex>

namespace lv {
namespace {

const AdapterAddress kPhysical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const AdapterAddress kOther = {0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5};
const AdapterAddress kZero(6, 0);

InterfaceRow Row(std::uint32_t type, AdapterAddress address, bool ok = true) { return {ok, type, std::move(address)}; }

AdapterInfo Adapter(std::wstring description, AdapterAddress address) {
  AdapterInfo a;
  a.description = std::move(description);
  a.address = std::move(address);
  return a;
}

// Answers from fixed data and notes which sources were asked, in order:
// T table, N NetBIOS, L adapter list, A adapter addresses.
struct FakeSources : AdapterSources {
  std::vector<std::optional<std::vector<InterfaceRow>>> tables;  // one per reading; nullopt after the last
  NetBiosStatus netbios;
  std::optional<std::vector<AdapterInfo>> list;
  std::optional<std::vector<AdapterAddress>> addresses;
  std::string asked;

  std::optional<std::vector<InterfaceRow>> InterfaceTable() override {
    const std::size_t reading = std::count(asked.begin(), asked.end(), 'T');
    asked += 'T';
    return reading < tables.size() ? tables[reading] : std::nullopt;
  }
  NetBiosStatus NetBios() override {
    asked += 'N';
    return netbios;
  }
  std::optional<std::vector<AdapterInfo>> AdapterList() override {
    asked += 'L';
    return list;
  }
  std::optional<std::vector<AdapterAddress>> AdapterAddresses() override {
    asked += 'A';
    return addresses;
  }
};

NetBiosStatus OneNetBiosAdapter(bool reset_ok = true, bool status_ok = true) {
  return {true, {3}, reset_ok, status_ok, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}};
}

const NetBiosStatus kTwoNetBiosAdapters = {true, {0, 1}, true, true, {}};

struct MacCase {
  const char* name;
  FakeSources sources;
  std::wstring result;
  std::string asked;
};

std::vector<MacCase> Cases() {
  std::vector<MacCase> cases;
  auto add = [&](const char* name, std::wstring result, std::string asked, auto fill) {
    MacCase c{name, {}, std::move(result), std::move(asked)};
    fill(c.sources);
    cases.push_back(std::move(c));
  };
  const std::wstring kFound = L"00-1A-2B-3C-4D-5E";
  add("one Ethernet adapter: the table decides alone", kFound, "T",
      [&](FakeSources& s) { s.tables = {std::vector{Row(if_type::kEthernet, kPhysical)}}; });
  add("table rows that do not qualify are passed over", kFound, "T", [&](FakeSources& s) {
    s.tables = {std::vector{
        Row(if_type::kEthernet, kOther, false),                         // failed query
        Row(if_type::kLoopback, kOther),                                // not Ethernet
        Row(if_type::kEthernet, {}),                                    // no address
        Row(if_type::kEthernet, {0xA0, 0xB1, 0xC2, 0xD3, 0xE4}),        // too short to read six bytes
        Row(if_type::kEthernet, kZero),                                 // all zeros
        Row(if_type::kEthernet, {'D', 'E', 'S', 'T', 0, 1}),            // the dial-up pseudo address
        Row(if_type::kEthernet, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x70}),  // first six bytes count
        Row(if_type::kEthernet, kOther),
    }};
  });
  add("NetBIOS with one adapter", kFound, "TN", [&](FakeSources& s) { s.netbios = OneNetBiosAdapter(); });
  add("NetBIOS reset fails: the list decides", L"A0-B1-C2-D3-E4-F5", "TNL", [&](FakeSources& s) {
    s.netbios = OneNetBiosAdapter(false);
    s.list = std::vector{Adapter(L"Realtek", kOther)};
  });
  add("NetBIOS status fails: the list decides", L"A0-B1-C2-D3-E4-F5", "TNL", [&](FakeSources& s) {
    s.netbios = OneNetBiosAdapter(true, false);
    s.list = std::vector{Adapter(L"Realtek", kOther)};
  });
  add("a VMware adapter listed first is passed over", kFound, "TNL", [&](FakeSources& s) {
    s.netbios = kTwoNetBiosAdapters;
    s.list = std::vector{Adapter(L"VMware Virtual Ethernet Adapter for VMnet8", kOther), Adapter(L"", {}),
                         Adapter(L"Intel PRO/1000", kPhysical)};
  });
  add("the word in lower case is not excluded", L"A0-B1-C2-D3-E4-F5", "TNL",
      [&](FakeSources& s) { s.list = std::vector{Adapter(L"vmware adapter", kOther)}; });
  add("the list prints every byte it has", L"01-02-03-04-05-06-07-08", "TNL",
      [&](FakeSources& s) { s.list = std::vector{Adapter(L"FireWire", {1, 2, 3, 4, 5, 6, 7, 8})}; });
  add("a listed all-zero address counts as nothing found", L"A0-B1-C2-D3-E4-F5", "TNLTA", [&](FakeSources& s) {
    s.list = std::vector{Adapter(L"Modem", kZero)};
    s.addresses = std::vector{AdapterAddress{}, AdapterAddress{1, 2, 3, 4, 5, 6, 7, 8}, kOther};
  });
  add("the table read a second time answers", kFound, "TNLT",
      [&](FakeSources& s) { s.tables = {std::nullopt, std::vector{Row(if_type::kEthernet, kPhysical)}}; });
  add("several NetBIOS adapters and nothing else: empty", L"", "TNLTA", [&](FakeSources& s) {
    s.netbios = kTwoNetBiosAdapters;
    s.list = std::vector<AdapterInfo>{};
  });
  add("several NetBIOS adapters, the addresses decide", kFound, "TNLTA", [&](FakeSources& s) {
    s.netbios = kTwoNetBiosAdapters;
    s.addresses = std::vector<AdapterAddress>{kPhysical};
  });
  add("no adapter at all", kNoMacAddress, "TNLTA", [](FakeSources&) {});
  return cases;
}

TEST(MacAddressTest, AsksTheSourcesInOrderUntilOneFindsAnAddress) {
  for (MacCase& c : Cases()) {
    EXPECT_EQ(GetMacAddress(c.sources), c.result) << c.name;
    EXPECT_EQ(c.sources.asked, c.asked) << c.name;
  }
}

TEST(MacAddressTest, AdapterRecordsNameTheirType) {
  std::vector<AdapterInfo> adapters;
  for (std::uint32_t type : {1u, 6u, 9u, 15u, 23u, 24u, 28u, 71u}) {
    AdapterInfo a = Adapter(L"desc", kPhysical);
    a.type = type;
    a.index = 40 + type;
    adapters.push_back(a);
  }
  adapters[0].ip = L"192.168.0.2";
  adapters[0].mask = L"255.255.255.0";
  adapters[0].gateway = L"192.168.0.1";
  adapters[0].name = L"{GUID}";
  const std::vector<stNetPcInfo> infos = BuildNetPcInfo(adapters);
  std::vector<std::wstring> types;
  for (const stNetPcInfo& i : infos) types.push_back(i.strType);
  EXPECT_EQ(types, (std::vector<std::wstring>{L"其它", L"以太网", L"令牌环", L"FDDI", L"PPP", L"回路", L"Slip",
                                              L"未知类型 71"}));
  const stNetPcInfo& first = infos[0];
  EXPECT_EQ(first.strIP, L"192.168.0.2");
  EXPECT_EQ(first.strMac, L"00-1A-2B-3C-4D-5E");
  EXPECT_EQ(first.strMask, L"255.255.255.0");
  EXPECT_EQ(first.strGateway, L"192.168.0.1");
  EXPECT_EQ(first.strDesc, L"desc");
  EXPECT_EQ(first.strIndex, L"41");
  EXPECT_EQ(first.strName, L"{GUID}");
}

// This machine's own adapters: whatever they are, the answer has the form.
TEST(MacAddressTest, SystemSourcesGiveAnIdentifier) {
  const std::wstring mac = GetMacAddress(*CreateSystemAdapterSources());
  EXPECT_TRUE(std::regex_match(mac, std::wregex(L"([0-9A-F]{2}-){5}[0-9A-F]{2}"))) << mac;
}

}  // namespace
}  // namespace lv
