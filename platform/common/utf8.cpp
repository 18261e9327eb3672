#include "platform/common/utf8_codec.h"
#include "platform/text.h"

namespace lv {

std::string ToUtf8(std::wstring_view text) { return utf8::Encode<wchar_t>(text); }

std::wstring FromUtf8(std::string_view bytes) { return utf8::Decode<wchar_t>(bytes); }

}  // namespace lv
