// korvane-test-write-zip ZIP NAME FILE [NAME FILE]...: writes a zip holding
// each FILE's bytes as the member NAME, for the command-line tests' update
// packages.
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "support/zip_writer.hpp"

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::cerr << "usage: korvane-test-write-zip ZIP NAME FILE [NAME FILE]...\n";
    return 2;
  }
  std::vector<korvane::test::ZipEntry> entries;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::ifstream in(argv[i + 1], std::ios::binary);
    std::ostringstream bytes;
    if (!(bytes << in.rdbuf())) {
      std::cerr << "korvane-test-write-zip: cannot read " << argv[i + 1] << '\n';
      return 1;
    }
    entries.push_back({argv[i], bytes.str()});
  }
  try {
    korvane::test::WriteZip(argv[1], entries);
  } catch (const std::exception& error) {
    std::cerr << "korvane-test-write-zip: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
