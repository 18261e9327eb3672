#include "platform/common/key_names.h"

namespace lv {
namespace {

constexpr wchar_t kNoKeyName[] = L"无";
constexpr wchar_t kSeparator[] = L" + ";
constexpr unsigned kFlagShift = 1, kFlagControl = 2, kFlagAlt = 4;

struct KeyName {
  unsigned vk;
  const wchar_t* name;
};

// Keys outside the runs of letters, digits, function keys and keypad digits.
constexpr KeyName kNames[] = {
    {0x08, L"Backspace"}, {0x09, L"Tab"},         {0x0D, L"Enter"},     {0x10, L"Shift"}, {0x11, L"Ctrl"},
    {0x12, L"Alt"},       {0x13, L"Pause"},       {0x14, L"Caps Lock"}, {0x1B, L"Esc"},   {0x20, L"Space"},
    {0x21, L"Page Up"},   {0x22, L"Page Down"},   {0x23, L"End"},       {0x24, L"Home"},  {0x25, L"Left"},
    {0x26, L"Up"},        {0x27, L"Right"},       {0x28, L"Down"},      {0x2C, L"Print"}, {0x2D, L"Insert"},
    {0x2E, L"Delete"},    {0x5B, L"Left Win"},    {0x5C, L"Right Win"}, {0x5D, L"Menu"},  {0x6A, L"Num *"},
    {0x6B, L"Num +"},     {0x6C, L"Num ,"},       {0x6D, L"Num -"},     {0x6E, L"Num ."}, {0x6F, L"Num /"},
    {0x90, L"Num Lock"},  {0x91, L"Scroll Lock"}, {0xBA, L";"},         {0xBB, L"="},     {0xBC, L","},
    {0xBD, L"-"},         {0xBE, L"."},           {0xBF, L"/"},         {0xC0, L"`"},     {0xDB, L"["},
    {0xDC, L"\\"},        {0xDD, L"]"},           {0xDE, L"'"},
};

std::wstring KeyOnly(unsigned vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::wstring(1, static_cast<wchar_t>(vk));
  if (vk >= 0x70 && vk <= 0x87) return L"F" + std::to_wstring(vk - 0x70 + 1);
  if (vk >= 0x60 && vk <= 0x69) return L"Num " + std::to_wstring(vk - 0x60);
  for (const KeyName& k : kNames) {
    if (k.vk == vk) return k.name;
  }
  return L"";  // no key, or a code no keyboard names: the modifiers alone show
}

}  // namespace

std::wstring HotKeyName(unsigned vk, unsigned modifier_flags) {
  static constexpr struct {
    unsigned flag;
    const wchar_t* name;
  } kModifiers[] = {{kFlagControl, L"Ctrl"}, {kFlagShift, L"Shift"}, {kFlagAlt, L"Alt"}};
  std::wstring out;
  auto add = [&out](const std::wstring& part) { out += (out.empty() ? L"" : kSeparator) + part; };
  for (const auto& m : kModifiers) {
    if (modifier_flags & m.flag) add(m.name);
  }
  if (const std::wstring key = KeyOnly(vk); !key.empty()) add(key);
  return out.empty() ? kNoKeyName : out;
}

}  // namespace lv
