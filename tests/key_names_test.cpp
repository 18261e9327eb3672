// The names the hot-key controls give key combinations.
#include "platform/common/key_names.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(KeyNames, NameTheModifiersThenTheKey) {
  struct Case {
    unsigned vk, flags;
    const wchar_t* name;
  } const cases[] = {
      {0x5A, 6, L"Ctrl + Alt + Z"},  // the usual boss key
      {121, 0, L"F10"},              // the default one
      {0x70, 1, L"Shift + F1"},
      {0x41, 7, L"Ctrl + Shift + Alt + A"},
      {0x87, 0, L"F24"},
      {0x35, 2, L"Ctrl + 5"},
      {0x60, 4, L"Alt + Num 0"},
      {0x6F, 8, L"Num /"},  // the extended flag has no name
      {0x2E, 2 | 8, L"Ctrl + Delete"},
      {0xBA, 2, L"Ctrl + ;"},
      {0xDE, 1, L"Shift + '"},
      {0x1B, 0, L"Esc"},
      {0, 0, L"无"},                        // nothing chosen
      {0, 2, L"Ctrl"},                      // modifiers without a key
      {0xFF, 0xFF, L"Ctrl + Shift + Alt"},  // the preset of "no boss key": no key has code 0xFF
  };
  for (const Case& c : cases) EXPECT_EQ(HotKeyName(c.vk, c.flags), c.name) << c.vk << " " << c.flags;
}

}  // namespace
}  // namespace lv
