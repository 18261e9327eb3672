// The HTTP test server for the tests under Wine: scripts/windows.sh starts
// tests/support/http_fixture_server.py on the Linux side and hands its ports
// over in LV_HTTP_FIXTURE_PORTS ("<http> <closed> <https>").
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tests/http_fixture.h"

namespace lv::test {
namespace {

constexpr char kPortsVariable[] = "LV_HTTP_FIXTURE_PORTS";

std::wstring Base(const wchar_t* scheme, int port) {
  return std::wstring(scheme) + L"://127.0.0.1:" + std::to_wstring(port);
}

}  // namespace

std::wstring HttpFixture::Http(const std::wstring& path) const { return Base(L"http", http_port) + path; }
std::wstring HttpFixture::Https(const std::wstring& path) const { return Base(L"https", https_port) + path; }

const HttpFixture* SharedHttpFixture() {
  static const HttpFixture fixture = [] {
    HttpFixture f;
    if (const char* ports = std::getenv(kPortsVariable)) std::istringstream(ports) >> f.http_port >> f.closed_port >> f.https_port;
    return f;
  }();
  if (fixture.http_port > 0) return &fixture;
  ADD_FAILURE() << kPortsVariable << " does not name the HTTP test server's ports";
  return nullptr;
}

}  // namespace lv::test
