#include <gtest/gtest.h>

#include "platform/common/utf8_codec.h"
#include "platform/text.h"

namespace lv {
namespace {

// Both widths of wide text: Linux's 32-bit wchar_t and Windows' 16-bit one.
template <class Unit>
class Utf8Test : public testing::Test {};
using UnitTypes = testing::Types<char16_t, char32_t>;
TYPED_TEST_SUITE(Utf8Test, UnitTypes);

TYPED_TEST(Utf8Test, DecodesAndReplacesEachIllFormedPiece) {
  using String = std::basic_string<TypeParam>;
  const struct {
    std::string bytes;
    std::u32string text;
  } kCases[] = {
      {"plain ascii", U"plain ascii"},
      {"\xE4\xB8\xAD\xE6\x96\x87", U"中文"},
      {"\xF0\x9F\x98\x80!", U"\U0001F600!"},  // above U+FFFF: a surrogate pair in 16-bit units
      {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
      {"\xC0\xAF", U"\uFFFD\uFFFD"},                // overlong
      {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},      // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},      // an encoded surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xFF", U"\uFFFD"},
      {"a\xE4\xB8", U"a\uFFFD"},  // cut off at the end: one replacement
      {"a\xE4\xB8z", U"a\uFFFDz"},
      {"\x80\x80", U"\uFFFD\uFFFD"},  // stray continuation bytes
  };
  for (const auto& c : kCases) {
    String expected;
    for (char32_t cp : c.text) utf8::AppendCodePoint(expected, cp);
    EXPECT_TRUE(utf8::Decode<TypeParam>(c.bytes) == expected) << c.bytes;
  }
}

TYPED_TEST(Utf8Test, EncodesAndReplacesLoneSurrogates) {
  using String = std::basic_string<TypeParam>;
  String text;
  for (char32_t cp : std::u32string_view(U"中 \U0001F600")) utf8::AppendCodePoint(text, cp);
  EXPECT_EQ(utf8::Encode<TypeParam>(text), "\xE4\xB8\xAD \xF0\x9F\x98\x80");
  const String lone = {static_cast<TypeParam>(0xD800), static_cast<TypeParam>('x'), static_cast<TypeParam>(0xDC00)};
  EXPECT_EQ(utf8::Encode<TypeParam>(lone), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

TEST(TextTest, WideTextRoundTripsThroughUtf8) {
  const std::wstring text = L"vy|用户|\U0001F600|caf\u00e9";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(TextTest, AnsiIsGbkWithQuestionMarksForTheRest) {
  EXPECT_EQ(ToAnsi(L"abc"), "abc");
  EXPECT_EQ(ToAnsi(L"中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(ToAnsi(L"a\U0001F600b"), "a?b");
  EXPECT_EQ(FromAnsi("\xD6\xD0\xCE\xC4 ok"), L"中文 ok");
  EXPECT_EQ(FromAnsi("a\xFF" "b"), L"a?b");  // no such byte in GBK
  EXPECT_EQ(FromAnsi("a\xD6"), L"a?");       // cut off inside a character
}

}  // namespace
}  // namespace lv
