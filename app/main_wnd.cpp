#include "app/main_wnd.h"

#include <thread>

#include "app/hotkey_codec.h"
#include "app/messages.h"
#include "app/operator_hosts.h"
#include "app/ravaruza_app.h"
#include "browser/web_dlg.h"
#include "game/vaziv_game.h"
#include "platform/os.h"
#include "services/usage_report.h"

namespace lv {

CMainWnd* g_pMainWnd = nullptr;

namespace {

constexpr wchar_t kLauncherClassName[] = L"RavaRuza";
constexpr wchar_t kIniFileName[] = L"static.ini";
constexpr wchar_t kExitQuestion[] = L"确定要退出吗？";
constexpr unsigned kReportDelayMs = 10000;
constexpr wchar_t kReportGame[] = L"vy";
constexpr wchar_t kReportKind[] = L"4";

constexpr int kImgBack = 149, kImgClose = 138, kImgMin = 152, kImgSite = 153, kImgPay = 133, kImgService = 139,
              kImgForum = 131;

constexpr Rect kCloseArea{1025, 213, 1053, 241};
constexpr Rect kMinArea{1070, 214, 1093, 227};
constexpr Rect kSiteArea{367, 219, 466, 255};
constexpr Rect kPayArea{470, 219, 569, 255};
constexpr Rect kForumArea{736, 219, 835, 255};
constexpr Rect kServiceArea{838, 219, 937, 255};
constexpr Rect kPageArea{351, 263, 976, 632};

constexpr wchar_t kPayQuery[] = L"/?g=vy";
constexpr wchar_t kServicePath[] = L"/kefu/";

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}


}  // namespace

CMainWnd::CMainWnd(int start_mode)
    : m_bPageCreated(start_mode == 0 ? 1 : 0), m_nReportTimer(kReportTimerId), m_rcPage(kPageArea),
      m_strHotKeyName(L"无") {
  m_areas = {
      {&m_rcClose, &m_nCloseState, &m_pImgClose, L""},
      {&m_rcMin, &m_nMinState, &m_pImgMin, L""},
      {&m_rcSite, &m_nSiteState, &m_pImgSite, L""},
      {&m_rcPay, &m_nPayState, &m_pImgPay, L""},
      {&m_rcService, &m_nServiceState, &m_pImgService, L""},
      {&m_rcForum, &m_nForumState, &m_pImgForum, L""},
  };
  WindowSpec spec;
  spec.title = kLauncherClassName;
  spec.style = ws::POPUP | ws::CLIPSIBLINGS | ws::CLIPCHILDREN | ws::SYSMENU | ws::MINIMIZEBOX | ws::MAXIMIZEBOX;
  platform().CreateWindowFor(this, spec);
}

CMainWnd::~CMainWnd() {
  if (GetSafeHwnd()) platform().DestroyWindow(GetSafeHwnd());
  if (g_pMainWnd == this) g_pMainWnd = nullptr;
}

LRESULT CMainWnd::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case wm::CREATE:
      if (OnCreate() == -1) return -1;
      return 0;
    case wm::MOUSEMOVE:
      OnMouseMove(PointFrom(lParam));
      break;
    case wm::LBUTTONDOWN:
      OnLButtonDown(PointFrom(lParam));
      break;
    case wm::LBUTTONUP:
      OnLButtonUp(PointFrom(lParam));
      break;
    case wm::TIMER:
      OnTimer(static_cast<unsigned>(wParam));
      break;
    case wm::MOVE: {
      const LRESULT r = Default(message, wParam, lParam);
      if (m_pWebDlg) PlacePageWindow();
      return r;
    }
    case wm::SHOWWINDOW:
      OnShowWindow(wParam != 0);
      break;
    case wm::CLOSE:
      OnClose();
      break;
    case wm::HOTKEY:
      if (static_cast<int>(wParam) == kBossHotKeyId) ToggleBossKey();
      break;
    case WM_TRAYICON:
      OnTrayIcon(lParam);
      return 0;
    case wm::COMMAND:
      if (LoWord(wParam) == kTrayMenuExit) platform().SendMessage(GetSafeHwnd(), wm::CLOSE, 0, 0);
      return 0;
    case WM_OPEN_GAME:
      OnOpenGame();
      break;
    case WM_BACK_TO_LAUNCHER:
      OnBackToLauncher();
      break;
    case WM_SHOW_IM:
      OnShowIm();
      break;
    case wm::NCDESTROY:
      // The main window is gone: the message loop ends with it.
      platform().PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT CMainWnd::OnCreate() {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  m_strModuleDir = FolderOf(p.ModulePath());
  LoadOperatorHosts(m_strModuleDir);
  const OperatorHosts& hosts = GetOperatorHosts();
  m_areas[2].address = hosts.site;
  m_areas[3].address = hosts.pay + kPayQuery;
  m_areas[4].address = hosts.kefu + kServicePath;
  m_areas[5].address = hosts.site;

  LoadSkinImages();
  if (!m_pImgBack || !m_pImgBack->ok) return -1;  // the background sizes the window
  m_nWidth = m_pImgBack->Width();
  m_nHeight = m_pImgBack->Height();

  m_rcClose = kCloseArea;
  m_rcMin = kMinArea;
  m_rcSite = kSiteArea;
  m_rcPay = kPayArea;
  m_rcService = kServiceArea;
  m_rcForum = kForumArea;
  m_rcPage = kPageArea;

  const Size screen = p.GetScreenSize();
  const int x = (screen.cx - m_nWidth) / 2;
  const int y = (screen.cy - m_nHeight) / 2;
  p.MoveWindow(h, Rect{x, y, x + m_nWidth, y + m_nHeight}, true);
  g_pMainWnd = this;
  p.SetWindowText(h, kAppName);
  UpdateSkin();
  os::EnableDebugPrivilege();

  m_strIniPath = m_strModuleDir + kIniFileName;
  LoadConfig();
  NotifyTray(true);
  if (m_dwHotKey != kNoHotKey) RegisterBossKey(m_dwHotKey);
  if (m_bPageCreated) CreatePageWindow();
  p.SetTimer(h, m_nReportTimer, kReportDelayMs);
  return 0;
}

void CMainWnd::LoadSkinImages() {
  LoadPngImage(kImgBack, m_pImgBack);
  LoadPngImage(kImgClose, m_pImgClose);
  LoadPngImage(kImgMin, m_pImgMin);
  LoadPngImage(kImgSite, m_pImgSite);
  LoadPngImage(kImgPay, m_pImgPay);
  LoadPngImage(kImgService, m_pImgService);
  LoadPngImage(kImgForum, m_pImgForum);
}

void CMainWnd::ReleaseSkinImages() {
  m_pImgBack.reset();
  for (Area& a : m_areas) a.image->reset();
}

void CMainWnd::UpdateSkin() {
  if (!m_pImgBack) return;
  std::vector<LauncherSkin::Button> buttons;
  buttons.reserve(m_areas.size());
  for (const Area& a : m_areas) buttons.push_back({a.image->get(), *a.rect, *a.state});
  const Surface& surface = m_skin.Compose(*m_pImgBack, m_nWidth, m_nHeight, buttons);
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  const std::uint32_t ex = p.GetExStyle(h);
  if (!(ex & ws::EX_LAYERED)) p.SetExStyle(h, ex | ws::EX_LAYERED);
  const Rect r = p.GetWindowRect(h);
  p.UpdateLayeredWindow(h, surface, Point{r.left, r.top});
}

CMainWnd::Area* CMainWnd::AreaAt(Point pt) {
  for (Area& a : m_areas) {
    if (a.rect->Contains(pt)) return &a;
  }
  return nullptr;
}

void CMainWnd::OnMouseMove(Point pt) {
  Area* hit = AreaAt(pt);
  if (!hit) {
    for (Area& a : m_areas) *a.state = 0;
    UpdateSkin();
    return;
  }
  if (*hit->state == 0) {
    for (Area& a : m_areas) *a.state = &a == hit ? 1 : 0;
    UpdateSkin();
  }
  if (hit->rect == &m_rcClose || hit->rect == &m_rcMin) platform().SetCursor(Cursor::Hand);
}

void CMainWnd::OnLButtonDown(Point pt) {
  if (AreaAt(pt)) return;
  platform().ReleaseCapture();
  platform().SendMessage(GetSafeHwnd(), wm::SYSCOMMAND, sc::DRAG_MOVE, 0);
}

void CMainWnd::OnLButtonUp(Point pt) {
  Area* hit = AreaAt(pt);
  if (!hit) return;
  if (hit->rect == &m_rcClose) {
    m_nCloseState = 0;
    UpdateSkin();
    ConfirmExit();
    return;
  }
  if (*hit->state != 1) return;
  *hit->state = 0;
  UpdateSkin();
  if (hit->rect == &m_rcMin) {
    platform().SendMessage(GetSafeHwnd(), wm::SYSCOMMAND, sc::MINIMIZE, 0);
  } else {
    platform().ShellOpen(hit->address);
  }
}

void CMainWnd::ConfirmExit() {
  if (platform().MessageBox(0, kExitQuestion, kExitCaption, mb::OKCANCEL | mb::ICONQUESTION) == mb::IDOK) {
    platform().SendMessage(GetSafeHwnd(), wm::CLOSE, 0, 0);
  }
}

void CMainWnd::OnTimer(unsigned id) {
  if (id != m_nReportTimer) return;
  platform().KillTimer(GetSafeHwnd(), m_nReportTimer);
  if (m_strUid.empty()) return;
  // Off the GUI thread, so that a receiver that is down never freezes the
  // launcher; the worker holds nothing of the window.
  std::thread([uid = m_strUid] { SendUsageReport(uid, kReportGame, kReportKind); }).detach();
}

void CMainWnd::CreatePageWindow() {
  m_pWebDlg = new CWebDlg(this);
  if (!m_pWebDlg->Create()) {
    // A page window that could not start has ended itself; nothing may use it.
    m_pWebDlg = nullptr;
    return;
  }
  platform().SetFocus(m_pWebDlg->GetSafeHwnd());
  // Placed at once, not left to the next move notification: not every
  // desktop sends one before the window first shows.
  PlacePageWindow();
  platform().ShowWindow(m_pWebDlg->GetSafeHwnd(), sw::HIDE);
}

void CMainWnd::PlacePageWindow() {
  const Rect r = platform().GetWindowRect(GetSafeHwnd());
  const int x = r.left + m_rcPage.left;
  const int y = r.top + m_rcPage.top;
  platform().MoveWindow(m_pWebDlg->GetSafeHwnd(), Rect{x, y, x + m_rcPage.Width(), y + m_rcPage.Height()}, true);
}

void CMainWnd::OnShowWindow(bool show) {
  if (!m_bPageCreated) {
    CreatePageWindow();
    m_bPageCreated = 1;
  }
  if (!m_pWebDlg) return;
  platform().ShowWindow(m_pWebDlg->GetSafeHwnd(), show && !m_bFirstLoad ? sw::SHOW : sw::HIDE);
}

void CMainWnd::OnOpenGame() {
  Platform& p = platform();
  if (!m_pGameWnd) {
    m_pGameWnd = new CVazivGame();
    if (!m_pGameWnd->GetSafeHwnd()) {
      // No game page could be set up: the window has ended itself, and the
      // player stays on the server list instead of facing no window at all.
      delete m_pGameWnd;
      m_pGameWnd = nullptr;
      return;
    }
    if (m_bGameMaximized) p.SendMessage(m_pGameWnd->GetSafeHwnd(), wm::SYSCOMMAND, sc::MAXIMIZE, 0);
    p.ShowWindow(m_pGameWnd->GetSafeHwnd(), sw::SHOW);
  }
  p.ShowWindow(GetSafeHwnd(), sw::HIDE);
}

void CMainWnd::OnBackToLauncher() {
  Platform& p = platform();
  if (m_pGameWnd) {
    p.SendMessage(m_pGameWnd->GetSafeHwnd(), wm::CLOSE, 0, 0);
    delete m_pGameWnd;
    m_pGameWnd = nullptr;
  }
  if (m_pWebDlg) m_pWebDlg->Refresh();
  p.ShowWindow(GetSafeHwnd(), sw::SHOW);
  p.SetForegroundWindow(GetSafeHwnd());
}

void CMainWnd::OnShowIm() {
  if (!m_strImParam.empty() && m_pGameWnd) m_pGameWnd->StartVipService(m_strImParam);
}

void CMainWnd::OnClose() {
  NotifyTray(false);
  if (m_pWebDlg) {
    m_pWebDlg->OnCancel();
    m_pWebDlg = nullptr;
  }
  ReleaseSkinImages();
}

}  // namespace lv
