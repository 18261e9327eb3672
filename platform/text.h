// Text is wide inside the client; these convert at its edges.
#pragma once

#include <string>
#include <string_view>

namespace lv {

std::string ToUtf8(std::wstring_view text);
// Invalid sequences become U+FFFD, as MultiByteToWideChar does.
std::wstring FromUtf8(std::string_view bytes);

// The system's ANSI code page (GBK, code page 936, where the system has no
// such setting). Characters it cannot hold become its default character "?".
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace lv
