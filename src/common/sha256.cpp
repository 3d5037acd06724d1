#include "common/sha256.hpp"

#include <openssl/evp.h>

#include <stdexcept>

namespace korvane {

namespace {

void Start(EVP_MD_CTX* context) {
  if (EVP_DigestInit_ex(context, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256: cannot start a digest");
}

}  // namespace

void Sha256::ContextFree::operator()(evp_md_ctx_st* context) const { EVP_MD_CTX_free(context); }

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
  if (!context_) throw std::runtime_error("SHA-256: out of memory");
  Start(context_.get());
}

void Sha256::Update(std::span<const std::uint8_t> bytes) {
  if (EVP_DigestUpdate(context_.get(), bytes.data(), bytes.size()) != 1) {
    throw std::runtime_error("SHA-256: cannot add data to the digest");
  }
}

std::string Sha256::FinishHex() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context_.get(), digest, &length) != 1) {
    throw std::runtime_error("SHA-256: cannot finish the digest");
  }
  Start(context_.get());
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * length);
  for (unsigned int i = 0; i < length; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 0x0F];
  }
  return hex;
}

std::string Sha256Hex(std::span<const std::uint8_t> bytes) {
  Sha256 sha;
  sha.Update(bytes);
  return sha.FinishHex();
}

}  // namespace korvane
