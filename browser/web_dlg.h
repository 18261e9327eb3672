// The server-list page window: a borderless popup that the launcher lays over
// its page area. It shows the operator's access page, which signs the player
// in, lists the servers and talks to the client through window.external.
#pragma once

#include <memory>
#include <string>

#include "browser/js_dispatch.h"
#include "platform/platform.h"

namespace lv {

class CMainWnd;
class CWebCtrlInterFace;

class CWebDlg : public Window, public IJSDispatch, public BrowserEvents {
 public:
  explicit CWebDlg(CMainWnd* parent);
  ~CWebDlg() override;

  // Creates the hidden window and starts loading the access page. False
  // when the page window could not start: the object has then ended itself
  // and must not be used.
  bool Create();
  // Reloads the current page.
  void Refresh();
  // Ends the window: the pane is torn down and the object deletes itself.
  void OnCancel();

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(const Msg& msg) override;

  // From the page's script.
  void ShowBindBtn() override;
  void OpenGame(std::wstring text) override;
  void ShowIM(std::wstring text) override;
  void openPay(std::wstring text) override;

  // From the browser pane.
  void OnNewWindow(const std::wstring& url, bool& cancel) override;
  void OnDocumentComplete(const std::wstring& url) override;
  void OnBeforeNavigate(const std::wstring& url, bool& cancel) override;

 private:
  bool OnInitDialog();
  void OnSize(int width, int height);

  CMainWnd* m_pParent;
  CWebCtrlInterFace* m_pClientSite;
  std::unique_ptr<BrowserPane> m_pWebBrowser;
  Rect m_rcBrowser;
};

}  // namespace lv
