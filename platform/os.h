// Operating-system services that do not depend on the desktop backend: the
// same code serves the headless tests and the real program of each system.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lv::os {

// The running program file, full path.
std::wstring ModulePath();

// The program's built-in resource `id` (skin PNGs by number); empty if absent.
std::span<const std::uint8_t> LoadResourceBytes(int id);

// Asks for the debugging privilege where the system has one; failures are ignored.
void EnableDebugPrivilege();

// Gives back as much of this process's memory to the system as it can.
void TrimOwnWorkingSet();

// Profile (INI) files with the semantics of the Windows profile functions:
// section and key names match without regard to case, a value is read into a
// 260-character buffer (at most 259 characters are seen), the first write
// creates the file, and writing leaves other sections, keys and comments as
// they were. A write that cannot be made returns false and changes nothing.
constexpr std::size_t kProfileValueChars = 259;
std::wstring GetProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                              const std::wstring& default_value);
// GetPrivateProfileInt: the leading decimal digits (after blanks and a sign)
// of the value, `default_value` when the key is absent or its value empty.
int GetProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  int default_value);
bool WriteProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value);

}  // namespace lv::os
