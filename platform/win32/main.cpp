// The Windows program's entry point: OLE on this thread (a single-threaded
// apartment, for the WebBrowser control), GDI+ and the common controls, then
// the client with the command line after the program's name.
#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include "app/ravaruza_app.h"

namespace {

// What follows the program's name on the command line, as the C runtime
// hands it to WinMain: the name is quoted or ends at the first blank, and
// the blanks after it are skipped.
std::wstring CommandTail(const wchar_t* command_line) {
  const wchar_t* p = command_line;
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p > L' ') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::OleInitialize(nullptr);
  Gdiplus::GdiplusStartupInput gdiplus_input;
  ULONG_PTR gdiplus_token = 0;
  Gdiplus::GdiplusStartup(&gdiplus_token, &gdiplus_input, nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  // Never deleted: detached worker threads may reach it until the process ends.
  auto* platform = new lv::win32::Win32Platform();
  lv::SetPlatform(platform);
  return lv::RunClient(CommandTail(::GetCommandLineW()));
}
