#include "game/vaziv_game.h"

#include <algorithm>
#include <utility>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "app/ravaruza_app.h"
#include "browser/web_ctrl_interface.h"
#include "game/caption.h"

namespace lv {

CVazivGame* g_pGameWnd = nullptr;

namespace {

constexpr wchar_t kTitleFormat[] = L"%s--%s(F9刷新)";
constexpr wchar_t kTitleFontFamily[] = L"宋体";
constexpr float kTitleFontPixels = 13;
constexpr std::uint32_t kTitleColor = 0xFFE4D10D;
constexpr RectF kTitleOrigin{60, 13, 0, 0};
constexpr Rect kLogoRect{10, 5, 10 + 48, 5 + 29};

constexpr int kBodySourceHeight = 470;  // the body: frame rows from 40 on
constexpr int kFrameWidth = 2;          // the browser leaves this much at the left, right and bottom

constexpr int kInitialWidth = 1300;
constexpr int kInitialHeight = 820;
constexpr int kShortScreenMargin = 80;  // a screen lower than kInitialHeight loses this much
constexpr int kCentreLift = 37;         // room left below the window for a task bar
constexpr int kMinTrackWidth = 1050;
constexpr int kMinTrackHeight = 700;
constexpr int kBrowserControlId = 175;

constexpr int kBlinkStartMs = 150;

// The resize zones reach this far out of and into the client area; the top
// one reaches one pixel further in.
constexpr int kEdgeOut = 3;
constexpr int kEdgeOutFar = 2;
constexpr int kEdgeIn = 3;
constexpr int kTopEdgeIn = 4;

constexpr int kImgFrame = 143, kImgLogo = 147, kImgClose = 136, kImgMin = 151, kImgMax = 150, kImgServer = 154,
              kImgClean = 134, kImgBoss = 140, kImgRestore = 157, kImgSpin = 158, kImgCleaning = 135,
              kImgBind = 142, kImgVip = 160, kImgPay = 155;

// The edge that WM_SYSCOMMAND SC_SIZE + n resizes, for each resize zone.
struct SizeDirection {
  int hit_code;
  unsigned sc_size_offset;
};
constexpr SizeDirection kSizeDirections[] = {
    {ht::LEFT, 1},     {ht::RIGHT, 2},  {ht::TOP, 3},        {ht::TOPLEFT, 4},
    {ht::TOPRIGHT, 5}, {ht::BOTTOM, 6}, {ht::BOTTOMLEFT, 7}, {ht::BOTTOMRIGHT, 8},
};


// kTitleFormat with its two "%s" filled in.
std::wstring FormatTitle(const std::wstring& first, const std::wstring& second) {
  std::wstring out = kTitleFormat;
  const std::wstring marker = L"%s";
  std::size_t at = out.find(marker);
  out.replace(at, marker.size(), first);
  at = out.find(marker, at + first.size());
  out.replace(at, marker.size(), second);
  return out;
}

// A popup of the game window is done: close and delete it.
void CloseOwnedWindow(Window*& popup) {
  if (!popup) return;
  platform().SendMessage(popup->GetSafeHwnd(), wm::CLOSE, 0, 0);
  delete popup;
  popup = nullptr;
}

}  // namespace

// The game page gets the client's pane rules but no window.external.
CVazivGame::CVazivGame()
    : m_nBlinkTimer(kBlinkTimerId), m_pClientSite(new CWebCtrlInterFace),
      m_pShared(std::make_shared<GameThreadState>()) {
  m_pClientSite->AddRef();
  WindowSpec spec;
  spec.style = ws::POPUP | ws::CLIPSIBLINGS | ws::CLIPCHILDREN | ws::SYSMENU | ws::MINIMIZEBOX | ws::MAXIMIZEBOX;
  platform().CreateWindowFor(this, spec);
}

CVazivGame::~CVazivGame() {
  m_pShared->m_hBlinkGate.Close();
  if (GetSafeHwnd()) platform().DestroyWindow(GetSafeHwnd());
  // A window that never closed still holds its pane and its site.
  m_pWebBrowser.reset();
  if (m_pClientSite) m_pClientSite->Release();
  // The customer-service callback posts through g_pGameWnd: it must never
  // name a deleted window.
  if (g_pGameWnd == this) g_pGameWnd = nullptr;
}

LRESULT CVazivGame::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case wm::CREATE:
      return OnCreate();
    case wm::PAINT:
      OnPaint();
      return 0;
    case wm::ERASEBKGND:
      return 1;  // the painting covers everything from one buffer
    case wm::SIZE:
      OnSize(static_cast<unsigned>(wParam), static_cast<int>(LoWord(static_cast<WPARAM>(lParam))),
             static_cast<int>(HiWord(static_cast<WPARAM>(lParam))));
      break;
    case wm::SYSCOMMAND: {
      const LRESULT r = Default(message, wParam, lParam);
      OnSysCommand(wParam);
      return r;
    }
    case wm::GETMINMAXINFO:
      OnGetMinMaxInfo(reinterpret_cast<MinMaxInfo*>(lParam));
      break;
    case wm::NCHITTEST: {
      const LRESULT hit = OnNcHitTest(PointFrom(lParam));
      if (hit != ht::NOWHERE) return hit;
      break;
    }
    case wm::SETCURSOR:
      OnSetCursor(static_cast<int>(LoWord(static_cast<WPARAM>(lParam))));
      return 1;
    case wm::NCLBUTTONDOWN:
      if (!OnNcLButtonDown(wParam, lParam)) return 0;
      break;
    case wm::NCLBUTTONUP:
      platform().PostMessage(GetSafeHwnd(), wm::NCLBUTTONDOWN, ht::CLIENT, lParam);
      break;
    case wm::LBUTTONDBLCLK:
      if (m_rcDrag.Contains(PointFrom(lParam))) ToggleMaximize();
      break;
    case wm::MOUSEMOVE:
      OnMouseMove(PointFrom(lParam));
      break;
    case wm::LBUTTONDOWN:
      OnLButtonDown(PointFrom(lParam));
      break;
    case wm::LBUTTONUP:
      OnLButtonUp(PointFrom(lParam));
      break;
    case wm::MOUSELEAVE:
      OnMouseLeave();
      break;
    case wm::TIMER:
      OnTimer(static_cast<unsigned>(wParam));
      break;
    case wm::CLOSE:
      OnClose();
      break;
    // The popups' and the customer service's messages; the default
    // processing below still sees them.
    case WM_CLOSE_PAY:
      OnClosePay();
      break;
    case WM_CLOSE_BIND:
      OnCloseBind();
      break;
    case WM_IM_READY:
      OnImReady();
      break;
    case WM_VIP_MESSAGE:
      OnVipMessage(wParam);
      break;
    case WM_CLOSE_VIPMSG:
      OnCloseVipMsg();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool CVazivGame::PreTranslateMessage(const Msg& msg) {
  switch (msg.message) {
    case wm::SYSCOMMAND:
      if (msg.wParam != sc::MINIMIZE) return false;
      platform().ShowWindow(GetSafeHwnd(), sw::MINIMIZE);
      return true;
    case wm::KEYDOWN:
      if (msg.wParam == vk::ESCAPE) return true;  // Esc never reaches the page
      // F9 goes back to the address the launcher handed over, not to the page shown now.
      if (msg.wParam == vk::F9 && m_pWebBrowser) NavigateGame(g_pMainWnd->m_strGameUrl);
      return false;
    case wm::MOUSEMOVE:
      if (m_tip) m_tip->RelayEvent(msg);
      return false;
    default:
      return false;
  }
}

LRESULT CVazivGame::OnCreate() {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  for (const auto& [id, image] : SkinImages()) LoadPngImage(id, *image);

  const Size screen = p.GetScreenSize();
  const int height = screen.cy >= kInitialHeight ? kInitialHeight : screen.cy - kShortScreenMargin;
  const int width = screen.cx >= kInitialWidth ? kInitialWidth : screen.cx;
  m_nWidth = width;
  m_nHeight = height;
  LayoutToolbar();
  const int x = (screen.cx - width) / 2;
  const int y = (screen.cy - kCentreLift - height) / 2;
  p.MoveWindow(h, Rect{x, y, x + width, y + height}, true);
  p.SetWindowText(h, kAppName);

  g_pGameWnd = this;
  // In its place below the caption from the start: a window that opens
  // restored gets no size change that would move it there.
  PlaceBrowser();
  m_pWebBrowser = p.CreateBrowserPane(h, m_rcBrowser, kBrowserControlId, this);
  if (!m_pWebBrowser) return -1;  // the window ends again; the launcher sees no handle
  AttachClientSite(*m_pWebBrowser, m_pClientSite);

  NavigateGame(g_pMainWnd->m_strGameUrl);
  m_pWebBrowser->Show(true);
  m_pWebBrowser->SetSilent(true);  // script errors raise no dialogs

  m_pFont = std::make_unique<FontSpec>(FontSpec{kTitleFontFamily, kTitleFontPixels, false});
  m_tip = p.CreateToolTip(h);
  m_tip->SetText(L"");
  m_tip->Show(false);

  if (g_pMainWnd->m_bHideBindBtn == 0) {
    LayoutActivationButton();
    m_pShared->m_hBlinkGate.Open();
    p.SetTimer(h, m_nBlinkTimer, kBlinkStartMs);
  }
  return 0;
}

std::array<std::pair<int, ImagePtr*>, 14> CVazivGame::SkinImages() {
  return {{
      {kImgFrame, &m_pImgFrame},
      {kImgLogo, &m_pImgLogo},
      {kImgClose, &m_pImgClose},
      {kImgMin, &m_pImgMin},
      {kImgMax, &m_pImgMax},
      {kImgServer, &m_pImgServer},
      {kImgClean, &m_pImgClean},
      {kImgBoss, &m_pImgBoss},
      {kImgRestore, &m_pImgRestore},
      {kImgSpin, &m_pImgSpin},
      {kImgCleaning, &m_pImgCleaning},
      {kImgBind, &m_pImgBind},
      {kImgVip, &m_pImgVip},
      {kImgPay, &m_pImgPay},
  }};
}

void CVazivGame::OnPaint() {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  const std::unique_ptr<Canvas> canvas = p.BeginPaint(h);
  const Rect client = p.GetClientRect(h);
  if (m_pImgFrame) {
    const int w = m_pImgFrame->Width();
    // The body's rows end with the image: rows beyond it would leave the
    // window's bottom edge and its frame unpainted.
    const int body_bottom = std::min(kCaptionHeight + kBodySourceHeight, m_pImgFrame->Height());
    canvas->DrawImage(*m_pImgFrame, Rect{0, 0, w, kCaptionHeight}, Rect{0, 0, client.right, kCaptionHeight});
    canvas->DrawImage(*m_pImgFrame, Rect{0, kCaptionHeight, w, body_bottom},
                      Rect{0, kCaptionHeight, client.right, client.bottom});
  }
  DrawImageRect(*canvas, m_pImgLogo.get(), kLogoRect);
  DrawToolbar(*canvas);
  const std::wstring& server = g_pMainWnd->m_strServerName;
  if (!server.empty() && m_pFont) canvas->DrawText(FormatTitle(kAppName, server), *m_pFont, kTitleColor, kTitleOrigin);
}

void CVazivGame::OnSize(unsigned type, int cx, int cy) {
  if (type == size_type::MINIMIZED) return;  // an icon has nothing to lay out; the restore brings the size back
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  if (type == size_type::MAXIMIZED) {
    // The work area gives the size, whatever the notice said: a task bar at
    // the side narrows it, and a desktop may still report the size from
    // before the maximise.
    const Rect work = p.GetWorkArea();
    p.MoveWindow(h, work, true);
    cx = work.Width();
    cy = work.Height();
  }
  m_nWidth = cx;
  m_nHeight = cy;
  if (m_pWebBrowser) PlaceBrowser();
  LayoutActivationButton();
  if (!m_imFields.empty()) {
    LayoutVipButton();
  } else {
    m_rcVip = Rect{};
  }
  LayoutToolbar();
}

// A 2-pixel frame at the left, right and bottom, and the caption band above.
void CVazivGame::PlaceBrowser() {
  const Rect c = platform().GetClientRect(GetSafeHwnd());
  m_rcBrowser = Rect{c.left + kFrameWidth, c.top + kCaptionHeight, c.right - kFrameWidth,
                     c.top + m_nHeight - kFrameWidth};
  if (m_pWebBrowser) m_pWebBrowser->Move(m_rcBrowser, false);
}

LRESULT CVazivGame::OnNcHitTest(Point screen) {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  const Point pt = p.ScreenToClient(h, screen);
  const Rect c = p.GetClientRect(h);
  const int r = c.right, b = c.bottom;
  m_rcEdgeBottomLeft = Rect{-kEdgeOut, b - kEdgeIn, kEdgeIn, b + kEdgeOutFar};
  m_rcEdgeTopLeft = Rect{-kEdgeOut, -kEdgeOut, kEdgeIn, kEdgeIn};
  m_rcEdgeTopRight = Rect{r - kEdgeIn, -kEdgeOut, r + kEdgeOutFar, kEdgeIn};
  m_rcEdgeBottomRight = Rect{r - kEdgeIn, b - kEdgeIn, r + kEdgeOutFar, b + kEdgeOutFar};
  m_rcEdgeLeft = Rect{-kEdgeOut, -kEdgeOut, kEdgeIn, b};
  m_rcEdgeTop = Rect{-kEdgeOut, -kEdgeOut, r, kTopEdgeIn};
  m_rcEdgeBottom = Rect{-kEdgeOut, b - kEdgeIn, r, b};
  m_rcEdgeRight = Rect{r - kEdgeIn, -kEdgeOut, r, b};
  const std::pair<const Rect*, int> zones[] = {
      {&m_rcEdgeBottomLeft, ht::BOTTOMLEFT}, {&m_rcEdgeTopLeft, ht::TOPLEFT}, {&m_rcEdgeTopRight, ht::TOPRIGHT},
      {&m_rcEdgeBottomRight, ht::BOTTOMRIGHT}, {&m_rcEdgeLeft, ht::LEFT},  {&m_rcEdgeTop, ht::TOP},
      {&m_rcEdgeBottom, ht::BOTTOM},         {&m_rcEdgeRight, ht::RIGHT},
  };
  for (const auto& [zone, code] : zones) {
    if (zone->Contains(pt)) return code;
  }
  return ht::NOWHERE;
}

void CVazivGame::OnSetCursor(int hit_code) {
  Cursor cursor = Cursor::Arrow;
  switch (hit_code) {
    case ht::TOP:
    case ht::BOTTOM:
      cursor = Cursor::SizeNS;
      break;
    case ht::LEFT:
    case ht::RIGHT:
      cursor = Cursor::SizeWE;
      break;
    case ht::TOPLEFT:
    case ht::BOTTOMRIGHT:
      cursor = Cursor::SizeNWSE;
      break;
    case ht::TOPRIGHT:
    case ht::BOTTOMLEFT:
      cursor = Cursor::SizeNESW;
      break;
    default:
      break;
  }
  platform().SetCursor(cursor);
}

// False when the press is swallowed.
bool CVazivGame::OnNcLButtonDown(WPARAM hit_code, LPARAM lParam) {
  if (g_pMainWnd->m_bGameMaximized) return false;  // a maximised window keeps its size
  for (const SizeDirection& d : kSizeDirections) {
    if (static_cast<int>(hit_code) != d.hit_code) continue;
    platform().SendMessage(GetSafeHwnd(), wm::SYSCOMMAND, sc::SIZE + d.sc_size_offset, lParam);
    return false;  // the resize has run; the default processing would start a second one
  }
  return true;
}

void CVazivGame::OnSysCommand(WPARAM command) {
  // Exactly SC_MAXIMIZE: the low four bits of other commands carry meaning.
  if (command != sc::MAXIMIZE) return;
  g_pMainWnd->m_bGameMaximized = 1;
  FitWorkArea();
}

void CVazivGame::FitWorkArea() {
  Platform& p = platform();
  p.MoveWindow(GetSafeHwnd(), p.GetWorkArea(), true);
  p.UpdateWindow(GetSafeHwnd());
}

void CVazivGame::OnGetMinMaxInfo(MinMaxInfo* info) {
  info->min_track_size = MinMaxInfo::Pt{kMinTrackWidth, kMinTrackHeight};
}

void CVazivGame::ToggleMaximize() {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  if (g_pMainWnd->m_bGameMaximized) {
    g_pMainWnd->m_bGameMaximized = 0;
    p.SendMessage(h, wm::SYSCOMMAND, sc::RESTORE, 0);
    p.InvalidateRect(h, nullptr, false);
  } else {
    p.SendMessage(h, wm::SYSCOMMAND, sc::MAXIMIZE, 0);
  }
  if (m_pPayWnd) {
    constexpr int kPayFromRight = 400, kPayTop = 40, kPayWidth = 238, kPayHeight = 270;
    const int x = m_nWidth - kPayFromRight;
    p.MoveWindow(m_pPayWnd->GetSafeHwnd(), Rect{x, kPayTop, x + kPayWidth, kPayTop + kPayHeight}, true);
  }
}

void CVazivGame::OnTimer(unsigned id) {
  if (id != m_nBlinkTimer) return;
  platform().KillTimer(GetSafeHwnd(), m_nBlinkTimer);
  StartActivationBlinkOnceVisible();
}

void CVazivGame::OnClose() {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  // The gates first: no worker draws into the closing window any more.
  m_pShared->m_hBlinkGate.Close();
  m_imFields.clear();
  for (const auto& [id, image] : SkinImages()) image->reset();
  p.KillTimer(h, m_nBlinkTimer);
  m_pFont.reset();
  ReleaseBrowser(m_pClientSite, m_pWebBrowser);
  m_tip.reset();
}

void CVazivGame::OnClosePay() { CloseOwnedWindow(m_pPayWnd); }

void CVazivGame::OnCloseBind() { CloseOwnedWindow(m_pBindWnd); }

// The VIP customer service fills this: the pending flag, its gate and the VIP blink.
void CVazivGame::OnImReady() {}

void CVazivGame::OnVipMessage(WPARAM) {
  // Creating the VIP message window belongs to the VIP customer service.
  if (m_pVipWnd) platform().ShowWindow(m_pVipWnd->GetSafeHwnd(), sw::SHOW);
}

void CVazivGame::OnCloseVipMsg() {
  CloseOwnedWindow(m_pVipWnd);
  // The VIP customer service also stops its heartbeat and drops the chat link here.
  m_pShared->m_bVipPending = 0;
}

// The VIP customer service starts here: the chat library, the VIP button and the heartbeat.
void CVazivGame::StartVipService(std::wstring) {}

}  // namespace lv
