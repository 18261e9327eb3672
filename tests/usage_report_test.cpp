#include "services/usage_report.h"

#include <gtest/gtest.h>

#include "services/http_client.h"
#include "tests/http_fixture.h"

namespace lv {
namespace {

constexpr wchar_t kBase[] = L"http://127.0.0.1:8080";
constexpr wchar_t kMac[] = L"00-1A-2B-3C-4D-5E";
constexpr std::int64_t kNow = 1700000000;

struct ReportCase {
  const char* name;
  std::wstring uid;
  std::int64_t now;
  std::wstring url;  // signatures computed independently, with Python's hashlib
};
void PrintTo(const ReportCase& c, std::ostream* out) { *out << c.name; }

class UsageReportUrlTest : public testing::TestWithParam<ReportCase> {};

TEST_P(UsageReportUrlTest, SignsAndAddressesTheLogLine) {
  EXPECT_EQ(BuildUsageReportUrl(GetParam().uid, L"vy", L"4", kMac, GetParam().now, kBase), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, UsageReportUrlTest,
    testing::Values(
        // Only a leading lower-case "zc" goes.
        ReportCase{"RegisteredUid", L"zc12345", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|12345|4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"7cb308be5dd80a13b412e42c429b7874"},
        ReportCase{"UpperCasePrefixStays", L"ZC12345", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|ZC12345|4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"2c81e79a75f896abdeecc577ff46c8f7"},
        ReportCase{"PrefixOnly", L"zc", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy||4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"244a06d5e4ca2bb778f4d6b0af44767e"},
        ReportCase{"NoPrefix", L"abc", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|abc|4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"0141f89fb848f89b5c5a03249cee3bdc"},
        ReportCase{"OneCharacter", L"z", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|z|4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"cb39c0da8d41c91963c864e03fda2071"},
        // A second later, another signature.
        ReportCase{"NextSecond", L"zc12345", kNow + 1,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|12345|4|159372|||||00-1A-2B-3C-4D-5E|1700000001|"
                   L"a0f36abc446fd82fd82d72f67f7daf14"},
        // The time is printed as its low 32 bits, signed.
        ReportCase{"TimeWrapsTo32Bits", L"u", 4294967296LL + 5,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|u|4|159372|||||00-1A-2B-3C-4D-5E|5|"
                   L"4a33155b219bd7519bf63bb9efddbde9"},
        ReportCase{"TimeNegative", L"u", 2147483648LL,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|u|4|159372|||||00-1A-2B-3C-4D-5E|-2147483648|"
                   L"d3db9d9641c15dee2a695ee6a2556aaa"},
        // Characters that would break the request or change what the
        // receiver reads are escaped; the signature covers the line itself.
        ReportCase{"EscapesWhatBreaksRequests", L"a b\r\nX:1&k=v#f%41+\x7f|\x01", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|a%20b%0D%0AX:1%26k=v%23f%2541%2B%7F|%01|4|159372"
                   L"|||||00-1A-2B-3C-4D-5E|1700000000|47be48d4bce5d7db8316f9695f8a1b92"},
        // Hashed as GBK bytes; sent as it is.
        ReportCase{"ChineseUid", L"用户", kNow,
                   L"http://127.0.0.1:8080/receive/micoclient?log=vy|用户|4|159372|||||00-1A-2B-3C-4D-5E|1700000000|"
                   L"e8ae2be619506a8a7528636faad531fe"}),
    [](const testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

// The receiver gets the address byte for byte: one request line, its "|"
// characters not escaped, and nothing in the user id turned into a header.
TEST(UsageReportTest, ReceiverSeesTheLineAsBuilt) {
  const test::HttpFixture* server = test::SharedHttpFixture();
  ASSERT_TRUE(server);
  const std::wstring base = server->Http(L"");
  for (const std::wstring uid : {L"zc12345", L"a b\r\nX-Injected: 1"}) {
    const std::wstring url = BuildUsageReportUrl(uid, L"vy", L"4", kMac, kNow, base);
    CHttpClient client;
    std::wstring head;
    ASSERT_EQ(client.HttpGet(url, head), kHttpGetOk) << url;
    EXPECT_EQ(head.substr(0, head.find(L"\r\n")), L"GET " + url.substr(base.size()) + L" HTTP/1.1");
    EXPECT_EQ(head.find(L"\nX-Injected"), std::wstring::npos) << head;
  }
}

}  // namespace
}  // namespace lv
