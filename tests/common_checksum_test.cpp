#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/crc16.hpp"
#include "common/sha256.hpp"

namespace korvane {
namespace {

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Crc16Modbus, MatchesTheCheckValues) {
  EXPECT_EQ(Crc16Modbus(BytesOf("123456789")), 0x4B37);
  EXPECT_EQ(Crc16Modbus(BytesOf("")), 0xFFFF) << "the initial value, no final XOR";
}

TEST(Sha256, MatchesTheStandardVectors) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  for (const auto& [text, digest] : cases) EXPECT_EQ(Sha256Hex(BytesOf(text)), digest) << '"' << text << '"';
}

// Pieces of any size, empty ones included, give the one-shot digest, and a
// finished object starts a new digest.
TEST(Sha256, StreamedPiecesGiveTheOneShotDigest) {
  const std::string_view text = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  Sha256 sha;
  for (const std::size_t split : {std::size_t{0}, std::size_t{1}, std::size_t{55}, text.size()}) {
    sha.Update(BytesOf(text.substr(0, split)));
    sha.Update(BytesOf(text.substr(split)));
    EXPECT_EQ(sha.FinishHex(), Sha256Hex(BytesOf(text))) << "split at " << split;
  }

  const std::string thousand(1000, 'a');
  for (int i = 0; i < 1000; ++i) sha.Update(BytesOf(thousand));
  EXPECT_EQ(sha.FinishHex(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0") << "a million 'a'";
  EXPECT_EQ(sha.FinishHex(), Sha256Hex({})) << "nothing after a finish";
}

}  // namespace
}  // namespace korvane
