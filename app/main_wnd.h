// The launcher: a borderless per-pixel-alpha window drawn from the skin, with
// four link buttons, minimise and close, carrying the server-list page window
// over its page area. It is the program's main window and the hub of the
// state the other windows share through g_pMainWnd.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/launcher_skin.h"
#include "app/shared_flag.h"
#include "app/skin_image.h"

namespace lv {

// The caption of the questions before leaving: the program, or the game.
constexpr wchar_t kExitCaption[] = L"退出提示";

class CWebDlg;
class CVazivGame;

class CMainWnd : public Window {
 public:
  // start_mode 0: normal, 1: hidden ("-hh"). Creates the window at once.
  explicit CMainWnd(int start_mode);
  ~CMainWnd() override;

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;

  // "确定要退出吗？"; on OK the launcher closes, which ends the program.
  void ConfirmExit();
  void UpdateSkin();
  void CreatePageWindow();
  void PlacePageWindow();

  // static.ini
  std::wstring GetIniString(const std::wstring& key, const std::wstring& default_value);
  void SetStartFlag();
  void LoadConfig();

  // Boss key and tray icon.
  void NotifyTray(bool add);
  bool RegisterBossKey(std::int32_t value);
  void ToggleBossKey();

  std::wstring m_strModuleDir;
  int m_bPageCreated;
  int m_nWidth = 0;
  int m_nHeight = 0;
  ImagePtr m_pImgBack, m_pImgClose, m_pImgMin, m_pImgSite, m_pImgPay, m_pImgService, m_pImgForum;
  Rect m_rcClose, m_rcMin, m_rcSite, m_rcPay, m_rcService, m_rcForum;
  int m_nCloseState = 0, m_nMinState = 0, m_nSiteState = 0, m_nPayState = 0, m_nServiceState = 0,
      m_nForumState = 0;
  CWebDlg* m_pWebDlg = nullptr;
  unsigned m_nReportTimer;
  Rect m_rcPage;
  std::wstring m_strUid;
  std::wstring m_strSuid;
  std::wstring m_strPayUrl;
  std::wstring m_strGameUrl;
  std::wstring m_strServerName;
  int m_bFirstLoad = 1;
  std::wstring m_strIniPath;
  std::wstring m_strHotKeyName;
  std::int32_t m_dwHotKey = 0;
  CVazivGame* m_pGameWnd = nullptr;
  int m_bGameMaximized = 1;
  SharedFlag m_bHideBindBtn{1};  // read by the game window's blink worker
  std::wstring m_strImParam;

 private:
  // One of the six buttons of the skin: hit area, state, image and action.
  struct Area {
    Rect* rect;
    int* state;
    ImagePtr* image;
    std::wstring address;  // opened in the user's browser; empty for close and minimise
  };

  LRESULT OnCreate();
  void OnMouseMove(Point p);
  void OnLButtonDown(Point p);
  void OnLButtonUp(Point p);
  void OnTimer(unsigned id);
  void OnShowWindow(bool show);
  void OnClose();
  void OnTrayIcon(LPARAM mouse_message);
  void OnOpenGame();
  void OnBackToLauncher();
  void OnShowIm();
  Area* AreaAt(Point p);
  void LoadSkinImages();
  void ReleaseSkinImages();

  std::vector<Area> m_areas;  // close, minimise, site, pay, service, forum: the drawing order
  LauncherSkin m_skin;
};

extern CMainWnd* g_pMainWnd;

// "12345_678.exe" gives uid 12345 and name 678 (see static.ini's "filename").
void SplitFileName(std::wstring& name, std::wstring& uid);

}  // namespace lv
