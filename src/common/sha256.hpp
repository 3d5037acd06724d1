#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

struct evp_md_ctx_st;

namespace korvane {

// SHA-256 over data that arrives in pieces (a download, a file read in
// blocks). Throws std::runtime_error when the crypto library fails.
class Sha256 {
 public:
  Sha256();

  void Update(std::span<const std::uint8_t> bytes);

  // The digest of everything given since construction or the last finish, as
  // 64 lowercase hex digits; the object then starts over, empty.
  std::string FinishHex();

 private:
  struct ContextFree {
    void operator()(evp_md_ctx_st* context) const;
  };
  std::unique_ptr<evp_md_ctx_st, ContextFree> context_;
};

// The SHA-256 of `bytes` as 64 lowercase hex digits.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace korvane
