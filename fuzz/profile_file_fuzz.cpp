// Profile files read into profile 1 of a settings database.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/profile_files.hpp"
#include "fuzz_store.hpp"
#include "store/profile_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvane::ConfigStore& store = korvane::fuzz::FuzzStore();
  static const bool profile = korvane::AddProfile(store, {.profile = 1, .name = "Profile 1"}) == 1;
  (void)profile;
  korvane::ProfileRules rules;
  rules.buttons = {0, 1, 2, 3, 4, 5};
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  korvane::ImportProfileDocument(store, 1, bytes, "fuzz", rules);
  return 0;
}
