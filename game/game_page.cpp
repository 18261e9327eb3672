// The game page: loading it, and the one navigation rule of the game window's
// own, "client://loadgame" followed by an ordinary address.
#include "game/vaziv_game.h"
#include "platform/os.h"

namespace lv {
namespace {

constexpr wchar_t kLoadGameMarker[] = L"client://loadgame";
constexpr wchar_t kHttpScheme[] = L"http:";

}  // namespace

void CVazivGame::NavigateGame(const std::wstring& url) {
  if (m_pWebBrowser) m_pWebBrowser->Navigate(url);
}

// The request itself is left to go on: the new navigation supersedes it.
void CVazivGame::OnBeforeNavigate(const std::wstring& url, bool&) {
  if (url.find(kLoadGameMarker) == std::wstring::npos) return;
  const std::size_t at = url.find(kHttpScheme);
  // Without an "http:" after something else, the carried address is the whole
  // text, and loading it would meet this rule again without end: let it pass.
  if (at == std::wstring::npos || at == 0) return;
  NavigateGame(url.substr(at));
}

// A heavy game page grows the process; give back what it can spare after
// every document, frames included.
void CVazivGame::OnDocumentComplete(const std::wstring&) {
  if (m_pWebBrowser && m_pWebBrowser->IsDocumentHtml()) os::TrimOwnWorkingSet();
}

}  // namespace lv
