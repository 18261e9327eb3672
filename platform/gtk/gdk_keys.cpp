#include "platform/gtk/gdk_keys.h"

namespace lv::gtk {
namespace {

struct KeyPair {
  unsigned vk;
  guint keyval;
};

constexpr unsigned kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;
constexpr unsigned kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkDown = 0x28,
                   kVkInsert = 0x2D, kVkDelete = 0x2E, kVkDivide = 0x6F;
constexpr unsigned kVkF1 = 0x70, kVkF24 = 0x87, kVkNumpad0 = 0x60;

// Keys outside the runs of letters, digits, function keys and keypad digits.
// clang-format off
constexpr KeyPair kKeys[] = {
    {0x08, GDK_KEY_BackSpace},   {0x09, GDK_KEY_Tab},        {0x09, GDK_KEY_ISO_Left_Tab},
    {0x0D, GDK_KEY_Return},      {0x0D, GDK_KEY_KP_Enter},   {kVkShift, GDK_KEY_Shift_L},
    {kVkShift, GDK_KEY_Shift_R}, {kVkControl, GDK_KEY_Control_L}, {kVkControl, GDK_KEY_Control_R},
    {kVkMenu, GDK_KEY_Alt_L},    {kVkMenu, GDK_KEY_Alt_R},   {0x13, GDK_KEY_Pause},
    {0x14, GDK_KEY_Caps_Lock},   {0x1B, GDK_KEY_Escape},     {0x20, GDK_KEY_space},
    {kVkPrior, GDK_KEY_Page_Up}, {kVkNext, GDK_KEY_Page_Down}, {kVkEnd, GDK_KEY_End},
    {kVkHome, GDK_KEY_Home},     {kVkLeft, GDK_KEY_Left},    {0x26, GDK_KEY_Up},
    {0x27, GDK_KEY_Right},       {kVkDown, GDK_KEY_Down},    {0x2C, GDK_KEY_Print},
    {kVkInsert, GDK_KEY_Insert}, {kVkDelete, GDK_KEY_Delete}, {0x5B, GDK_KEY_Super_L},
    {0x5C, GDK_KEY_Super_R},     {0x5D, GDK_KEY_Menu},       {0x6A, GDK_KEY_KP_Multiply},
    {0x6B, GDK_KEY_KP_Add},      {0x6C, GDK_KEY_KP_Separator}, {0x6D, GDK_KEY_KP_Subtract},
    {0x6E, GDK_KEY_KP_Decimal},  {kVkDivide, GDK_KEY_KP_Divide}, {0x90, GDK_KEY_Num_Lock},
    {0x91, GDK_KEY_Scroll_Lock}, {0xBA, GDK_KEY_semicolon},  {0xBB, GDK_KEY_equal},
    {0xBC, GDK_KEY_comma},       {0xBD, GDK_KEY_minus},      {0xBE, GDK_KEY_period},
    {0xBF, GDK_KEY_slash},       {0xC0, GDK_KEY_grave},      {0xDB, GDK_KEY_bracketleft},
    {0xDC, GDK_KEY_backslash},   {0xDD, GDK_KEY_bracketright}, {0xDE, GDK_KEY_apostrophe},
};
// clang-format on

}  // namespace

unsigned VirtualKeyFromKeyval(guint keyval) {
  keyval = gdk_keyval_to_lower(keyval);
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return 'A' + (keyval - GDK_KEY_a);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return '0' + (keyval - GDK_KEY_0);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return kVkF1 + (keyval - GDK_KEY_F1);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return kVkNumpad0 + (keyval - GDK_KEY_KP_0);
  for (const KeyPair& k : kKeys) {
    if (k.keyval == keyval) return k.vk;
  }
  return 0;
}

guint KeyvalFromVirtualKey(unsigned vk) {
  if (vk >= 'A' && vk <= 'Z') return GDK_KEY_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return GDK_KEY_0 + (vk - '0');
  if (vk >= kVkF1 && vk <= kVkF24) return GDK_KEY_F1 + (vk - kVkF1);
  if (vk >= kVkNumpad0 && vk <= kVkNumpad0 + 9) return GDK_KEY_KP_0 + (vk - kVkNumpad0);
  for (const KeyPair& k : kKeys) {
    if (k.vk == vk) return k.keyval;
  }
  return GDK_KEY_VoidSymbol;
}

unsigned VirtualKeyFromEvent(const GdkEventKey* event) {
  guint keyval = 0;
  // The key's own symbol: the keyboard's first level, without modifiers.
  if (gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gdk_display_get_default()),
                                          event->hardware_keycode, static_cast<GdkModifierType>(0), 0, &keyval,
                                          nullptr, nullptr, nullptr)) {
    if (const unsigned vk = VirtualKeyFromKeyval(keyval)) return vk;
  }
  return VirtualKeyFromKeyval(event->keyval);
}

bool IsModifierKey(unsigned vk) { return vk == kVkShift || vk == kVkControl || vk == kVkMenu; }

bool IsExtendedKey(unsigned vk) {
  return (vk >= kVkPrior && vk <= kVkDown) || vk == kVkInsert || vk == kVkDelete || vk == kVkDivide;
}

}  // namespace lv::gtk
