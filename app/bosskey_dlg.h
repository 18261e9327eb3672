// The boss-key settings dialog: a small skinned modal popup over the game
// window in which the player picks another boss key. Its OK image moves the
// launcher's system-wide hot key to the chosen combination and updates the
// launcher's m_dwHotKey and m_strHotKeyName. The choice lasts until the
// program ends; static.ini is never written.
#pragma once

#include <memory>
#include <optional>

#include "app/skin_image.h"
#include "platform/platform.h"

namespace lv {

// The key-capture control is the platform's own hot-key control; the dialog
// adds nothing to it, and it paints itself.
using CHotKeyEdit = HotKeyControl;

class CBosskey : public Window {
 public:
  explicit CBosskey(Window* owner);
  ~CBosskey() override;

  // Creates the dialog over its owner, runs it modally with the owner
  // disabled, and destroys the window again. IDOK or IDCANCEL.
  int DoModal();

  LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(const Msg& msg) override;

  int m_nWidth;
  int m_nHeight;
  ImagePtr m_pImgClose, m_pImgOk, m_pImgBack;
  Rect m_rcClose;
  Rect m_rcOk;
  int m_nCloseState = 0;
  int m_nOkState = 0;
  int m_bFallbackFont = 0;  // 1: the label's preferred family is missing
  std::optional<FontSpec> m_pFont;  // the label's font, from initialisation to destruction
  std::unique_ptr<CHotKeyEdit> m_hotKey;

 private:
  void OnInitDialog();
  void OnPaint();
  void OnMouseMove(Point p);
  void OnLButtonDown(Point p);
  void OnLButtonUp(Point p);
  void OnOkImage();
  void OnDestroy();
  void EndDialog(int result);
  void InvalidateImages();

  Window* m_pOwner;
};

}  // namespace lv
