// Round trips against the in-process virtual mouse, which answers at once.
#include <benchmark/benchmark.h>

#include <vector>

#include "device/device_manager.hpp"
#include "device/multi_packet_write.hpp"
#include "sim/virtual_bus.hpp"

namespace korvane {
namespace {

constexpr std::uint16_t kVendor = 0x3A7C;
constexpr std::uint16_t kWiredPid = 0x1001;
constexpr int kType = 201;

// One wired mouse on a virtual bus, enumerated and selected.
struct Connected {
  Connected() {
    sim::VirtualDevice mouse;
    mouse.name = "wired";
    mouse.vendor_id = kVendor;
    mouse.product_id = kWiredPid;
    mouse.state.identity.dev_id = {'A', '8', '0', '1'};
    bus.Add(mouse);
    manager.AddSupportedMode(kVendor, kWiredPid, "", kType, kWired, "A801");
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SelectDeviceType(kType);
  }
  sim::VirtualBus bus;
  DeviceManager manager{bus};
};

void BM_ExchangeRoundTrip(benchmark::State& state) {
  Connected connected;
  for (auto _ : state) {
    ReportPacket packet = ReadRequest(report::kReadReportRate);
    if (!connected.manager.Exchange(packet, report::kShortPacketSize)) state.SkipWithError("not acknowledged");
    benchmark::DoNotOptimize(packet);
  }
}
BENCHMARK(BM_ExchangeRoundTrip)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The longest macro the sequence byte can number: key code and 101 events
// of four bytes, 405 bytes in 15 packets.
void BM_MacroWrite101Events(benchmark::State& state) {
  Connected connected;
  std::vector<std::uint8_t> stream = {0x01};
  for (int i = 0; i < 101; ++i) stream.insert(stream.end(), {static_cast<std::uint8_t>(i % 2 ? 0xB0 : 0x30), 1, 0, 4});
  for (auto _ : state) {
    if (!WriteMultiPacket(connected.manager, report::kMacroData, stream)) state.SkipWithError("not acknowledged");
  }
}
BENCHMARK(BM_MacroWrite101Events)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
