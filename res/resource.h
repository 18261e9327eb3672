// Resource numbers of the Windows program, shared by lumioveyra.rc and the
// Windows code. The skin PNGs keep the numbers of their file names.
#pragma once

#define IDI_LUMIOVEYRA 148   // application and tray icon
#define IDR_TRAY_MENU 161    // the tray icon's menu
#define ID_TRAY_EXIT 32772   // its one item, 退出
#define IDD_PAGE_WINDOW 102  // the server-list page window: a borderless popup
#define IDD_BOSS_KEY 129     // the boss-key dialog
