// The caption toolbar of the game window: layout, drawing, hover, press and
// release, and the commands the buttons run.
#include <array>

#include "app/bosskey_dlg.h"
#include "app/main_wnd.h"
#include "app/messages.h"
#include "game/activation_blink.h"
#include "game/caption.h"
#include "game/vaziv_game.h"

namespace lv {
namespace {

constexpr wchar_t kLeaveQuestion[] = L"确定要退出当前正在玩的游戏吗？";

// The toolbar is laid out left to right from here (pixels from the right edge).
constexpr int kToolbarFromRight = 391;
constexpr int kTextButtonTop = 9;
constexpr int kCaptionButtonTop = 7;
constexpr int kTextButtonGap = 5;
constexpr int kBeforeCaptionButtons = 8;
constexpr int kCaptionButtonGap = 3;
constexpr int kCaptionFrames = 3;    // normal, hover, pressed side by side
constexpr int kTextButtonFrames = 2;  // normal, hover stacked
constexpr int kDragGap = 5;           // the drag zone ends this far left of the leftmost button

// The trial-account activation button, from the right edge.
constexpr int kBindFromRight = 532, kBindRightFromRight = 396, kBindTop = 9, kBindBottom = 31;
constexpr int kDragEndBesideBind = 537;
// The VIP customer-service button.
constexpr int kVipFromRightBesideBind = 612, kVipFromRight = 471, kVipWidth = 75, kVipTop = 9, kVipBottom = 31;

// The spinner's square inside the clear-cache button, which the hover
// refresh leaves alone while cleaning.
constexpr int kSpinnerLeft = 5, kSpinnerRight = 22, kSpinnerTopBottom = 2;

int WidthOf(const ImagePtr& image) { return image ? image->Width() : 0; }
int HeightOf(const ImagePtr& image) { return image ? image->Height() : 0; }

struct ButtonRef {
  int index;
  Rect* rect;
  int* state;
};

// The buttons with a hover state.
std::array<ButtonRef, 7> HoverButtons(CVazivGame& g) {
  using G = CVazivGame;
  return {{
      {G::kClose, &g.m_rcClose, &g.m_nCloseState},
      {G::kMin, &g.m_rcMin, &g.m_nMinState},
      {G::kMax, &g.m_rcMax, &g.m_nMaxState},
      {G::kServer, &g.m_rcServer, &g.m_nServerState},
      {G::kClean, &g.m_rcClean, &g.m_nCleanState},
      {G::kBoss, &g.m_rcBoss, &g.m_nBossState},
      {G::kPay, &g.m_rcPay, &g.m_nPayState},
  }};
}

// Close, minimise and maximise/restore: the buttons with a pressed state.
bool IsCaptionButton(int index) {
  return index == CVazivGame::kClose || index == CVazivGame::kMin || index == CVazivGame::kMax;
}

const ButtonRef* ButtonAt(const std::array<ButtonRef, 7>& buttons, Point pt) {
  for (const ButtonRef& b : buttons) {
    if (b.rect->Contains(pt)) return &b;
  }
  return nullptr;
}

}  // namespace

void CVazivGame::LayoutToolbar() {
  const int w = m_nWidth;
  int left = w - kToolbarFromRight;
  m_rcPay = Rect{left, kTextButtonTop, left + WidthOf(m_pImgPay),
                 kTextButtonTop + HeightOf(m_pImgPay) / kTextButtonFrames};
  left = m_rcPay.right + kTextButtonGap;
  m_rcServer = Rect{left, kTextButtonTop, left + WidthOf(m_pImgServer),
                    kTextButtonTop + HeightOf(m_pImgServer) / kTextButtonFrames};
  left = m_rcServer.right + kTextButtonGap;
  m_rcClean = Rect{left, kTextButtonTop, left + WidthOf(m_pImgClean), m_rcServer.bottom};
  left = m_rcClean.right + kTextButtonGap;
  m_rcBoss = Rect{left, kTextButtonTop, left + WidthOf(m_pImgBoss), m_rcServer.bottom};
  left = m_rcBoss.right + kBeforeCaptionButtons;
  m_rcMin = Rect{left, kCaptionButtonTop, left + WidthOf(m_pImgMin) / kCaptionFrames,
                 kCaptionButtonTop + HeightOf(m_pImgMin)};
  left = m_rcMin.right + kCaptionButtonGap;
  m_rcMax = Rect{left, kCaptionButtonTop, left + WidthOf(m_pImgMax) / kCaptionFrames, m_rcMin.bottom};
  left = m_rcMax.right + kCaptionButtonGap;
  m_rcClose = Rect{left, kCaptionButtonTop, left + WidthOf(m_pImgClose) / kCaptionFrames, m_rcMin.bottom};

  if (m_rcVip.left == 0 && m_pShared->m_rcBind.left == 0) m_rcDrag.right = m_rcPay.left - kDragGap;
  m_rcDrag.left = 0;
  m_rcDrag.top = 0;
  m_rcDrag.bottom = kCaptionHeight;
}

void CVazivGame::LayoutActivationButton() {
  const int w = m_nWidth;
  if (g_pMainWnd->m_bHideBindBtn) {
    m_pShared->m_rcBind = Rect{};
    return;
  }
  m_pShared->m_rcBind = Rect{w - kBindFromRight, kBindTop, w - kBindRightFromRight, kBindBottom};
  m_rcDrag.right = w - kDragEndBesideBind;
}

void CVazivGame::LayoutVipButton() {
  const int left = m_nWidth - (m_pShared->m_rcBind.Width() > 0 ? kVipFromRightBesideBind : kVipFromRight);
  m_rcVip = Rect{left, kVipTop, left + kVipWidth, kVipBottom};
  m_rcDrag.right = left - kDragGap;
}

void CVazivGame::DrawToolbar(Canvas& canvas) {
  DrawVerticalSprite(canvas, m_pImgServer.get(), m_rcServer, m_nServerState);
  DrawVerticalSprite(canvas, m_pImgPay.get(), m_rcPay, m_nPayState);
  DrawVerticalSprite(canvas, m_pImgBoss.get(), m_rcBoss, m_nBossState);
  DrawHorizontalSprite(canvas, m_pImgClose.get(), m_rcClose, m_nCloseState);
  DrawHorizontalSprite(canvas, m_pImgMin.get(), m_rcMin, m_nMinState);
  // While a customer-service message waits, the VIP blink draws that button.
  if (!m_pShared->m_bVipPending && !m_rcVip.IsEmpty()) DrawVerticalSprite(canvas, m_pImgVip.get(), m_rcVip, 0);
  const ImagePtr& max = g_pMainWnd->m_bGameMaximized ? m_pImgRestore : m_pImgMax;
  DrawHorizontalSprite(canvas, max.get(), m_rcMax, m_nMaxState);
  const ImagePtr& clean = m_pShared->m_bCleaning ? m_pImgCleaning : m_pImgClean;
  DrawVerticalSprite(canvas, clean.get(), m_rcClean, m_nCleanState);
  // The activation button is not painted here: its blink draws it.
}

void CVazivGame::OnMouseMove(Point pt) {
  const auto buttons = HoverButtons(*this);
  if (const ButtonRef* b = ButtonAt(buttons, pt)) {
    if (*b->state == 0) {
      m_nHotButton = b->index;
      *b->state = 1;
      RefreshHover();
    }
    if (b->index == kBoss) {
      ShowBossTip(g_pMainWnd->m_strHotKeyName);
    } else {
      HideBossTip();
    }
  } else if (m_pShared->m_rcBind.Contains(pt) && g_pMainWnd->m_bHideBindBtn == 0) {
    // The blinking activation button has no hover state.
  } else {
    m_nHotButton = kNoButton;
    RefreshHover();  // the tool tip stays: it goes when another button or the window is left
  }
  if (!m_bTracking) {
    m_bTracking = true;
    platform().TrackMouseLeave(GetSafeHwnd());
  }
}

void CVazivGame::RefreshHover() {
  for (const ButtonRef& b : HoverButtons(*this)) {
    if (b.index != m_nHotButton) *b.state = 0;
  }
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  for (const Rect* r : {&m_rcClose, &m_rcMin, &m_rcMax, &m_rcServer, &m_rcBoss, &m_rcVip, &m_rcPay}) {
    p.InvalidateRect(h, r, false);
  }
  const Rect& c = m_rcClean;
  if (!m_pShared->m_bCleaning) {
    p.InvalidateRect(h, &c, false);
    return;
  }
  // Around the spinner, which its thread draws between the repaints.
  const Rect strips[] = {
      {c.left + kSpinnerRight, c.top, c.right, c.bottom},
      {c.left, c.top, c.left + kSpinnerLeft, c.bottom},
      {c.left, c.top, c.left + kSpinnerRight, c.top + kSpinnerTopBottom},
      {c.left, c.bottom - kSpinnerTopBottom, c.left + kSpinnerRight, c.bottom},
  };
  for (const Rect& r : strips) p.InvalidateRect(h, &r, false);
}

void CVazivGame::ShowBossTip(const std::wstring& text) {
  if (!m_tip || m_tip->IsVisible()) return;
  m_tip->SetText(text);
  m_tip->Show(true);
}

void CVazivGame::HideBossTip() {
  if (!m_tip || !m_tip->IsVisible()) return;
  m_tip->Show(false);
  m_tip->SetText(L"");
}

void CVazivGame::OnMouseLeave() {
  if (!m_bTracking) return;
  m_bTracking = false;
  HideBossTip();  // the hover states stay as they are
}

void CVazivGame::OnLButtonDown(Point pt) {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  const auto buttons = HoverButtons(*this);
  if (const ButtonRef* b = ButtonAt(buttons, pt); b && IsCaptionButton(b->index)) {
    if (*b->state == 1) {
      *b->state = 2;
      p.InvalidateRect(h, b->rect, false);
    }
    return;
  }
  if (m_pShared->m_rcBind.Contains(pt) && g_pMainWnd->m_bHideBindBtn == 0) return;  // it acts on the release
  if (m_rcVip.Contains(pt) && !m_imFields.empty()) {
    OpenVipChat();
    return;
  }
  if (m_rcDrag.Contains(pt) && !g_pMainWnd->m_bGameMaximized) {
    p.ReleaseCapture();
    p.SendMessage(h, wm::SYSCOMMAND, sc::DRAG_MOVE, 0);
  }
}

void CVazivGame::OnLButtonUp(Point pt) {
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  // A release fires its button only in the state the press or the hover
  // left it in; moving off a pressed button has reset it already.
  const auto fire = [&](Rect& rect, int& state, int armed) {
    if (state != armed) return false;
    state = 0;
    p.InvalidateRect(h, &rect, false);
    return true;
  };
  if (m_rcClose.Contains(pt)) {
    if (fire(m_rcClose, m_nCloseState, 2)) ConfirmLeaveGame();
  } else if (m_rcMax.Contains(pt)) {
    if (fire(m_rcMax, m_nMaxState, 2)) ToggleMaximize();
  } else if (m_rcMin.Contains(pt)) {
    if (fire(m_rcMin, m_nMinState, 2)) p.SendMessage(h, wm::SYSCOMMAND, sc::MINIMIZE, 0);
  } else if (m_rcServer.Contains(pt)) {
    if (fire(m_rcServer, m_nServerState, 1)) ConfirmLeaveGame();
  } else if (m_rcClean.Contains(pt)) {
    if (m_nCleanState == 1) {
      m_nCleanState = 0;
      StartCacheClean();  // which repaints the button itself
    }
  } else if (m_rcBoss.Contains(pt)) {
    if (fire(m_rcBoss, m_nBossState, 1)) OnBossKeyButton();
  } else if (m_rcPay.Contains(pt)) {
    if (fire(m_rcPay, m_nPayState, 1)) OpenPayment();
  } else if (m_pShared->m_rcBind.Contains(pt) && g_pMainWnd->m_bHideBindBtn == 0) {
    OpenActivation();
  }
}

void CVazivGame::ConfirmLeaveGame() {
  if (platform().MessageBox(0, kLeaveQuestion, kExitCaption, mb::OKCANCEL | mb::ICONQUESTION) != mb::IDOK) return;
  platform().PostMessage(g_pMainWnd->GetSafeHwnd(), WM_BACK_TO_LAUNCHER, 0, 0);
}

void CVazivGame::OnBossKeyButton() {
  CBosskey dialog(this);
  dialog.DoModal();
}

// The cache cleaner starts its cleaning and spinner threads here.
void CVazivGame::StartCacheClean() {}

// The payment window opens here.
void CVazivGame::OpenPayment() {}

// The account-activation window opens here.
void CVazivGame::OpenActivation() {}

// The VIP customer service shows its chat window or links up the chat here.
void CVazivGame::OpenVipChat() {}

void CVazivGame::StartActivationBlinkOnceVisible() {
  constexpr unsigned kVisibilityPollMs = 50;
  Platform& p = platform();
  const Handle h = GetSafeHwnd();
  // The boss key may keep the window hidden for any time: look again later,
  // without holding up the GUI thread.
  if (!p.IsWindowVisible(h)) {
    p.SetTimer(h, m_nBlinkTimer, kVisibilityPollMs);
    return;
  }
  std::shared_ptr<const Image> sprite = m_pImgBind ? std::make_shared<const Image>(*m_pImgBind) : nullptr;
  StartActivationBlink(h, m_pShared, std::move(sprite), g_pMainWnd->m_bHideBindBtn.Share());
}

}  // namespace lv
