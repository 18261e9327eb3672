// Where the operator's servers are. Compiled-in defaults, overridable at run
// time by an optional "servers.ini" beside the program, section [servers],
// keys site, pay, kefu, portal, log and cs, each a base address such as
// http://127.0.0.1:8080 (no trailing "/").
#pragma once

#include <string>

namespace lv {

struct OperatorHosts {
  std::wstring site;    // the game's home page (official site and forum links)
  std::wstring pay;     // the payment site
  std::wstring kefu;    // the customer-service page
  std::wstring portal;  // the portal: access page, heartbeat
  std::wstring log;     // the usage-log receiver
  std::wstring cs;      // the customer-service server; its host goes to the chat library
};

// Reads servers.ini from `module_dir` (ending in a path separator) over the defaults.
void LoadOperatorHosts(const std::wstring& module_dir);
const OperatorHosts& GetOperatorHosts();

// The host part of a base address: "http://127.0.0.1:8080" gives "127.0.0.1:8080".
std::wstring HostOf(const std::wstring& base_address);

}  // namespace lv
