#include "services/http_client.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/http_fixture.h"

namespace lv {
namespace {

using test::HttpFixture;
using test::SharedHttpFixture;

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wistringstream in(text);
  for (std::wstring line; std::getline(in, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

int ConnectionCount(const HttpFixture& server) {
  CHttpClient client;
  std::wstring count;
  EXPECT_EQ(client.HttpGet(server.Http(L"/connections"), count), kHttpGetOk);
  return std::stoi(count);
}

TEST(HttpClientTest, SendsTheRequestTheServersExpect) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client;
  std::wstring head;
  ASSERT_EQ(client.HttpGet(server->Http(L"/echo?log=a|b"), head), kHttpGetOk);
  const std::vector<std::wstring> lines = Lines(head);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], L"GET /echo?log=a|b HTTP/1.1");

  // The three headers in this order; where the library puts its User-Agent
  // line among them is its own affair (WinInet: after them).
  std::vector<std::wstring> ours, agents;
  int accept_lines = 0;
  for (const std::wstring& line : lines) {
    if (line.starts_with(L"Accept:")) ++accept_lines;
    if (line.starts_with(L"User-Agent:")) agents.push_back(line);
    if (line.starts_with(L"Accept") || line.starts_with(L"Content-Type:")) ours.push_back(line);
  }
  const std::vector<std::wstring> expected = {
      L"Accept: *,*/*",
      L"Accept-Language: zh-cn",
      L"Content-Type: application/x-www-form-urlencoded",
  };
  EXPECT_EQ(ours, expected);
  EXPECT_EQ(agents, std::vector<std::wstring>{
                        L"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)"});
  EXPECT_EQ(accept_lines, 1) << "the library's own Accept header must give way to ours";
}

struct BodyCase {
  const char* name;
  const wchar_t* path;
  std::wstring body;
};
void PrintTo(const BodyCase& c, std::ostream* out) { *out << c.name; }

class HttpClientBodyTest : public testing::TestWithParam<BodyCase> {};

// Whatever the status, the body is read whole and decoded from UTF-8.
TEST_P(HttpClientBodyTest, ReturnsTheWholeDecodedBody) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client;
  std::wstring response = L"stale";
  EXPECT_EQ(client.HttpGet(server->Http(GetParam().path), response), kHttpGetOk);
  EXPECT_EQ(response, GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, HttpClientBodyTest,
    testing::Values(BodyCase{"ErrorStatus", L"/status404", L"missing page"}, BodyCase{"Empty", L"/empty", L""},
                    BodyCase{"Chinese", L"/chinese", L"中文回应 ok"}, BodyCase{"NotUtf8", L"/latin1", L"caf\uFFFD"},
                    // A zero byte is data like any other: nothing after it is dropped.
                    BodyCase{"ZeroByte", L"/zero", std::wstring(L"head\0tail", 9) + std::wstring(2000, L'x')}),
    [](const testing::TestParamInfo<BodyCase>& info) { return std::string(info.param.name); });

TEST(HttpClientTest, RefusesOtherAddressesWithoutAnyTraffic) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  const std::wstring port = std::to_wstring(server->http_port);
  const int before = ConnectionCount(*server);
  CHttpClient client;
  for (const std::wstring& url : {L"ftp://127.0.0.1:" + port + L"/echo", std::wstring(L"file:///etc/hostname"),
                                  L"127.0.0.1:" + port + L"/echo", L"//127.0.0.1:" + port + L"/echo",
                                  L"httpx://127.0.0.1:" + port + L"/echo", std::wstring()}) {
    std::wstring response = L"stale";
    EXPECT_EQ(client.HttpGet(url, response), kHttpGetFailed) << url;
    EXPECT_EQ(response, L"") << url;
  }
  EXPECT_EQ(ConnectionCount(*server), before + 1) << "only the counting request itself may reach the server";
}

TEST(HttpClientTest, SchemeIsMatchedWithoutRegardToCase) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client;
  std::wstring response;
  EXPECT_EQ(client.HttpGet(L"HTTP://127.0.0.1:" + std::to_wstring(server->http_port) + L"/status404", response),
            kHttpGetOk);
  EXPECT_EQ(response, L"missing page");
}

TEST(HttpClientTest, RefusedConnectionFails) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client;
  std::wstring response = L"stale";
  EXPECT_EQ(client.HttpGet(L"http://127.0.0.1:" + std::to_wstring(server->closed_port) + L"/", response),
            kHttpGetFailed);
  EXPECT_EQ(response, L"");
}

TEST(HttpClientTest, SilentServerTimesOut) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client(HttpTimeouts{std::chrono::seconds(5), std::chrono::seconds(1)});
  std::wstring response = L"stale";
  EXPECT_EQ(client.HttpGet(server->Http(L"/silent"), response), kHttpGetTimeout);
  EXPECT_EQ(response, L"");
}

TEST(HttpClientTest, UntrustedCertificateFails) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  if (server->https_port == 0) GTEST_SKIP() << "openssl could not make a certificate";
  CHttpClient client;
  std::wstring response = L"stale";
  EXPECT_EQ(client.HttpGet(server->Https(L"/echo"), response), kHttpGetFailed);
  EXPECT_EQ(response, L"");
}

// The heartbeat asks again and again with one client; a failure in between
// must not spoil the requests after it.
TEST(HttpClientTest, OneClientServesRequestAfterRequest) {
  const HttpFixture* server = SharedHttpFixture();
  ASSERT_TRUE(server);
  CHttpClient client;
  std::wstring response;
  EXPECT_EQ(client.HttpGet(server->Http(L"/chinese"), response), kHttpGetOk);
  EXPECT_EQ(response, L"中文回应 ok");
  EXPECT_EQ(client.HttpGet(L"http://127.0.0.1:" + std::to_wstring(server->closed_port) + L"/", response),
            kHttpGetFailed);
  EXPECT_EQ(client.HttpGet(server->Http(L"/status404"), response), kHttpGetOk);
  EXPECT_EQ(response, L"missing page");
}

}  // namespace
}  // namespace lv
