#include "performance/rate_model.hpp"

#include <algorithm>
#include <array>

#include "catalog/current_model.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

constexpr std::array<RateEntry, 7> kRates{{
    {"125Hz", 125, 8, Rgb(241, 8, 1)},
    {"250Hz", 250, 4, Rgb(0, 107, 237)},
    {"500Hz", 500, 2, Rgb(0, 246, 77)},
    {"1000Hz", 1000, 1, Rgb(255, 163, 32)},
    {"2000Hz", 2000, 16, Rgb(43, 1, 201)},
    {"4000Hz", 4000, 32, Rgb(0, 255, 255)},
    {"8000Hz", 8000, 64, Rgb(255, 255, 255)},
}};
constexpr int kAllRatesCapability = 7;
constexpr std::size_t kBasicRates = 4;

template <typename Match>
std::optional<RateEntry> FindRate(Match match) {
  const auto it = std::find_if(kRates.begin(), kRates.end(), match);
  if (it == kRates.end()) return std::nullopt;
  return *it;
}

bool Offered(const ConnectionState& state, int code) {
  return OfferedRateIndex(state.Info().rate_capability, code).has_value();
}

void StoreRate(const SettingsTarget& target, int code) {
  const int profile = target.state.current_profile;
  SetConfigInt(target.store, profile, ConfigKey::kReportRate, code);
  SetConfigInt(target.store, profile, ConfigKey::kReportRateWireless, code);
}

}  // namespace

std::span<const RateEntry> OfferedRates(int rate_capability) {
  return std::span<const RateEntry>(kRates).first(rate_capability == kAllRatesCapability ? kRates.size() : kBasicRates);
}

std::optional<std::size_t> OfferedRateIndex(int rate_capability, int code) {
  const auto rates = OfferedRates(rate_capability);
  const auto it = std::find_if(rates.begin(), rates.end(), [code](const RateEntry& e) { return e.code == code; });
  if (it == rates.end()) return std::nullopt;
  return static_cast<std::size_t>(it - rates.begin());
}

std::optional<RateEntry> RateOfCode(int code) {
  return FindRate([code](const RateEntry& e) { return e.code == code; });
}

std::optional<RateEntry> RateOfHertz(int hertz) {
  return FindRate([hertz](const RateEntry& e) { return e.hertz == hertz; });
}

bool ChangeReportRate(const SettingsTarget& target, int code) {
  if (!Offered(target.state, code)) return false;
  StoreRate(target, code);
  target.queue.Push(kTaskReportRate);
  return true;
}

bool ResetReportRate(const SettingsTarget& target, const ModelSources& sources) {
  const CatalogEntry* model = FindModel(sources.catalog, GetCurrentType(sources.settings));
  const ModelDefaults defaults =
      ReadModelDefaultsFile(ModelFilePath(sources.resources, model ? model->device_attr : std::string()));
  const bool stored = defaults.report_rate && Offered(target.state, *defaults.report_rate);
  if (stored) StoreRate(target, *defaults.report_rate);
  target.queue.Push(kTaskReportRate);
  return stored;
}

}  // namespace korvane
