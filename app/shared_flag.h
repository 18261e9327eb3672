// A 32-bit flag that the GUI thread sets and worker threads read. The value
// lives in shared storage: a worker that took Share() keeps reading it safely
// even after the window that owns the flag is gone.
#pragma once

#include <atomic>
#include <memory>

namespace lv {

class SharedFlag {
 public:
  explicit SharedFlag(int value) : value_(std::make_shared<std::atomic<int>>(value)) {}
  SharedFlag(const SharedFlag&) = delete;
  SharedFlag& operator=(const SharedFlag&) = delete;

  SharedFlag& operator=(int value) {
    value_->store(value);
    return *this;
  }
  operator int() const { return value_->load(); }

  std::shared_ptr<const std::atomic<int>> Share() const { return value_; }

 private:
  std::shared_ptr<std::atomic<int>> value_;
};

}  // namespace lv
