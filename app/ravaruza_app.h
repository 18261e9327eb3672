// The application object: reads the command line, creates the launcher in
// normal or hidden mode and runs the message loop until the launcher is gone.
#pragma once

#include <string>

namespace lv {

class CMainWnd;

// The application's name: the launcher's title, the tray tip and the caption
// of the program's own message boxes.
constexpr wchar_t kAppName[] = L"LumioVeyra";

class CRavaRuzaApp {
 public:
  // "-hh" alone (blanks around it allowed) starts hidden; anything else normally.
  static int StartModeFor(const std::wstring& command_line);

  // Creates and shows (or keeps hidden) the launcher. Always true.
  bool InitInstance(const std::wstring& command_line);
  // The message loop; its exit code. A launcher that could not be created
  // ends the program at once with exit code 1.
  int Run();

  std::wstring m_strCmdLine;
  CMainWnd* m_pMainWnd = nullptr;
};

// Everything a backend's entry point does once its platform is set.
int RunClient(const std::wstring& command_line);

}  // namespace lv
