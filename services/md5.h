// The MD5 digest (RFC 1321) of a text's bytes in the ANSI code page, as 32
// lowercase hexadecimal digits. Stateless; any thread.
#pragma once

#include <string>

namespace lv {

std::wstring MD5Hex(const std::wstring& text);

}  // namespace lv
