// The game window: the chosen server's game page below a self-drawn caption.
#pragma once

#include <string>

#include "platform/platform.h"

namespace lv {

class CVazivGame : public Window {
 public:
  // Creates the window at once (hidden).
  CVazivGame();
  ~CVazivGame() override;

  // The customer-service parameters handed over by the server-list page.
  void StartVipService(std::wstring params);
};

extern CVazivGame* g_pGameWnd;

}  // namespace lv
