// The readable name of a key combination, as a hot-key control shows it:
// "Ctrl + Alt + Z", "F10", "Shift + F1"; "无" (none) for no key and no
// modifier. Modifier flags use the hot-key control's encoding: 1 Shift,
// 2 Ctrl, 4 Alt, 8 extended (not named).
#pragma once

#include <string>

namespace lv {

std::wstring HotKeyName(unsigned vk, unsigned modifier_flags);

}  // namespace lv
