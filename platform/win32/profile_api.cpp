// Profile files through the system's own profile functions.
#include "platform/win32/windows_api.h"

namespace lv::os {

std::wstring GetProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                              const std::wstring& default_value) {
  wchar_t value[kProfileValueChars + 1] = {};
  const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), default_value.c_str(), value,
                                             static_cast<DWORD>(std::size(value)), path.c_str());
  return std::wstring(value, n);
}

int GetProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  int default_value) {
  return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), default_value, path.c_str()));
}

bool WriteProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

}  // namespace lv::os
