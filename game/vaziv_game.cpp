#include "game/vaziv_game.h"

namespace lv {

CVazivGame* g_pGameWnd = nullptr;

CVazivGame::CVazivGame() {
  WindowSpec spec;
  spec.style = ws::POPUP | ws::CLIPSIBLINGS | ws::CLIPCHILDREN | ws::SYSMENU | ws::MINIMIZEBOX | ws::MAXIMIZEBOX;
  platform().CreateWindowFor(this, spec);
  g_pGameWnd = this;
}

CVazivGame::~CVazivGame() {
  if (GetSafeHwnd()) platform().DestroyWindow(GetSafeHwnd());
}

void CVazivGame::StartVipService(std::wstring) {}

}  // namespace lv
