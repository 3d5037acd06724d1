// Round trips against the in-process virtual mouse, answering at once or 1 ms late.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "device/device_manager.hpp"
#include "device/multi_packet_write.hpp"
#include "sim/virtual_bus.hpp"
#include "worker/pumped_transport.hpp"
#include "worker/task_queue.hpp"

namespace korvane {
namespace {

constexpr std::uint16_t kVendor = 0x3A7C;
constexpr std::uint16_t kWiredPid = 0x1001;
constexpr int kType = 201;

// One wired mouse on a virtual bus, enumerated and selected through a
// transport over that bus.
struct Connected {
  Connected(sim::VirtualBus& bus, HidTransport& transport) : manager(transport) {
    sim::VirtualDevice device;
    device.name = "wired";
    device.vendor_id = kVendor;
    device.product_id = kWiredPid;
    device.state.identity.dev_id = {'A', '8', '0', '1'};
    mouse = bus.Add(device);
    manager.AddSupportedMode(kVendor, kWiredPid, "", kType, kWired, "A801");
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SelectDeviceType(kType);
  }
  ~Connected() { manager.CloseAll(); }
  DeviceManager manager;
  sim::VirtualBus::DeviceId mouse = 0;
};

void BM_ExchangeRoundTrip(benchmark::State& state) {
  sim::VirtualBus bus;
  Connected connected(bus, bus);
  for (auto _ : state) {
    ReportPacket packet = ReadRequest(report::kReadReportRate);
    if (!connected.manager.Exchange(packet, report::kShortPacketSize)) state.SkipWithError("not acknowledged");
    benchmark::DoNotOptimize(packet);
  }
}
BENCHMARK(BM_ExchangeRoundTrip)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One exchange with a mouse that answers 1 ms late, read straight from the
// bus or through the pumped transport the worker uses: the ratio of the
// exchange's time to the mouse's 1 ms is what the host adds per command.
void SlowExchange(benchmark::State& state, bool pumped) {
  sim::VirtualBus bus;
  WakeSignal wake;
  PumpedTransport pumps(bus, wake);
  Connected connected(bus, pumped ? static_cast<HidTransport&>(pumps) : bus);
  constexpr auto kAnswerTime = std::chrono::milliseconds(1);
  bus.DelayAnswers(connected.mouse, kAnswerTime);
  std::vector<double> ratios;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ReportPacket packet = ReadRequest(report::kReadReportRate);
    if (!connected.manager.Exchange(packet, report::kShortPacketSize)) state.SkipWithError("not acknowledged");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    ratios.push_back(std::chrono::duration<double>(elapsed) / kAnswerTime);
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["median_ratio_to_answer_time"] = ratios[ratios.size() / 2];
}
void BM_SlowExchangeFromBus(benchmark::State& state) { SlowExchange(state, false); }
void BM_SlowExchangePumped(benchmark::State& state) { SlowExchange(state, true); }
BENCHMARK(BM_SlowExchangeFromBus)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(BM_SlowExchangePumped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

// The longest macro the sequence byte can number: key code and 101 events
// of four bytes, 405 bytes in 15 packets.
void BM_MacroWrite101Events(benchmark::State& state) {
  sim::VirtualBus bus;
  Connected connected(bus, bus);
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
