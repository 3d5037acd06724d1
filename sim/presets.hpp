#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/virtual_device.hpp"

namespace korvane::sim {

enum class Preset { kWired, kReceiver, kReceiverUnlinked, kBoth };

// "wired", "receiver", "receiver-unlinked", "both".
std::optional<Preset> ParsePreset(std::string_view text);

// Overrides of what the catalog and the trait table give.
struct PresetOptions {
  Preset preset = Preset::kWired;
  std::optional<std::string> model;  // device_attr; default: the first model with the preset's modes
  std::optional<int> sensor;
  std::optional<int> rate_capability;
  std::optional<std::string> dev_id;           // four characters
  std::optional<std::pair<int, int>> battery;  // A, B
};

struct PresetResult {
  std::vector<VirtualDevice> devices;  // wired first
  std::string error;                   // set when devices is empty
};

// Builds the devices of a preset from the catalog in the resources folder:
// USB ids and device id from the model's modes, factory settings from its
// definition file, hardware traits from the trait table.
PresetResult BuildPreset(const std::filesystem::path& resources, const PresetOptions& options);

}  // namespace korvane::sim
