#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

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

namespace {

#ifndef MADV_PAGEOUT
constexpr int MADV_PAGEOUT = 21;  // Linux 5.4
#endif

// Pushes the resident pages of the process's private anonymous writable
// mappings out of memory. The pages keep their contents: they come back from
// swap on the next touch. The main stack and the kernel's own pages are left.
void PageOutPrivateMemory() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    std::istringstream fields(line);
    std::string range, perms, offset, device, inode, path;
    fields >> range >> perms >> offset >> device >> inode;
    std::getline(fields >> std::ws, path);
    const bool anonymous = inode == "0" && (path.empty() || path == "[heap]" || path.starts_with("[anon:"));
    if (!anonymous || perms.size() < 4 || perms[1] != 'w' || perms[3] != 'p') continue;
    const std::size_t dash = range.find('-');
    if (dash == std::string::npos) continue;
    const std::uintptr_t start = std::stoull(range.substr(0, dash), nullptr, 16);
    const std::uintptr_t end = std::stoull(range.substr(dash + 1), nullptr, 16);
    // Refused for locked mappings, and everywhere by kernels before 5.4: then
    // the heap trim alone has done what can be done.
    ::madvise(reinterpret_cast<void*>(start), end - start, MADV_PAGEOUT);
  }
}

}  // namespace

// The heap's free pages go back to the system; the rest of the private memory
// goes out to swap where there is swap.
void TrimOwnWorkingSet() {
  ::malloc_trim(0);
  PageOutPrivateMemory();
}

}  // namespace lv::os
