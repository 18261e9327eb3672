// window.external for WebKit pages. An injected script gives each page (and
// each of its frames) a window.external whose members are looked up in, and
// called on, the client's automation object. Both go through synchronous
// requests to a URI scheme that the program answers itself, so a call
// returns its result, and its effects have happened, when the script's call
// returns, as pages of the original control expect.
#pragma once

#include <webkit2/webkit2.h>

#include "platform/com.h"

namespace lv::gtk {

// Makes `context` answer the bridge's requests. Before the context's first
// view: a view takes the schemes it knows when it is made.
void RegisterBridgeScheme(WebKitWebContext* context);

// Gives the pages that `view` loads from now on a window.external backed by
// `external`, which must outlive the view's bridge (RemoveScriptBridge).
void InstallScriptBridge(WebKitWebView* view, IDispatch* external);
void RemoveScriptBridge(WebKitWebView* view);

}  // namespace lv::gtk
