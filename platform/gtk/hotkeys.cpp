// System-wide hot keys through keybinder, which grabs the key on the root
// window: another X client holding the same combination makes the grab, and
// so the registration, fail.
#include <keybinder.h>

#include <climits>

#include "platform/gtk/gdk_keys.h"
#include "platform/gtk/gtk_platform.h"

namespace lv::gtk {
namespace {

std::string Accelerator(unsigned modifiers, guint keyval) {
  std::string out;
  if (modifiers & mod::CONTROL) out += "<Ctrl>";
  if (modifiers & mod::ALT) out += "<Alt>";
  if (modifiers & mod::SHIFT) out += "<Shift>";
  return out + gdk_keyval_name(keyval);
}

}  // namespace

void GtkPlatform::OnHotKey(const char*, void* binding) {
  const auto* k = static_cast<const HotKey*>(binding);
  Instance().PostMessage(k->h, wm::HOTKEY, static_cast<WPARAM>(k->id), 0);
}

bool GtkPlatform::RegisterHotKey(Handle h, int id, unsigned modifiers, unsigned vk) {
  // Refused as on Windows: an id in use, or a key another registration holds.
  if (!IsWindow(h) || hotkeys_.count({h, id})) return false;
  for (const auto& [key, k] : hotkeys_) {
    if (k.modifiers == modifiers && k.vk == vk) return false;
  }
  const guint keyval = KeyvalFromVirtualKey(vk);
  if (keyval == GDK_KEY_VoidSymbol) return false;
  static const bool initialised = (keybinder_init(), true);
  (void)initialised;
  // The map's node stays where it is until it is erased: keybinder keeps its address.
  HotKey& k = hotkeys_[{h, id}] = HotKey{h, id, modifiers, vk, Accelerator(modifiers, keyval)};
  if (!keybinder_bind(k.accelerator.c_str(), OnHotKey, &k)) {
    hotkeys_.erase({h, id});
    return false;
  }
  return true;
}

void GtkPlatform::UnregisterHotKey(Handle h, int id) {
  auto it = hotkeys_.find({h, id});
  if (it == hotkeys_.end()) return;
  // Accelerators are unique here, so this drops exactly this binding.
  keybinder_unbind(it->second.accelerator.c_str(), OnHotKey);
  hotkeys_.erase(it);
}

void GtkPlatform::DropHotKeys(Handle h) {
  for (auto it = hotkeys_.lower_bound({h, INT_MIN}); it != hotkeys_.end() && it->first.first == h;) {
    keybinder_unbind(it->second.accelerator.c_str(), OnHotKey);
    it = hotkeys_.erase(it);
  }
}

}  // namespace lv::gtk
