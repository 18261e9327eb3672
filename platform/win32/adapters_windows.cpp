// Adapter data on Windows: the SNMP agent's MIB-II interface table
// (inetmib1.dll), NetBIOS adapter status and the two IP Helper lists.
#include "platform/win32/windows_api.h"

#include <iphlpapi.h>
#include <nb30.h>
#include <snmp.h>

#include <algorithm>
#include <array>

#include "platform/adapters.h"

namespace lv {
namespace {

constexpr WORD kWinsockVersion = MAKEWORD(2, 0);
constexpr wchar_t kSnmpAgentLibrary[] = L"inetmib1.dll";
// MIB-II: ifNumber, and the ifType and ifPhysAddress columns of ifTable.
UINT kIfNumberIds[] = {1, 3, 6, 1, 2, 1, 2, 1};
UINT kIfTypeIds[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 3};
UINT kIfPhysAddressIds[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 6};
AsnObjectIdentifier kIfNumber{static_cast<UINT>(std::size(kIfNumberIds)), kIfNumberIds};
AsnObjectIdentifier kIfType{static_cast<UINT>(std::size(kIfTypeIds)), kIfTypeIds};
AsnObjectIdentifier kIfPhysAddress{static_cast<UINT>(std::size(kIfPhysAddressIds)), kIfPhysAddressIds};

constexpr std::size_t kNetBiosNames = 30;  // name entries after the adapter status block
// The adapter-addresses list is asked once, into this many bytes.
constexpr ULONG kAdapterAddressesBytes = 368;

struct AdapterStatusBuffer {
  ADAPTER_STATUS status;
  NAME_BUFFER names[kNetBiosNames];
};
static_assert(sizeof(AdapterStatusBuffer) == 600);

// The agent's two entry points; the library stays loaded for the process.
struct SnmpAgent {
  PFNSNMPEXTENSIONINIT init = nullptr;
  PFNSNMPEXTENSIONQUERY query = nullptr;
};

template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

const SnmpAgent* Agent() {
  static const SnmpAgent agent = [] {
    SnmpAgent a;
    if (const HMODULE module = ::LoadLibraryW(kSnmpAgentLibrary)) {
      a.init = EntryPoint<PFNSNMPEXTENSIONINIT>(module, "SnmpExtensionInit");
      a.query = EntryPoint<PFNSNMPEXTENSIONQUERY>(module, "SnmpExtensionQuery");
    }
    return a;
  }();
  return agent.init && agent.query ? &agent : nullptr;
}

bool InColumn(AsnObjectIdentifier& name, AsnObjectIdentifier& column) {
  return ::SnmpUtilOidNCmp(&name, &column, column.idLength) == 0;
}

// The binding list of one walk, freed whatever happens.
class Bindings {
 public:
  Bindings() = default;
  ~Bindings() { Clear(); }
  Bindings(const Bindings&) = delete;
  Bindings& operator=(const Bindings&) = delete;

  void Set(std::initializer_list<AsnObjectIdentifier*> names) {
    Clear();
    list_.len = 0;
    for (AsnObjectIdentifier* name : names) ::SnmpUtilOidCpy(&binds_[list_.len++].name, name);
  }
  bool GetNext(const SnmpAgent& agent) {
    AsnInteger32 status = 0, index = 0;
    return agent.query(ASN_RFC1157_GETNEXTREQUEST, &list_, &status, &index) && status == SNMP_ERRORSTATUS_NOERROR;
  }
  SnmpVarBind& operator[](std::size_t i) { return binds_[i]; }

 private:
  void Clear() {
    for (SnmpVarBind& b : binds_) {
      ::SnmpUtilVarBindFree(&b);
      b = SnmpVarBind{};
    }
  }
  std::array<SnmpVarBind, 2> binds_{};
  SnmpVarBindList list_{binds_.data(), 0};
};

std::wstring FromThreadCodePage(const char* text) {
  const int n = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
  if (n <= 1) return L"";
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, wide.data(), n);
  wide.pop_back();  // the terminator
  return wide;
}

class WindowsAdapterSources : public AdapterSources {
 public:
  // Each reading starts Winsock first, as the agent needs it; it is never
  // shut down again.
  std::optional<std::vector<InterfaceRow>> InterfaceTable() override {
    WSADATA wsa{};
    if (::WSAStartup(kWinsockVersion, &wsa) != 0) return std::nullopt;
    const SnmpAgent* agent = Agent();
    if (!agent) return std::nullopt;
    HANDLE trap_event = nullptr;
    AsnObjectIdentifier view{};
    agent->init(::GetTickCount(), &trap_event, &view);

    Bindings binds;
    binds.Set({&kIfNumber});
    if (!binds.GetNext(*agent) || binds[0].value.asnType != ASN_INTEGER32) return std::nullopt;
    const AsnInteger32 count = binds[0].value.asnValue.number;

    std::vector<InterfaceRow> rows;
    binds.Set({&kIfType, &kIfPhysAddress});
    for (AsnInteger32 i = 0; i < count; ++i) {
      InterfaceRow row;
      if (binds.GetNext(*agent)) {
        // Past the end of the type column the walk never comes back to the table.
        if (!InColumn(binds[0].name, kIfType)) break;
        row.ok = InColumn(binds[1].name, kIfPhysAddress);
        const AsnAny& type = binds[0].value;
        if (type.asnType == ASN_INTEGER32) row.type = static_cast<std::uint32_t>(type.asnValue.number);
        const AsnAny& address = binds[1].value;
        if (address.asnType == ASN_OCTETSTRING && address.asnValue.string.stream) {
          const BYTE* bytes = address.asnValue.string.stream;
          row.address.assign(bytes, bytes + address.asnValue.string.length);
        }
      }
      rows.push_back(std::move(row));
    }
    return rows;
  }

  NetBiosStatus NetBios() override {
    NetBiosStatus result;
    LANA_ENUM lanas{};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    ncb.ncb_length = sizeof lanas;
    if (::Netbios(&ncb) != NRC_GOODRET) return result;
    result.enum_ok = true;
    result.adapter_numbers.assign(lanas.lana, lanas.lana + std::min<std::size_t>(lanas.length, std::size(lanas.lana)));
    if (result.adapter_numbers.size() != 1) return result;
    const UCHAR lana = result.adapter_numbers.front();

    ncb = NCB{};
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lana;
    if (::Netbios(&ncb) != NRC_GOODRET) return result;
    result.reset_ok = true;

    AdapterStatusBuffer status{};
    ncb = NCB{};
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = lana;
    ncb.ncb_callname[0] = '*';
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
    ncb.ncb_length = sizeof status;
    if (::Netbios(&ncb) != NRC_GOODRET) return result;
    result.status_ok = true;
    std::copy_n(status.status.adapter_address, result.address.size(), result.address.begin());
    return result;
  }

  std::optional<std::vector<AdapterInfo>> AdapterList() override {
    std::vector<std::uint8_t> buffer(sizeof(IP_ADAPTER_INFO));
    ULONG size = static_cast<ULONG>(buffer.size());
    DWORD status = ::GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size);
    if (status == ERROR_BUFFER_OVERFLOW) {
      buffer.resize(size);
      status = ::GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size);
    }
    if (status != NO_ERROR) return std::nullopt;
    std::vector<AdapterInfo> adapters;
    for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); a; a = a->Next) {
      AdapterInfo info;
      info.ip = FromThreadCodePage(a->IpAddressList.IpAddress.String);
      info.mask = FromThreadCodePage(a->IpAddressList.IpMask.String);
      info.gateway = FromThreadCodePage(a->GatewayList.IpAddress.String);
      info.description = FromThreadCodePage(a->Description);
      info.index = a->ComboIndex;
      info.name = FromThreadCodePage(a->AdapterName);
      info.type = a->Type;
      info.address.assign(a->Address, a->Address + std::min<UINT>(a->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH));
      adapters.push_back(std::move(info));
    }
    return adapters;
  }

  std::optional<std::vector<AdapterAddress>> AdapterAddresses() override {
    alignas(8) std::array<std::uint8_t, kAdapterAddressesBytes> buffer{};
    ULONG size = kAdapterAddressesBytes;
    if (::GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, reinterpret_cast<PIP_ADAPTER_ADDRESSES>(buffer.data()), &size) !=
        NO_ERROR) {
      return std::nullopt;
    }
    std::vector<AdapterAddress> addresses;
    for (auto* a = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); a; a = a->Next) {
      const ULONG length = std::min<ULONG>(a->PhysicalAddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
      addresses.emplace_back(a->PhysicalAddress, a->PhysicalAddress + length);
    }
    return addresses;
  }
};

}  // namespace

std::unique_ptr<AdapterSources> CreateSystemAdapterSources() { return std::make_unique<WindowsAdapterSources>(); }

}  // namespace lv
