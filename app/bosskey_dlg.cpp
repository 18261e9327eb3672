#include "app/bosskey_dlg.h"

#include "app/hotkey_codec.h"
#include "app/main_wnd.h"
#include "app/messages.h"
#include "app/ravaruza_app.h"

namespace lv {
namespace {

constexpr int kDialogWidth = 355, kDialogHeight = 169;  // the size of the background image
constexpr int kImgBack = 132, kImgOk = 156, kImgClose = 137;

// The close image sits in the top-right corner; OK right of the key field.
constexpr int kCloseSide = 11;
constexpr int kOkLeftFromRight = 116, kOkRightFromRight = 56, kOkTop = 73, kOkBottom = 94;

constexpr Rect kHotKeyRect{134, 72, 225, 94};
constexpr int kHotKeyControlId = 170;

constexpr wchar_t kLabel[] = L"请输入老板键:";
constexpr wchar_t kLabelFamily[] = L"微软雅黑";
constexpr wchar_t kFallbackFamily[] = L"宋体";
constexpr float kLabelPixels = 12, kFallbackPixels = 13;
constexpr RectF kLabelBox{50, 73, 84, 20};  // one pixel lower with the fallback family
constexpr std::uint32_t kLabelColour = 0xFFFFFFFF;

constexpr wchar_t kRegisterFailed[] = L"注册热键失败";


}  // namespace

CBosskey::CBosskey(Window* owner) : m_nWidth(kDialogWidth), m_nHeight(kDialogHeight), m_pOwner(owner) {}

CBosskey::~CBosskey() {
  if (GetSafeHwnd()) platform().DestroyWindow(GetSafeHwnd());
}

int CBosskey::DoModal() {
  Platform& p = platform();
  const Handle owner = m_pOwner ? m_pOwner->GetSafeHwnd() : 0;
  // Like a dialog template at (0, 0): the owner's top-left corner.
  const Rect o = p.GetWindowRect(owner);
  WindowSpec spec;
  spec.style = ws::POPUP | ws::SYSMENU;
  spec.parent = owner;
  spec.rect = Rect{o.left, o.top, o.left + m_nWidth, o.top + m_nHeight};
  const Handle h = p.CreateWindowFor(this, spec);
  if (!h) return mb::IDCANCEL;
  p.EnableWindow(owner, false);
  p.ShowWindow(h, sw::SHOW);
  const int result = p.RunModalLoop(h);
  // The owner is enabled before the dialog goes, so that it gets the activation back.
  p.EnableWindow(owner, true);
  p.DestroyWindow(h);
  return result;
}

LRESULT CBosskey::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case wm::CREATE:
      OnInitDialog();
      return 0;
    case wm::PAINT:
      OnPaint();
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
    case wm::COMMAND:
      // The dialog manager's OK and Cancel (Enter, Escape): the boss key stays.
      if (LoWord(wParam) == static_cast<unsigned>(mb::IDOK) || LoWord(wParam) == static_cast<unsigned>(mb::IDCANCEL)) {
        EndDialog(static_cast<int>(LoWord(wParam)));
        return 0;
      }
      break;
    case wm::CLOSE:
      // A dialog is cancelled, not destroyed, by a close request: DoModal owns the window.
      EndDialog(mb::IDCANCEL);
      return 0;
    case wm::DESTROY:
      OnDestroy();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool CBosskey::PreTranslateMessage(const Msg& msg) { return platform().IsDialogMessage(GetSafeHwnd(), msg); }

void CBosskey::OnInitDialog() {
  Platform& p = platform();
  LoadPngImage(kImgBack, m_pImgBack);
  LoadPngImage(kImgOk, m_pImgOk);
  LoadPngImage(kImgClose, m_pImgClose);
  m_rcClose = Rect{m_nWidth - kCloseSide, 0, m_nWidth, kCloseSide};
  m_rcOk = Rect{m_nWidth - kOkLeftFromRight, kOkTop, m_nWidth - kOkRightFromRight, kOkBottom};

  m_hotKey = p.CreateHotKeyControl(GetSafeHwnd(), kHotKeyRect, kHotKeyControlId);
  const unsigned word = HotKeyControlWord(g_pMainWnd->m_dwHotKey);
  m_hotKey->SetHotKey(word & 0xFF, word >> 8);
  m_hotKey->Focus();

  if (p.FontFamilyExists(kLabelFamily)) {
    m_pFont = FontSpec{kLabelFamily, kLabelPixels};
  } else {
    m_bFallbackFont = 1;
    m_pFont = FontSpec{kFallbackFamily, kFallbackPixels};
  }
}

void CBosskey::OnPaint() {
  std::unique_ptr<Canvas> canvas = platform().BeginPaint(GetSafeHwnd());
  DrawImageRect(*canvas, m_pImgBack.get(), Rect{0, 0, m_nWidth, m_nHeight});
  DrawVerticalSprite(*canvas, m_pImgClose.get(), m_rcClose, m_nCloseState);
  DrawVerticalSprite(*canvas, m_pImgOk.get(), m_rcOk, m_nOkState);
  if (m_pFont) {
    RectF box = kLabelBox;
    box.y += static_cast<float>(m_bFallbackFont);
    canvas->DrawText(kLabel, *m_pFont, kLabelColour, box);
  }
}

void CBosskey::InvalidateImages() {
  platform().InvalidateRect(GetSafeHwnd(), &m_rcClose, false);
  platform().InvalidateRect(GetSafeHwnd(), &m_rcOk, false);
}

void CBosskey::OnMouseMove(Point pt) {
  if (m_rcClose.Contains(pt)) {
    if (m_nCloseState != 0) return;
    m_nCloseState = 1;
    m_nOkState = 0;
  } else if (m_rcOk.Contains(pt)) {
    if (m_nOkState != 0) return;
    m_nCloseState = 0;
    m_nOkState = 1;
  } else {
    m_nCloseState = 0;
    m_nOkState = 0;
  }
  InvalidateImages();
}

void CBosskey::OnLButtonDown(Point pt) {
  if (m_rcClose.Contains(pt) || m_rcOk.Contains(pt)) return;
  platform().SendMessage(GetSafeHwnd(), wm::SYSCOMMAND, sc::DRAG_MOVE, 0);
}

void CBosskey::OnLButtonUp(Point pt) {
  if (m_rcClose.Contains(pt)) {
    if (m_nCloseState == 1) EndDialog(mb::IDCANCEL);
  } else if (m_rcOk.Contains(pt)) {
    OnOkImage();
  }
}

void CBosskey::OnOkImage() {
  unsigned key = 0, flags = 0;
  m_hotKey->GetHotKey(key, flags);
  const std::int32_t value = MakeHotKeyValue(flags, key);
  CMainWnd& launcher = *g_pMainWnd;
  if (value == launcher.m_dwHotKey) {
    EndDialog(mb::IDOK);
    return;
  }
  platform().UnregisterHotKey(launcher.GetSafeHwnd(), kBossHotKeyId);
  if (!launcher.RegisterBossKey(value)) {
    // The previous key goes back at once: a refused choice must not leave the
    // program without the boss key that m_dwHotKey and the toolbar name.
    if (launcher.m_dwHotKey != kNoHotKey) launcher.RegisterBossKey(launcher.m_dwHotKey);
    platform().MessageBox(GetSafeHwnd(), kRegisterFailed, kAppName, mb::OK | mb::ICONEXCLAMATION);
    return;
  }
  launcher.m_dwHotKey = value;
  launcher.m_strHotKeyName = m_hotKey->GetHotKeyName();
  EndDialog(mb::IDOK);
}

void CBosskey::OnDestroy() {
  m_pImgBack.reset();
  m_pImgOk.reset();
  m_pImgClose.reset();
  m_pFont.reset();
  m_hotKey.reset();  // the control lives no longer than its window
}

void CBosskey::EndDialog(int result) { platform().EndModalLoop(GetSafeHwnd(), result); }

}  // namespace lv
