#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>

#include "common/sha256.hpp"

namespace korvane::test {

// A file's whole contents; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The SHA-256 of bytes held in a string, as 64 lowercase hex digits.
inline std::string Sha256Of(const std::string& bytes) {
  return Sha256Hex(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace korvane::test
