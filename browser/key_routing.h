// Keyboard routing shared by the browser popups: what their page never gets
// to see, and what goes on to the engine's own accelerators.
#pragma once

#include "platform/platform.h"

namespace lv {

// Escape is swallowed (it would end the popup) and Alt+F4 asks whether to
// end the whole program. True: the key was taken; nothing of the popup may
// be touched afterwards, since ending the program destroys it.
bool TakePopupKey(const Msg& msg);

// Lets the engine translate the key (a missing pane does nothing). Always
// false: the message is still translated and dispatched as usual.
bool PassKeyToPane(BrowserPane* pane, const Msg& msg);

}  // namespace lv
