#include "browser/web_dlg.h"

#include "app/main_wnd.h"

namespace lv {

CWebDlg::CWebDlg(CMainWnd* parent) : m_pParent(parent) {}

bool CWebDlg::Create() {
  WindowSpec spec;
  spec.style = ws::POPUP;
  spec.parent = m_pParent->GetSafeHwnd();
  if (platform().CreateWindowFor(this, spec) == 0) {
    delete this;
    return false;
  }
  return true;
}

void CWebDlg::Refresh() {}

void CWebDlg::OnCancel() { platform().DestroyWindow(GetSafeHwnd()); }

LRESULT CWebDlg::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  if (message == wm::NCDESTROY) {
    delete this;
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace lv
