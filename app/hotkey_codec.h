// The boss-key value: (hot-key control modifier flags << 16) + virtual key,
// -1 for none. The modifier flags are the hot-key control's: 1 Shift,
// 2 Ctrl, 4 Alt, 8 extended.
#pragma once

#include <cstdint>

namespace lv {

constexpr std::int32_t kNoHotKey = -1;
constexpr unsigned HOTKEYF_SHIFT = 0x01;
constexpr unsigned HOTKEYF_CONTROL = 0x02;
constexpr unsigned HOTKEYF_ALT = 0x04;
constexpr unsigned HOTKEYF_EXT = 0x08;

constexpr std::int32_t MakeHotKeyValue(unsigned modifier_flags, unsigned vk) {
  return static_cast<std::int32_t>((modifier_flags << 16) + vk);
}
constexpr unsigned HotKeyVirtualKey(std::int32_t value) { return static_cast<std::uint32_t>(value) & 0xFFFF; }
constexpr unsigned HotKeyFlags(std::int32_t value) { return (static_cast<std::uint32_t>(value) >> 16) & 0xFF; }

// RegisterHotKey's modifiers: Alt 1, Ctrl 2, Shift 4; the extended flag is dropped.
constexpr unsigned HotKeyFlagsToModifiers(unsigned flags) {
  return ((flags & HOTKEYF_ALT) ? 1u : 0u) | ((flags & HOTKEYF_CONTROL) ? 2u : 0u) |
         ((flags & HOTKEYF_SHIFT) ? 4u : 0u);
}

// The word HKM_SETHOTKEY takes: the low byte of the value as the key, the
// flags in bits 8-15. -1 gives 0xFFFF.
constexpr unsigned HotKeyControlWord(std::int32_t value) {
  return (static_cast<std::uint32_t>(value) & 0xFF) | (HotKeyFlags(value) << 8);
}

}  // namespace lv
