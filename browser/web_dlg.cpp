#include "browser/web_dlg.h"

#include <initializer_list>
#include <string_view>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "app/operator_hosts.h"
#include "browser/key_routing.h"
#include "browser/web_ctrl_interface.h"

namespace lv {
namespace {

constexpr int kBrowserControlId = 174;
// The dialog template's nominal size; the launcher places and sizes the
// window right after creating it, and the pane follows on WM_SIZE.
constexpr Size kTemplateSize{320, 200};
// Until the first WM_SIZE the pane spans the launcher's page area, less this
// much on the right.
constexpr int kBrowserRightInset = 4;

constexpr wchar_t kAccessScheme[] = L"http://";
constexpr wchar_t kAccessPath[] = L"/game/s/wdAccess/?name=vy&uid=%s&suid=%s";
// A navigation of the page to an address with this marker opens the game.
constexpr wchar_t kGameNavigationMarker[] = L"client = 1";
// A new window for an address with this marker is the game's, not the browser's.
constexpr wchar_t kGameWindowMarker[] = L"client=1";
constexpr wchar_t kFieldSeparator = L'|';

// Each "%s" of `pattern` in turn takes the next value, inserted as it is.
std::wstring FillIn(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  std::wstring out;
  auto value = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && value != values.end()) {
      out += *value++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

bool Contains(const std::wstring& text, const wchar_t* marker) { return text.find(marker) != std::wstring::npos; }

}  // namespace

CWebDlg::CWebDlg(CMainWnd* parent) : m_pParent(parent), m_pClientSite(new CWebCtrlInterFace) {
  m_pClientSite->AddRef();
  m_pClientSite->m_pExternal = new CJSDispatch(this);
}

CWebDlg::~CWebDlg() {
  // Only a window that never got as far as its cancel path still holds these.
  if (m_pClientSite) m_pClientSite->Release();
}

bool CWebDlg::Create() {
  WindowSpec spec;
  spec.style = ws::POPUP;
  spec.rect = Rect{0, 0, kTemplateSize.cx, kTemplateSize.cy};
  spec.parent = m_pParent->GetSafeHwnd();
  // A failed initialisation destroys the window, and the window's end
  // deletes this object: nothing of it may be touched after a failure.
  return platform().CreateWindowFor(this, spec) != 0;
}

bool CWebDlg::OnInitDialog() {
  Platform& p = platform();
  m_rcBrowser = p.GetClientRect(GetSafeHwnd());
  m_rcBrowser.right = m_pParent->m_rcPage.right - kBrowserRightInset;
  m_rcBrowser.bottom = m_pParent->m_rcPage.bottom;
  m_pWebBrowser = p.CreateBrowserPane(GetSafeHwnd(), m_rcBrowser, kBrowserControlId, this);
  if (!m_pWebBrowser) return false;
  AttachClientSite(*m_pWebBrowser, m_pClientSite);

  const std::wstring address = kAccessScheme + HostOf(GetOperatorHosts().portal) +
                               FillIn(kAccessPath, {m_pParent->m_strUid, m_pParent->m_strSuid});
  m_pWebBrowser->SetSilent(true);
  m_pWebBrowser->Navigate(address);
  return true;
}

void CWebDlg::Refresh() {
  if (m_pWebBrowser) m_pWebBrowser->Refresh();
}

void CWebDlg::OnCancel() {
  ReleaseBrowser(m_pClientSite, m_pWebBrowser);
  platform().DestroyWindow(GetSafeHwnd());  // the window's end deletes this object
}

LRESULT CWebDlg::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case wm::CREATE:
      return OnInitDialog() ? 0 : -1;
    case wm::SIZE:
      OnSize(static_cast<int>(LoWord(static_cast<WPARAM>(lParam))),
             static_cast<int>(HiWord(static_cast<WPARAM>(lParam))));
      break;
    case wm::CLOSE:
      // The desktop's close (Alt+F4 through the window manager) asks as
      // Alt+F4 in the page does: the page window ends only with the launcher.
      m_pParent->ConfirmExit();
      return 0;
    case wm::NCDESTROY:
      delete this;
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void CWebDlg::OnSize(int width, int height) {
  if (!m_pWebBrowser) return;
  m_rcBrowser = Rect{0, 0, width, height};
  m_pWebBrowser->Move(m_rcBrowser, true);
}

bool CWebDlg::PreTranslateMessage(const Msg& msg) {
  if (TakePopupKey(msg)) return true;
  if (msg.message == wm::KEYDOWN && msg.wParam == vk::F5) return true;  // the list is not reloaded by hand
  if (msg.wParam == vk::BACK) return platform().IsDialogMessage(GetSafeHwnd(), msg);
  return PassKeyToPane(m_pWebBrowser.get(), msg);
}

// --- From the page's script ----------------------------------------------------

void CWebDlg::ShowBindBtn() { m_pParent->m_bHideBindBtn = 0; }

// "address|field|server name": the second field is not used, and a server
// name may itself hold "|".
void CWebDlg::OpenGame(std::wstring text) {
  std::wstring address = text;
  std::wstring server;
  const std::size_t first = text.find(kFieldSeparator);
  if (first != std::wstring::npos) {
    address = text.substr(0, first);
    server = text.substr(first + 1);
    const std::size_t second = server.find(kFieldSeparator);
    if (second != std::wstring::npos) server.erase(0, second + 1);
  }
  m_pParent->m_strGameUrl = address;
  m_pParent->m_strServerName = server;
  platform().SendMessage(m_pParent->GetSafeHwnd(), WM_OPEN_GAME, 0, 0);
}

void CWebDlg::ShowIM(std::wstring text) {
  m_pParent->m_strImParam = std::move(text);
  platform().PostMessage(m_pParent->GetSafeHwnd(), WM_SHOW_IM, 0, 0);
}

void CWebDlg::openPay(std::wstring text) { m_pParent->m_strPayUrl = std::move(text); }

// --- From the browser pane -------------------------------------------------------

void CWebDlg::OnBeforeNavigate(const std::wstring& url, bool&) {
  if (!Contains(url, kGameNavigationMarker)) return;
  m_pParent->m_strGameUrl = url;
  platform().SendMessage(m_pParent->GetSafeHwnd(), WM_OPEN_GAME, 0, 0);
}

void CWebDlg::OnNewWindow(const std::wstring& url, bool& cancel) {
  cancel = true;  // the pane never opens a window of its own
  if (Contains(url, kGameWindowMarker)) {
    m_pParent->m_strGameUrl = url;
  } else {
    platform().ShellOpen(url);
  }
}

void CWebDlg::OnDocumentComplete(const std::wstring&) {
  if (!m_pWebBrowser || !m_pWebBrowser->IsDocumentHtml() || !m_pParent->m_bFirstLoad) return;
  m_pParent->m_bFirstLoad = 0;
  // A launcher that is hidden meanwhile (boss key, a game opened during the
  // load) shows its page window itself when it comes back.
  Platform& p = platform();
  if (p.IsWindowVisible(m_pParent->GetSafeHwnd())) p.ShowWindow(GetSafeHwnd(), sw::SHOW);
}

}  // namespace lv
