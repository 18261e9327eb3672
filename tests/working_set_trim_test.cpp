#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/os.h"

namespace lv {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;

std::size_t ResidentBytes() {
  std::size_t size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

bool SystemHasSwap() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  std::size_t kib = 0;
  while (meminfo >> key >> kib) {
    if (key == "SwapTotal:") return kib > 0;
    meminfo.ignore(64, '\n');
  }
  return false;
}

TEST(WorkingSetTrim, GivesBackFreedHeapMemory) {
  // Small blocks live inside the heap. Every other one is freed, so the
  // freed ones cannot merge into the heap's end, and free() alone leaves
  // their pages resident.
  constexpr std::size_t kBlock = 16 * 1024, kTotal = 64 * kMiB;
  std::vector<std::unique_ptr<char[]>> blocks(kTotal / kBlock);
  for (auto& block : blocks) {
    block.reset(new char[kBlock]);
    std::memset(block.get(), 0x5A, kBlock);
  }
  for (std::size_t n = 0; n < blocks.size(); n += 2) blocks[n].reset();
  const std::size_t before = ResidentBytes();
  os::TrimOwnWorkingSet();
  const std::size_t after = ResidentBytes();
  EXPECT_LT(after + kTotal / 4, before) << "before " << before / kMiB << " MiB, after " << after / kMiB << " MiB";
}

TEST(WorkingSetTrim, KeepsTheContentsOfMemoryInUse) {
  constexpr std::size_t kSize = 64 * kMiB;
  std::vector<unsigned char> kept(kSize);
  for (std::size_t i = 0; i < kSize; ++i) kept[i] = static_cast<unsigned char>(i * 131 + 7);
  const std::size_t before = ResidentBytes();
  os::TrimOwnWorkingSet();
  const std::size_t after = ResidentBytes();
  // Only swap can take pages that are still in use; without it they stay.
  if (SystemHasSwap()) {
    EXPECT_LT(after + kSize / 2, before);
  }
  for (std::size_t i = 0; i < kSize; ++i) {
    if (kept[i] != static_cast<unsigned char>(i * 131 + 7)) FAIL() << "changed at " << i;
  }
}

}  // namespace
}  // namespace lv
