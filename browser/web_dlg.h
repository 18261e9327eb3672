// The server-list page window: a borderless popup over the launcher's page
// area that shows the operator's access page.
#pragma once

#include "platform/platform.h"

namespace lv {

class CMainWnd;

class CWebDlg : public Window {
 public:
  explicit CWebDlg(CMainWnd* parent);

  // Creates the (hidden) window. False when it could not start; the object
  // has then deleted itself.
  bool Create();
  // Reloads the current page.
  void Refresh();
  // Ends the window; the object deletes itself.
  void OnCancel();

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;

 private:
  CMainWnd* m_pParent;
};

}  // namespace lv
