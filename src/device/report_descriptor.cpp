#include "device/report_descriptor.hpp"

#include <algorithm>
#include <map>
#include <vector>

namespace korvane {

namespace {

// Short item prefix: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1 };
enum MainTag : std::uint8_t { kOutput = 0x9 };
enum GlobalTag : std::uint8_t { kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };
constexpr std::uint8_t kLongItem = 0xFE;

// The global items the output length depends on.
struct Globals {
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
  std::uint32_t report_id = 0;
};

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  return value;
}

}  // namespace

std::optional<std::size_t> OutputReportLength(std::span<const std::uint8_t> descriptor) {
  Globals globals;
  std::vector<Globals> stack;
  std::map<std::uint32_t, std::uint64_t> output_bits;  // by report id
  for (std::size_t at = 0; at < descriptor.size();) {
    const std::uint8_t prefix = descriptor[at];
    if (prefix == kLongItem) {
      // 0xFE, data size, long tag, data: no long item bears on report lengths.
      if (at + 1 >= descriptor.size() || at + 3 + descriptor[at + 1] > descriptor.size()) return std::nullopt;
      at += 3 + descriptor[at + 1];
      continue;
    }
    const std::size_t size = (prefix & 0x3) == 3 ? 4 : prefix & 0x3;
    if (at + 1 + size > descriptor.size()) return std::nullopt;
    const std::uint32_t value = LittleEndian(descriptor.subspan(at + 1, size));
    const std::uint8_t type = (prefix >> 2) & 0x3;
    const std::uint8_t tag = prefix >> 4;
    at += 1 + size;
    if (type == kMain && tag == kOutput) {
      output_bits[globals.report_id] += std::uint64_t{globals.report_size} * globals.report_count;
    } else if (type == kGlobal) {
      switch (tag) {
        case kReportSize:
          globals.report_size = value;
          break;
        case kReportId:
          globals.report_id = value;
          break;
        case kReportCount:
          globals.report_count = value;
          break;
        case kPush:
          stack.push_back(globals);
          break;
        case kPop:
          if (stack.empty()) return std::nullopt;
          globals = stack.back();
          stack.pop_back();
          break;
        default:
          break;
      }
    }
  }
  std::uint64_t longest = 0;
  for (const auto& [id, bits] : output_bits) longest = std::max(longest, bits);
  if (longest == 0) return std::nullopt;
  return static_cast<std::size_t>(1 + (longest + 7) / 8);
}

}  // namespace korvane
