// Windows virtual-key codes and GDK key values: one table, so that a key
// number in static.ini means the same key on every desktop (121 is F10,
// 0x5A is Z).
#pragma once

#include <gdk/gdk.h>

namespace lv::gtk {

// 0 for a key the client has no code for.
unsigned VirtualKeyFromKeyval(guint keyval);
// GDK_KEY_VoidSymbol for a code without a key.
guint KeyvalFromVirtualKey(unsigned vk);
// The key of a key event, whatever Shift or Caps Lock make of it: Shift+1
// is still the key 1.
unsigned VirtualKeyFromEvent(const GdkEventKey* event);

// The virtual keys of the modifier keys themselves.
bool IsModifierKey(unsigned vk);
// Keys that Windows reports with the extended flag: the navigation block,
// the arrows and the keypad's divide.
bool IsExtendedKey(unsigned vk);

}  // namespace lv::gtk
