#include "sim/control_commands.hpp"

#include <functional>
#include <map>
#include <optional>

#include "common/text.hpp"
#include "sim/state_json.hpp"

namespace korvane::sim {

namespace {

using Id = VirtualBus::DeviceId;
using Milliseconds = VirtualBus::Milliseconds;

struct Command {
  std::size_t arguments;           // required
  std::size_t optional_arguments;  // allowed beyond the required ones
  // Applies the command to one device; false when it does not apply there.
  std::function<bool(VirtualBus&, Id, const std::vector<int>&)> apply;
  int max_value;  // every argument must lie in 0..max_value
};

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands{
      {"link", {0, 0, [](VirtualBus& b, Id id, const auto&) { return b.Link(id); }, 0}},
      {"unlink", {0, 0, [](VirtualBus& b, Id id, const auto&) { return b.Unlink(id); }, 0}},
      {"plug", {0, 0, [](VirtualBus& b, Id id, const auto&) { return b.Plug(id); }, 0}},
      {"unplug", {0, 0, [](VirtualBus& b, Id id, const auto&) { return b.Unplug(id); }, 0}},
      {"dpi-button", {2, 0, [](VirtualBus& b, Id id, const auto& a) { return b.PressDpiButton(id, a[0], a[1]); }, 255}},
      {"battery",
       {2, 0,
        [](VirtualBus& b, Id id, const auto& a) {
          return b.SetBattery(id, static_cast<std::uint8_t>(a[0]), static_cast<std::uint8_t>(a[1]));
        },
        255}},
      {"nak",
       {1, 1,
        [](VirtualBus& b, Id id, const auto& a) {
          b.AnswerBusy(id, a[0], Milliseconds(a.size() > 1 ? a[1] : 100));
          return true;
        },
        600000}},
      {"drop",
       {1, 0,
        [](VirtualBus& b, Id id, const auto& a) {
          b.DropCommands(id, a[0]);
          return true;
        },
        1000000}},
      {"delay",
       {1, 0,
        [](VirtualBus& b, Id id, const auto& a) {
          b.DelayAnswers(id, Milliseconds(a[0]));
          return true;
        },
        600000}},
      {"interject",
       {1, 0,
        [](VirtualBus& b, Id id, const auto& a) {
          b.InterjectBeforeAnswers(id, a[0]);
          return true;
        },
        1000000}},
      {"unplug-mid-write",
       {0, 0,
        [](VirtualBus& b, Id id, const auto&) {
          b.UnplugDuringMultiPacketWrite(id);
          return true;
        },
        0}},
  };
  return commands;
}

std::optional<std::vector<int>> Arguments(const std::vector<std::string>& words, int max_value) {
  std::vector<int> values;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::optional<int> value = ParseDecimal(words[i]);
    if (!value || *value < 0 || *value > max_value) return std::nullopt;
    values.push_back(*value);
  }
  return values;
}

// The devices of the bus with that name, or all when the name is empty.
std::vector<Id> Selected(const VirtualBus& bus, const std::string& device) {
  std::vector<Id> ids = bus.Devices();
  if (!device.empty()) std::erase_if(ids, [&](Id id) { return bus.Name(id) != device; });
  return ids;
}

}  // namespace

std::string BusStateText(const VirtualBus& bus, const std::string& device) {
  const std::vector<Id> ids = Selected(bus, device);
  if (ids.size() == 1) return StateToJson(bus.State(ids[0])).dump(2);
  nlohmann::ordered_json all = nlohmann::ordered_json::object();
  for (const Id id : ids) all[bus.Name(id)] = StateToJson(bus.State(id));
  return all.dump(2);
}

ControlResult RunControl(VirtualBus& bus, const std::string& device, const std::vector<std::string>& words) {
  const std::vector<Id> ids = Selected(bus, device);
  if (ids.empty()) return {false, "no device named " + device};
  if (words.empty()) return {false, "no command"};
  if (words[0] == "state" && words.size() == 1) return {true, BusStateText(bus, device)};
  const auto found = Commands().find(words[0]);
  if (found == Commands().end()) return {false, "unknown command: " + words[0]};
  const Command& command = found->second;
  const std::size_t given = words.size() - 1;
  const std::optional<std::vector<int>> arguments = Arguments(words, command.max_value);
  if (given < command.arguments || given > command.arguments + command.optional_arguments || !arguments) {
    return {false, "bad arguments for " + words[0]};
  }
  bool applied = false;
  for (const Id id : ids) applied = command.apply(bus, id, *arguments) || applied;
  if (!applied) return {false, words[0] + " does not apply to any device in its present state"};
  return {true, "ok"};
}

}  // namespace korvane::sim
