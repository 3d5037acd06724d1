// Macro files of either layout, read into a settings database and emptied
// again, so the tables stay small however long the run.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/macro_files.hpp"
#include "fuzz_store.hpp"
#include "store/store_query.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvane::ConfigStore& store = korvane::fuzz::FuzzStore();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  korvane::ImportMacroDocument(store, bytes, 201);
  korvane::RunWrite(store, "DELETE FROM t_macrorecord", {});
  korvane::RunWrite(store, "DELETE FROM t_macro_data", {});
  return 0;
}
