// What the program's entry point does before the client starts, once for
// the whole test program: OLE, GDI+, the common controls and the Windows
// desktop as the platform.
#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include <gtest/gtest.h>

namespace lv::win32 {
namespace {

class Win32Environment : public testing::Environment {
 public:
  void SetUp() override {
    ::OleInitialize(nullptr);
    Gdiplus::GdiplusStartup(&gdiplus_token_, &gdiplus_input_, nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    platform_ = std::make_unique<Win32Platform>();
    SetPlatform(platform_.get());
  }

 private:
  Gdiplus::GdiplusStartupInput gdiplus_input_;
  ULONG_PTR gdiplus_token_ = 0;
  std::unique_ptr<Win32Platform> platform_;
};

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Win32Environment);

}  // namespace
}  // namespace lv::win32
