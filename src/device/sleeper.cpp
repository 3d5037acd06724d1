#include "device/sleeper.hpp"

#include <thread>

namespace korvane {

void ThreadSleeper::SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace korvane
