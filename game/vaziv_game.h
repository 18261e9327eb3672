// The game window: the chosen server's game page below a self-drawn 40-pixel
// caption band with the logo, the title and the toolbar. It has no system
// caption or border: it hit-tests its own edges for resizing, moves from the
// caption's free part and maximises onto the work area.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/skin_image.h"
#include "game/game_thread_state.h"
#include "platform/platform.h"

namespace lv {

class CWebCtrlInterFace;

class CVazivGame : public Window, public BrowserEvents {
 public:
  // Creates the window at once, hidden and centred at its initial size. When
  // the game page's browser cannot be created the window ends itself again:
  // GetSafeHwnd() is then 0 and the owner deletes the object.
  CVazivGame();
  ~CVazivGame() override;

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(const Msg& msg) override;

  // The game page's navigations.
  void OnBeforeNavigate(const std::wstring& url, bool& cancel) override;
  void OnDocumentComplete(const std::wstring& url) override;
  void NavigateGame(const std::wstring& url);

  void ToggleMaximize();

  // Toolbar.
  void LayoutToolbar();
  void LayoutVipButton();
  void RefreshHover();
  void ShowBossTip(const std::wstring& text);
  void HideBossTip();
  // "确定要退出当前正在玩的游戏吗？"; on OK the launcher takes the window down.
  void ConfirmLeaveGame();
  void OnBossKeyButton();
  void StartCacheClean();
  void OpenPayment();
  void OpenActivation();
  void OpenVipChat();

  // The customer-service parameters handed over by the server-list page.
  void StartVipService(std::wstring params);

  // Toolbar button indices (m_nHotButton); 7 is not used.
  enum ButtonIndex { kNoButton = 0, kClose = 1, kMin = 2, kMax = 3, kServer = 4, kClean = 5, kBoss = 6, kPay = 8 };

  int m_nWidth = 0;
  int m_nHeight = 0;
  ImagePtr m_pImgFrame, m_pImgLogo, m_pImgClose, m_pImgMin, m_pImgMax, m_pImgRestore, m_pImgServer, m_pImgClean,
      m_pImgBoss, m_pImgSpin, m_pImgCleaning, m_pImgPay, m_pImgBind, m_pImgVip;
  Rect m_rcClose, m_rcMin, m_rcMax;
  Rect m_rcServer, m_rcBoss, m_rcPay;
  Rect m_rcDrag;
  Rect m_rcVip;  // empty while there is no VIP customer-service button
  int m_nServerState = 0, m_nCloseState = 0, m_nMinState = 0, m_nMaxState = 0, m_nCleanState = 0,
      m_nBossState = 0, m_nPayState = 0;
  int m_nHotButton = kNoButton;
  Rect m_rcEdgeTop, m_rcEdgeLeft, m_rcEdgeRight, m_rcEdgeBottom, m_rcEdgeTopLeft, m_rcEdgeTopRight,
      m_rcEdgeBottomLeft, m_rcEdgeBottomRight;
  bool m_bTracking = false;
  std::unique_ptr<FontSpec> m_pFont;
  Window* m_pPayWnd = nullptr;   // the payment window while it exists; owned
  Window* m_pBindWnd = nullptr;  // the account-activation window while it exists; owned
  unsigned m_nBlinkTimer;
  Window* m_pVipWnd = nullptr;  // the VIP message window while it exists; owned
  // The customer-service parameter texts; empty until a parameter string has
  // been accepted. Present means that the VIP button is present.
  std::vector<std::string> m_imFields;
  Rect m_rcBrowser;
  std::unique_ptr<ToolTip> m_tip;
  Rect m_rcClean;
  std::unique_ptr<BrowserPane> m_pWebBrowser;  // null when it could not be created
  CWebCtrlInterFace* m_pClientSite = nullptr;  // reference-counted
  // The gates, flags and rectangle that the worker threads share.
  std::shared_ptr<GameThreadState> m_pShared;

 private:
  LRESULT OnCreate();
  void OnPaint();
  void OnSize(unsigned type, int cx, int cy);
  LRESULT OnNcHitTest(Point screen);
  void OnSetCursor(int hit_code);
  bool OnNcLButtonDown(WPARAM hit_code, LPARAM lParam);
  void OnSysCommand(WPARAM command);
  void OnGetMinMaxInfo(MinMaxInfo* info);
  void OnTimer(unsigned id);
  void OnClose();
  void OnClosePay();
  void OnCloseBind();
  void OnImReady();
  void OnVipMessage(WPARAM show);
  void OnCloseVipMsg();
  // The fourteen skin images, in the order they load.
  std::array<std::pair<int, ImagePtr*>, 14> SkinImages();
  void LayoutActivationButton();
  void FitWorkArea();
  void PlaceBrowser();

  // Toolbar mouse and drawing (game_toolbar.cpp).
  void OnMouseMove(Point p);
  void OnLButtonDown(Point p);
  void OnLButtonUp(Point p);
  void OnMouseLeave();
  void DrawToolbar(Canvas& canvas);
  void StartActivationBlinkOnceVisible();
};

extern CVazivGame* g_pGameWnd;

}  // namespace lv
