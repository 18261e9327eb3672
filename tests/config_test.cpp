#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "app/hotkey_codec.h"
#include "app/main_wnd.h"
#include "app/ravaruza_app.h"
#include "platform/os.h"
#include "support/headless_fixture.h"

namespace lv {
namespace {

TEST(StartMode, OnlyTheExactSwitchStartsHidden) {
  const struct {
    const wchar_t* line;
    int mode;
  } cases[] = {
      {L"-hh", 1},     {L"  -hh", 1},    {L"\t-hh \t", 1}, {L"-HH", 0},     {L"/hh", 0},
      {L"-h", 0},      {L"-hh x", 0},    {L"x -hh", 0},    {L"", 0},        {L"-hhh", 0},
      {L"-hh\n", 1},   {L"--hh", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CRavaRuzaApp::StartModeFor(c.line), c.mode) << '"' << ToUtf8(c.line) << '"';
}

TEST(SplitFileName, TakesTheUidBeforeTheFirstUnderscoreOfTheName) {
  const struct {
    const wchar_t *in, *uid, *out;
  } cases[] = {
      {L"12345_678.exe", L"12345", L"678"}, {L"12345.exe", L"12345", L""}, {L"a_b_c.d.exe", L"a", L"b_c.d"},
      {L"_7.exe", L"", L"7"},               {L"abc", L"abc", L""},         {L"x_", L"x", L""},
  };
  for (const auto& c : cases) {
    std::wstring name = c.in, uid = L"old";
    SplitFileName(name, uid);
    EXPECT_EQ(uid, c.uid) << ToUtf8(c.in);
    EXPECT_EQ(name, c.out) << ToUtf8(c.in);
  }
}

TEST(HotKeyCodec, ConvertsTheControlFlagsToRegistrationModifiers) {
  EXPECT_EQ(HotKeyVirtualKey(121), 121u);
  EXPECT_EQ(HotKeyFlagsToModifiers(HotKeyFlags(121)), 0u);
  const std::int32_t ctrl_alt_z = MakeHotKeyValue(HOTKEYF_CONTROL | HOTKEYF_ALT, 0x5A);
  EXPECT_EQ(ctrl_alt_z, (6 << 16) + 0x5A);
  EXPECT_EQ(HotKeyFlagsToModifiers(HotKeyFlags(ctrl_alt_z)), 3u);
  EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_SHIFT | HOTKEYF_EXT), 4u);
  EXPECT_EQ(HotKeyControlWord(121), 0x79u);
  EXPECT_EQ(HotKeyControlWord(ctrl_alt_z), 0x65Au);
  EXPECT_EQ(HotKeyControlWord(kNoHotKey), 0xFFFFu);
}

class ConfigTest : public testing::HeadlessTest {
 protected:
  std::unique_ptr<CMainWnd> Launch() {
    auto w = std::make_unique<CMainWnd>(0);
    desk.Pump();
    return w;
  }
};

TEST_F(ConfigTest, FirstRunWithoutAFileWritesTheSettledKeys) {
  auto w = Launch();
  EXPECT_EQ(w->m_dwHotKey, 121);
  EXPECT_EQ(w->m_strHotKeyName, L"F10");
  EXPECT_TRUE(w->m_strUid.empty());
  EXPECT_TRUE(w->m_strSuid.empty());
  EXPECT_EQ(folder.Read("static.ini"), "[vy]\r\nstart=1\r\nfilename=\r\nuid=\r\n");
  ASSERT_EQ(desk.hotkeys().size(), 1u);
  EXPECT_EQ(desk.hotkeys()[0].id, 1224);
  EXPECT_EQ(desk.hotkeys()[0].vk, 121u);
  EXPECT_EQ(desk.hotkeys()[0].modifiers, 0u);
}

TEST_F(ConfigTest, FirstRunSplitsTheInstallersFileName) {
  folder.Write("static.ini", "; written by the installer\r\n[other]\r\nx=1\r\n[VY]\r\nFileName=12345_678.exe\r\nstart=2\r\n");
  auto w = Launch();
  EXPECT_EQ(w->m_strUid, L"12345");
  EXPECT_EQ(w->m_strSuid, L"678");
  EXPECT_EQ(folder.Read("static.ini"),
            "; written by the installer\r\n[other]\r\nx=1\r\n[VY]\r\nFileName=678\r\nstart=1\r\nuid=12345\r\n");
}

TEST_F(ConfigTest, LaterRunsOnlyRead) {
  const std::string ini = "[vy]\nhotkey=393306\nhotName=Ctrl + Alt + Z\nstart=1\nfilename=678\nuid=12345\n";
  folder.Write("static.ini", ini);
  auto w = Launch();
  EXPECT_EQ(w->m_strSuid, L"678");
  EXPECT_EQ(w->m_strUid, L"12345");
  EXPECT_EQ(w->m_dwHotKey, (6 << 16) + 0x5A);
  EXPECT_EQ(w->m_strHotKeyName, L"Ctrl + Alt + Z");
  EXPECT_EQ(folder.Read("static.ini"), ini);
  ASSERT_EQ(desk.hotkeys().size(), 1u);
  EXPECT_EQ(desk.hotkeys()[0].modifiers, 3u);
  EXPECT_EQ(desk.hotkeys()[0].vk, 0x5Au);
}

TEST_F(ConfigTest, HotKeyTextRules) {
  const struct {
    const char* value;
    std::int32_t expected;
  } cases[] = {{"", kNoHotKey}, {"abc", 0}, {"  42xyz", 42}, {"-1", -1}, {"+7", 7}};
  for (const auto& c : cases) {
    folder.Write("static.ini", std::string("[vy]\r\nstart=1\r\nhotkey=") + c.value + "\r\n");
    auto w = Launch();
    EXPECT_EQ(w->m_dwHotKey, c.expected) << c.value;
    EXPECT_EQ(desk.hotkeys().empty(), c.expected == kNoHotKey) << c.value;
  }
}

TEST_F(ConfigTest, ReadOnlyFolderKeepsTheRunsIdentifiers) {
  folder.Write("static.ini", "[vy]\r\nfilename=zc77_9.exe\r\n");
  const std::string before = folder.Read("static.ini");
  ::chmod(folder.path().c_str(), 0555);
  ::chmod((folder / "static.ini").c_str(), 0444);
  // Root ignores file modes: run the launcher as an ordinary user meanwhile.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  auto w = Launch();
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_EQ(w->m_strUid, L"zc77");
  EXPECT_EQ(w->m_strSuid, L"9");
  EXPECT_EQ(folder.Read("static.ini"), before);
}

TEST_F(ConfigTest, ProfileValuesAreCutAt259Characters) {
  const std::string long_value(300, 'x');
  folder.Write("static.ini", "[vy]\r\nstart=1\r\nuid=" + long_value + "\r\n");
  auto w = Launch();
  EXPECT_EQ(w->m_strUid.size(), os::kProfileValueChars);
}

}  // namespace
}  // namespace lv
