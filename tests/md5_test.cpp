#include "services/md5.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>

namespace lv {
namespace {

// The reference: OpenSSL's MD5 of the bytes, as lowercase hex.
std::wstring ReferenceHex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_md5(), nullptr);
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex.push_back(kDigits[digest[i] >> 4]);
    hex.push_back(kDigits[digest[i] & 0xF]);
  }
  return hex;
}

TEST(MD5Test, MatchesTheRfc1321TestSuite) {
  const struct {
    const wchar_t* text;
    const wchar_t* digest;
  } kCases[] = {
      {L"", L"d41d8cd98f00b204e9800998ecf8427e"},
      {L"a", L"0cc175b9c0f1b6a831c399e269772661"},
      {L"abc", L"900150983cd24fb0d6963f7d28e17f72"},
      {L"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
      {L"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
      {L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"d174ab98d277d9f5a5611c2c9f419d9f"},
      {L"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       L"57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : kCases) EXPECT_EQ(MD5Hex(c.text), c.digest) << c.text;
}

// Every length around the block and padding boundaries (55, 56, 63, 64, 65,
// 119, 120, 128...), with text that differs from length to length.
TEST(MD5Test, AgreesWithOpenSslAtEveryLengthUpTo130) {
  for (std::size_t length = 0; length <= 130; ++length) {
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i) bytes.push_back(static_cast<char>(' ' + (i * 7 + length) % 95));
    EXPECT_EQ(MD5Hex(std::wstring(bytes.begin(), bytes.end())), ReferenceHex(bytes)) << "length " << length;
  }
}

// Text is hashed in the ANSI code page (GBK), not as UTF-8 or UTF-16;
// a character GBK cannot hold counts as "?".
TEST(MD5Test, HashesTheAnsiCodePageBytes) {
  EXPECT_EQ(MD5Hex(L"中文"), ReferenceHex("\xD6\xD0\xCE\xC4"));
  EXPECT_NE(MD5Hex(L"中文"), ReferenceHex("\xE4\xB8\xAD\xE6\x96\x87"));
  EXPECT_EQ(MD5Hex(L"vy|用户|4"), ReferenceHex("vy|\xD3\xC3\xBB\xA7|4"));
  EXPECT_EQ(MD5Hex(L"a\U0001F600b"), ReferenceHex("a?b"));
}

}  // namespace
}  // namespace lv
