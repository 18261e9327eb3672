// The log-line signature against OpenSSL's MD5 of the same bytes. The
// "x_openssl" counter is MD5Hex's time per line over OpenSSL's.
#include <benchmark/benchmark.h>

// MD5() is deprecated in OpenSSL 3 in favour of EVP, whose per-call set-up
// would flatter the comparison; the plain function is the fairer yardstick.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/md5.h>

#include <chrono>
#include <string>

#include "services/md5.h"

namespace {

// What the usage report signs: a log line and the salt.
const std::wstring kLine = L"vy|12345|4|159372|||||00-1A-2B-3C-4D-5E|1700000000Hq4&Zt8#Wn3e";
const std::string kLineBytes(kLine.begin(), kLine.end());

std::wstring OpenSslHex(const std::string& bytes) {
  unsigned char digest[MD5_DIGEST_LENGTH];
  MD5(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring hex;
  hex.reserve(2 * MD5_DIGEST_LENGTH);
  for (unsigned char b : digest) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0xF]);
  }
  return hex;
}

using Clock = std::chrono::steady_clock;

void BM_MD5Hex(benchmark::State& state) {
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(lv::MD5Hex(kLine));
  const std::chrono::duration<double> ours = Clock::now() - start;

  const auto reference_start = Clock::now();
  for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) benchmark::DoNotOptimize(OpenSslHex(kLineBytes));
  const std::chrono::duration<double> reference = Clock::now() - reference_start;
  state.counters["x_openssl"] = ours / reference;
}
BENCHMARK(BM_MD5Hex);

void BM_OpenSslMD5Hex(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(OpenSslHex(kLineBytes));
}
BENCHMARK(BM_OpenSslMD5Hex);

}  // namespace
