// UTF-8 to and from wide text of either width: 32-bit code units hold a code
// point each, 16-bit ones (Windows' wchar_t) use surrogate pairs above U+FFFF.
// Written over the unit type so that both widths are checked on any system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace lv::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

template <class Unit>
void AppendCodePoint(std::basic_string<Unit>& out, char32_t cp) {
  if constexpr (sizeof(Unit) == 2) {
    if (cp > 0xFFFF) {
      cp -= 0x10000;
      out.push_back(static_cast<Unit>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<Unit>(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<Unit>(cp));
}

// Each maximal ill-formed subsequence becomes one U+FFFD (the Unicode
// recommendation, which MultiByteToWideChar follows): overlong forms,
// encoded surrogates and values past U+10FFFF are ill-formed.
template <class Unit>
std::basic_string<Unit> Decode(std::string_view bytes) {
  std::basic_string<Unit> out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<Unit>(lead));
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0) {
      AppendCodePoint(out, kReplacement);
      ++i;
      continue;
    }
    char32_t cp = lead & (0xFF >> (length + 1));
    std::size_t taken = 1;
    for (; taken < length && i + taken < bytes.size(); ++taken) {
      const auto next = static_cast<std::uint8_t>(bytes[i + taken]);
      if (next < low || next > high) break;
      cp = (cp << 6) | (next & 0x3F);
      low = 0x80;
      high = 0xBF;
    }
    AppendCodePoint(out, taken == length ? cp : kReplacement);
    i += taken;
  }
  return out;
}

inline void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// A surrogate without its partner, or a unit past U+10FFFF, becomes U+FFFD.
template <class Unit>
std::string Encode(std::basic_string_view<Unit> text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = static_cast<std::make_unsigned_t<Unit>>(text[i]);
    const bool high = cp >= 0xD800 && cp <= 0xDBFF;
    const bool low = cp >= 0xDC00 && cp <= 0xDFFF;
    if constexpr (sizeof(Unit) == 2) {
      if (high && i + 1 < text.size()) {
        const char32_t next = static_cast<std::make_unsigned_t<Unit>>(text[i + 1]);
        if (next >= 0xDC00 && next <= 0xDFFF) {
          AppendUtf8(out, 0x10000 + ((cp - 0xD800) << 10) + (next - 0xDC00));
          ++i;
          continue;
        }
      }
    }
    if (high || low || cp > 0x10FFFF) cp = kReplacement;
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace lv::utf8
