#include "macros/macro_encoding.hpp"

#include <utility>

#include "keys/key_usage.hpp"

namespace korvane {

namespace {

class RecordWriter {
 public:
  bool HasRecord() const { return !bytes_.empty(); }

  void SetLastDelay(int delay) {
    bytes_[bytes_.size() - 3] = static_cast<std::uint8_t>(delay & 0xFF);
    bytes_[bytes_.size() - 2] = static_cast<std::uint8_t>((delay >> 8) & 0xFF);
  }

  // A new record waits 1 ms until a later event says otherwise.
  void Add(std::uint8_t code, int key) {
    bytes_.insert(bytes_.end(), {code, 0x01, 0x00, static_cast<std::uint8_t>(key & 0xFF)});
  }

  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

void AddKeyRecord(RecordWriter& out, const MacroEvent& event, bool press) {
  if (IsModifierKey(event.value)) {
    out.Add(press ? 0x20 : 0xA0, ModifierBit(event.value));
  } else {
    out.Add(press ? 0x30 : 0xB0, VirtualKeyToUsage(event.value));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeMacroEvents(std::span<const MacroEvent> events) {
  RecordWriter out;
  int pending_delay = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const MacroEvent& event = events[i];
    if (event.type == kEventDelay) {
      pending_delay += event.value;
      if (i + 1 == events.size() && out.HasRecord()) out.SetLastDelay(pending_delay);
      continue;
    }
    if (out.HasRecord()) {
      out.SetLastDelay(pending_delay > 0 ? pending_delay : 1);
      pending_delay = 0;
    }
    switch (event.type) {
      case kEventKeyDown:
        AddKeyRecord(out, event, true);
        break;
      case kEventKeyUp:
        AddKeyRecord(out, event, false);
        break;
      case kEventMouseDown:
        out.Add(0x10, event.value);
        break;
      case kEventMouseUp:
        out.Add(0x90, event.value);
        break;
      default:
        break;
    }
  }
  return out.Take();
}

std::vector<std::uint8_t> MacroStream(int key_code, std::span<const MacroEvent> events) {
  std::vector<std::uint8_t> stream{static_cast<std::uint8_t>(key_code & 0xFF)};
  const std::vector<std::uint8_t> records = EncodeMacroEvents(events);
  stream.insert(stream.end(), records.begin(), records.end());
  return stream;
}

}  // namespace korvane
