#pragma once

#include <chrono>

namespace korvane {

// Waits whose length is behaviour (retry pauses), behind a seam so tests can
// count them instead of sleeping.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

// Sleeps on the calling thread.
class ThreadSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override;
};

}  // namespace korvane
