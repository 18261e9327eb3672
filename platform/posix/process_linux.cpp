#include <malloc.h>
#include <unistd.h>

#include <climits>

#include "platform/os.h"
#include "platform/text.h"

namespace lv::os {

std::wstring ModulePath() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return L"";
  return FromUtf8(std::string_view(buffer, static_cast<std::size_t>(n)));
}

// Linux has no privilege that corresponds; the program runs with the user's rights.
void EnableDebugPrivilege() {}

void TrimOwnWorkingSet() { ::malloc_trim(0); }

}  // namespace lv::os
