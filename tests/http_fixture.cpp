#include "tests/http_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

namespace lv::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kStartLimit = std::chrono::seconds(60);  // includes making a certificate

const fs::path kScript = fs::path(__FILE__).parent_path() / "support" / "http_fixture_server.py";

// The server lives as long as the test program: it stops when its standard
// input, the pipe held here, closes.
class ServerProcess {
 public:
  ServerProcess() {
    folder_ = fs::temp_directory_path() / ("lv-http-fixture-" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
    const fs::path port_file = folder_ / "ports";
    const std::string command = "python3 '" + kScript.string() + "' '" + port_file.string() + "'";
    pipe_ = popen(command.c_str(), "we");
    if (pipe_ == nullptr) return;
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!fs::exists(port_file) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::ifstream in(port_file);
    in >> fixture_.http_port >> fixture_.closed_port >> fixture_.https_port;
  }
  ~ServerProcess() {
    if (pipe_ != nullptr) pclose(pipe_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  const HttpFixture* fixture() const { return fixture_.http_port > 0 ? &fixture_ : nullptr; }

 private:
  fs::path folder_;
  FILE* pipe_ = nullptr;
  HttpFixture fixture_;
};

std::wstring Base(const wchar_t* scheme, int port) {
  return std::wstring(scheme) + L"://127.0.0.1:" + std::to_wstring(port);
}

}  // namespace

std::wstring HttpFixture::Http(const std::wstring& path) const { return Base(L"http", http_port) + path; }

std::wstring HttpFixture::Https(const std::wstring& path) const { return Base(L"https", https_port) + path; }

const HttpFixture* SharedHttpFixture() {
  static const ServerProcess server;
  const HttpFixture* fixture = server.fixture();
  EXPECT_NE(fixture, nullptr) << "the HTTP test server did not start: " << kScript;
  return fixture;
}

}  // namespace lv::test
