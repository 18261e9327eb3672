// static.ini: the boss key and the account identifiers, section "vy".
#include <cwchar>

#include "app/hotkey_codec.h"
#include "app/main_wnd.h"
#include "platform/os.h"

namespace lv {
namespace {

constexpr wchar_t kSection[] = L"vy";
constexpr wchar_t kKeyHotKey[] = L"hotkey";
constexpr wchar_t kKeyHotName[] = L"hotName";
constexpr wchar_t kKeyStart[] = L"start";
constexpr wchar_t kKeyFileName[] = L"filename";
constexpr wchar_t kKeyUid[] = L"uid";
constexpr wchar_t kDefaultHotKey[] = L"121";  // F10
constexpr wchar_t kDefaultHotName[] = L"F10";
constexpr int kStartSettled = 1;

}  // namespace

std::wstring CMainWnd::GetIniString(const std::wstring& key, const std::wstring& default_value) {
  if (m_strIniPath.empty()) return L"";
  return os::GetProfileString(m_strIniPath, kSection, key, default_value);
}

void CMainWnd::SetStartFlag() {
  if (!m_strIniPath.empty()) os::WriteProfileString(m_strIniPath, kSection, kKeyStart, std::to_wstring(kStartSettled));
}

void CMainWnd::LoadConfig() {
  const std::wstring hotkey = GetIniString(kKeyHotKey, kDefaultHotKey);
  m_strHotKeyName = GetIniString(kKeyHotName, kDefaultHotName);
  m_dwHotKey = hotkey.empty() ? kNoHotKey : static_cast<std::int32_t>(std::wcstol(hotkey.c_str(), nullptr, 10));

  if (!m_strIniPath.empty() && os::GetProfileInt(m_strIniPath, kSection, kKeyStart, -1) == kStartSettled) {
    m_strSuid = GetIniString(kKeyFileName, L"");
    m_strUid = GetIniString(kKeyUid, L"");
    return;
  }
  // First run: settle the identifiers from the installer's "filename".
  std::wstring name = GetIniString(kKeyFileName, L"");
  if (!name.empty()) {
    std::wstring uid;
    SplitFileName(name, uid);
    m_strUid = uid;
  }
  m_strSuid = name;
  SetStartFlag();
  if (!m_strIniPath.empty()) {
    os::WriteProfileString(m_strIniPath, kSection, kKeyFileName, m_strSuid);
    os::WriteProfileString(m_strIniPath, kSection, kKeyUid, m_strUid);
  }
}

void SplitFileName(std::wstring& name, std::wstring& uid) {
  std::wstring s = name;
  const std::size_t dot = s.rfind(L'.');
  if (dot != std::wstring::npos) s.resize(dot);
  const std::size_t underscore = s.find(L'_');
  if (underscore == std::wstring::npos) {
    uid = s;
    name.clear();
  } else {
    uid = s.substr(0, underscore);
    name = s.substr(underscore + 1);
  }
}

}  // namespace lv
