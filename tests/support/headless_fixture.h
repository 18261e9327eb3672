// A fresh headless desktop and program folder for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/text.h"

namespace lv::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lv-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::wstring wide(const std::string& name = "") const { return FromUtf8((path_ / name).string()); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessTest() {
    SetPlatform(&desk);
    desk.SetModulePath(folder.wide("lumioveyra"));
  }
  ~HeadlessTest() override { SetPlatform(nullptr); }

  headless::HeadlessPlatform desk;
  TempFolder folder;
};

}  // namespace lv::testing
