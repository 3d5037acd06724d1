#pragma once

#include <cstdlib>

namespace korvane::test {

// The shipped resources name the product's real update servers. Tests that
// run the update checks against them send every request to a closed
// loopback port instead, so a check fails at once and never leaves the
// machine; loopback servers started by the tests are reached directly.
inline void KeepUpdateChecksOffline() {
  setenv("ALL_PROXY", "http://127.0.0.1:9", 1);
  setenv("NO_PROXY", "127.0.0.1,localhost", 1);
}

}  // namespace korvane::test
