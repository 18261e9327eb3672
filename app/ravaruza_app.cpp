#include "app/ravaruza_app.h"

#include <cwctype>

#include "app/main_wnd.h"

namespace lv {
namespace {

constexpr wchar_t kHiddenSwitch[] = L"-hh";
constexpr int kStartNormal = 0;
constexpr int kStartHidden = 1;

std::wstring Trimmed(std::wstring s) {
  while (!s.empty() && std::iswspace(s.back())) s.pop_back();
  std::size_t b = 0;
  while (b < s.size() && std::iswspace(s[b])) ++b;
  return s.substr(b);
}

}  // namespace

int CRavaRuzaApp::StartModeFor(const std::wstring& command_line) {
  return Trimmed(command_line) == kHiddenSwitch ? kStartHidden : kStartNormal;
}

bool CRavaRuzaApp::InitInstance(const std::wstring& command_line) {
  m_strCmdLine = Trimmed(command_line);
  const int mode = StartModeFor(m_strCmdLine);
  m_pMainWnd = new CMainWnd(mode);
  const Handle h = m_pMainWnd->GetSafeHwnd();
  if (platform().IsWindow(h)) {
    platform().ShowWindow(h, mode == kStartHidden ? sw::HIDE : sw::SHOW);
    platform().UpdateWindow(h);
  }
  return true;
}

int CRavaRuzaApp::Run() {
  if (!m_pMainWnd || !platform().IsWindow(m_pMainWnd->GetSafeHwnd())) return 1;
  return platform().RunMessageLoop();
}

int RunClient(const std::wstring& command_line) {
  static CRavaRuzaApp theApp;
  theApp.InitInstance(command_line);
  return theApp.Run();
}

}  // namespace lv
