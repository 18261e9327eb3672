// The HTTP test server (tests/support/http_fixture_server.py) on 127.0.0.1,
// started once for the whole test program on first use.
#pragma once

#include <string>

namespace lv::test {

struct HttpFixture {
  int http_port = 0;
  int closed_port = 0;  // bound, never listening: connections are refused
  int https_port = 0;   // self-signed certificate for another host name; 0 if none could be made

  std::wstring Http(const std::wstring& path) const;  // "http://127.0.0.1:<port>" + path
  std::wstring Https(const std::wstring& path) const;
};

// Fails the calling test (and returns null) when the server cannot be started.
const HttpFixture* SharedHttpFixture();

}  // namespace lv::test
