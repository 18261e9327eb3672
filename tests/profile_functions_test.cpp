// The profile (INI) functions behind static.ini and servers.ini. The same
// tests run on Linux against the client's own reader and writer and under
// Wine against the Windows profile functions, so both give the same files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/os.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

class ProfileFunctionsTest : public testing::Test {
 protected:
  ProfileFunctionsTest() : folder_(fs::temp_directory_path() / ("lv-profile-" + std::to_string(std::random_device()()))) {
    fs::create_directories(folder_);
  }
  ~ProfileFunctionsTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::wstring Path() const { return (folder_ / "static.ini").wstring(); }
  void Write(const std::string& bytes) const { std::ofstream(folder_ / "static.ini", std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream in(folder_ / "static.ini", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  fs::path folder_;
};

TEST_F(ProfileFunctionsTest, AMissingFileGivesTheDefaultsAndTheFirstWriteMakesIt) {
  EXPECT_EQ(os::GetProfileString(Path(), L"vy", L"hotkey", L"121"), L"121");
  EXPECT_EQ(os::GetProfileInt(Path(), L"vy", L"start", -1), -1);
  ASSERT_TRUE(os::WriteProfileString(Path(), L"vy", L"start", L"1"));
  ASSERT_TRUE(os::WriteProfileString(Path(), L"vy", L"filename", L""));
  EXPECT_EQ(Read(), "[vy]\r\nstart=1\r\nfilename=\r\n");
}

TEST_F(ProfileFunctionsTest, WritesChangeOnlyTheirKeyAndKeepEverythingElse) {
  Write("; written by the installer\r\n[other]\r\nx=1\r\n[VY]\r\nFileName=12345_678.exe\r\nstart=2\r\n");
  ASSERT_TRUE(os::WriteProfileString(Path(), L"vy", L"start", L"1"));
  ASSERT_TRUE(os::WriteProfileString(Path(), L"vy", L"filename", L"678"));
  ASSERT_TRUE(os::WriteProfileString(Path(), L"vy", L"uid", L"12345"));
  EXPECT_EQ(Read(), "; written by the installer\r\n[other]\r\nx=1\r\n[VY]\r\nFileName=678\r\nstart=1\r\nuid=12345\r\n");
}

TEST_F(ProfileFunctionsTest, ReadsMatchNamesWithoutCaseAndCutValuesAt259Characters) {
  Write("[VY]\r\nFileName=678\r\nuid=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(os::GetProfileString(Path(), L"vy", L"FILENAME", L""), L"678");
  EXPECT_EQ(os::GetProfileString(Path(), L"vy", L"uid", L"").size(), os::kProfileValueChars);
  EXPECT_EQ(os::GetProfileString(Path(), L"other", L"filename", L"none"), L"none");
}

// An empty value counts as absent, as Windows has it.
TEST_F(ProfileFunctionsTest, NumbersAreTheLeadingDigits) {
  Write("[vy]\r\nstart=1\r\nhotkey=42abc\r\nword=abc\r\nempty=\r\n");
  const struct {
    const wchar_t* key;
    int expected;
  } kCases[] = {{L"start", 1}, {L"hotkey", 42}, {L"word", 0}, {L"empty", -1}, {L"missing", -1}};
  for (const auto& c : kCases) EXPECT_EQ(os::GetProfileInt(Path(), L"vy", c.key, -1), c.expected) << c.key;
}

TEST_F(ProfileFunctionsTest, AWriteThatCannotBeMadeFails) {
  const std::wstring unreachable = (fs::path(Path()).parent_path() / "missing" / "static.ini").wstring();
  EXPECT_FALSE(os::WriteProfileString(unreachable, L"vy", L"start", L"1"));
}

}  // namespace
}  // namespace lv
