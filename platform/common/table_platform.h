// Window creation, destruction and default processing for the backends that
// keep their own handle table. A backend adds only the native side.
#pragma once

#include "platform/common/window_table.h"

namespace lv {

class TablePlatform : public Platform {
 public:
  Handle CreateWindowFor(Window* window, const WindowSpec& spec) override;
  void DestroyWindow(Handle h) override;
  bool IsWindow(Handle h) override;
  LRESULT SendMessage(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(Handle h, unsigned message, WPARAM wParam, LPARAM lParam) override;
  // These windows have no frame: the client area is the whole window.
  Rect GetClientRect(Handle h) override;
  Point ScreenToClient(Handle h, Point p) override;

 protected:
  WindowTable& table() { return table_; }
  // A control window (a browser pane) under `parent`: a handle without a
  // window object, destroyed with its parent.
  Handle AddControl(Handle parent, const Rect& rect);

  // The native side. NativeCreate runs before WM_CREATE, NativeDestroy after
  // WM_DESTROY and the children's destruction.
  virtual void NativeCreate(Handle h, const WindowSpec& spec) = 0;
  virtual void NativeDestroy(Handle h) = 0;
  virtual void BeginMoveDrag(Handle h) = 0;
  virtual void BeginResizeDrag(Handle h, int hit_test_edge) = 0;

 private:
  WindowTable table_;
};

}  // namespace lv
