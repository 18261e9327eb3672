// The skin PNGs as the program's own resources: type "PNG", their numbers,
// Simplified Chinese (res/lumioveyra.rc).
#include "platform/win32/windows_api.h"

namespace lv::os {

std::span<const std::uint8_t> LoadResourceBytes(int id) {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC found = ::FindResourceExW(module, L"PNG", MAKEINTRESOURCEW(id),
                                        MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  if (!found) return {};
  const HGLOBAL loaded = ::LoadResource(module, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found)};
}

}  // namespace lv::os
