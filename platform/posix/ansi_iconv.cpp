// The ANSI code page through iconv. A Linux system has no such setting, so it
// is the client's own: code page 936 (GBK), the one of its Chinese texts.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <type_traits>

#include "platform/text.h"

namespace lv {
namespace {

constexpr char kAnsiCodePage[] = "CP936";
constexpr char kWide[] = "WCHAR_T";
constexpr char kDefaultChar = '?';

// One iconv descriptor per direction and thread: opening one costs far more
// than the short texts converted with it.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `size` bytes at `data`, putting `replacement` in place of each `unit`-byte piece
  // of input that the target cannot take (or that does not form a character).
  std::string Run(const char* data, std::size_t size, std::size_t unit, std::string_view replacement) {
    std::string out;
    if (!ok()) return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(data);
    std::size_t in_left = size;
    char buffer[1024];
    while (in_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      const std::size_t result = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ: a character without a mapping or bytes that form none;
      // EINVAL: the input ends inside a character.
      out.append(replacement);
      const std::size_t skip = errno == EINVAL ? in_left : std::min(unit, in_left);
      in += skip;
      in_left -= skip;
    }
    return out;
  }

 private:
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

bool IsAscii(std::wstring_view text) {
  for (wchar_t c : text) {
    if (static_cast<std::make_unsigned_t<wchar_t>>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  // ASCII is the same in every ANSI code page, and the texts hashed for the
  // usage report nearly always are.
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  thread_local Converter to_ansi(kAnsiCodePage, kWide);
  return to_ansi.Run(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t), sizeof(wchar_t),
                     std::string_view(&kDefaultChar, 1));
}

std::wstring FromAnsi(std::string_view bytes) {
  thread_local Converter from_ansi(kWide, kAnsiCodePage);
  const wchar_t replacement = kDefaultChar;
  const std::string wide = from_ansi.Run(bytes.data(), bytes.size(), 1,
                                         std::string_view(reinterpret_cast<const char*>(&replacement), sizeof replacement));
  std::wstring text(wide.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), wide.data(), text.size() * sizeof(wchar_t));
  return text;
}

}  // namespace lv
