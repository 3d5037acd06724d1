#include "update/firmware_upgrade.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <utility>
#include <vector>

#include "common/crc16.hpp"
#include "common/text_ids.hpp"
#include "support/virtual_mice.hpp"
#include "support/worker_fixture.hpp"

namespace korvane {
namespace {

std::vector<std::uint8_t> Image(std::size_t size) {
  std::vector<std::uint8_t> image(size);
  std::iota(image.begin(), image.end(), std::uint8_t{1});
  return image;
}

// The packet expected at offset of a report: index, 16 bytes of the image
// from first (0xFF past its end), CRC-16/MODBUS over both.
void ExpectPacket(const UpdateReport& report, std::size_t offset, std::size_t index,
                  const std::vector<std::uint8_t>& image) {
  std::vector<std::uint8_t> packet{static_cast<std::uint8_t>(index & 0xFF), static_cast<std::uint8_t>(index >> 8)};
  for (std::size_t i = 0; i < 16; ++i) {
    const std::size_t at = index * 16 + i;
    packet.push_back(at < image.size() ? image[at] : 0xFF);
  }
  const std::uint16_t crc = Crc16Modbus(packet);
  packet.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  packet.push_back(static_cast<std::uint8_t>(crc >> 8));
  EXPECT_EQ(std::vector<std::uint8_t>(report.begin() + static_cast<std::ptrdiff_t>(offset),
                                      report.begin() + static_cast<std::ptrdiff_t>(offset + 20)),
            packet)
      << "packet " << index;
}

void ExpectHeader(const UpdateReport& report, std::uint8_t data_bytes) {
  EXPECT_EQ(report[0], 0x05);
  EXPECT_EQ(report[1], 0x02);
  EXPECT_EQ(report[2], data_bytes);
  EXPECT_EQ(report[3], 0x00);
  for (std::size_t i = 4 + data_bytes; i < report.size(); ++i) EXPECT_EQ(report[i], 0xFF) << "byte " << i;
}

TEST(FirmwareReports, StartAndEndCommands) {
  const UpdateReport start = FirmwareStartReport();
  ExpectHeader(start, 2);
  EXPECT_EQ(start[4], 0x01);
  EXPECT_EQ(start[5], 0xFF);
  const UpdateReport end = FirmwareEndReport();
  ExpectHeader(end, 6);
  EXPECT_EQ(end[4], 0x02);
  EXPECT_EQ(end[5], 0xFF);
  for (std::size_t i = 6; i < 10; ++i) EXPECT_EQ(end[i], 0xFF);
}

TEST(FirmwareReports, ImagesOf48And50And100Bytes) {
  // 48 bytes: one full report, no last one.
  auto image = Image(48);
  auto reports = FirmwareImageReports(image);
  ASSERT_EQ(reports.size(), 1u);
  ExpectHeader(reports[0], 60);
  for (std::size_t p = 0; p < 3; ++p) ExpectPacket(reports[0], 4 + 20 * p, p, image);

  // 50 bytes: a full report, then packet 3 with 2 bytes and 14 of 0xFF.
  image = Image(50);
  reports = FirmwareImageReports(image);
  ASSERT_EQ(reports.size(), 2u);
  ExpectHeader(reports[1], 20);
  ExpectPacket(reports[1], 4, 3, image);
  EXPECT_EQ(reports[1][6], 49);
  EXPECT_EQ(reports[1][7], 50);
  EXPECT_EQ(reports[1][8], 0xFF);

  // 100 bytes: two full reports and a last one with one packet of 4 bytes.
  image = Image(100);
  reports = FirmwareImageReports(image);
  ASSERT_EQ(reports.size(), 3u);
  ExpectHeader(reports[2], 20);
  ExpectPacket(reports[2], 4, 6, image);

  // The sizes of a short last report: 17 to 32 bytes left take two packets, 33 to 47 three.
  EXPECT_EQ(FirmwareImageReports(Image(48 + 17)).back()[2], 40);
  EXPECT_EQ(FirmwareImageReports(Image(48 + 33)).back()[2], 60);
  EXPECT_EQ(FirmwareImageReports(Image(100'000)).size(), 2084u);
}

// The virtual mouse's loader behind a device manager whose current
// interface is a wired mouse.
class FirmwareFlashTest : public test::WorkerFixture {
 protected:
  void SetUp() override {
    mouse = Plug(sim::Preset::kWired)[0];
    queue.Push(kTaskStartupScan);
    worker.Start();
    ASSERT_TRUE(WaitForTask(kTaskStartupScan));
    worker.Stop();
  }

  UpdateProblem Flash(const std::vector<std::uint8_t>& image) {
    steps.clear();
    return FlashFirmwareImage(manager, sleeper, image,
                              [this](int text, int percent) { steps.emplace_back(text, percent); });
  }

  sim::VirtualBus::DeviceId mouse = 0;
  test::RecordingSleeper sleeper;
  std::vector<std::pair<int, int>> steps;
};

TEST_F(FirmwareFlashTest, TheLoaderReceivesTheWholeImageWithTheStepsAndPauses) {
  const std::vector<std::uint8_t> image = Image(100);
  EXPECT_EQ(Flash(image), UpdateProblem::kNone);
  using Step = std::pair<int, int>;
  EXPECT_EQ(steps, (std::vector<Step>{{text_id::kUpgradeWriting, 55}, {text_id::kUpgradeWriting, 100}}));
  EXPECT_EQ(sleeper.pauses, (std::vector<std::chrono::milliseconds>(2, std::chrono::milliseconds(10))));

  const sim::UpdateState loader = bus.State(mouse).update;
  EXPECT_TRUE(loader.started);
  EXPECT_TRUE(loader.finished);
  EXPECT_EQ(loader.crc_errors, 0u);
  std::vector<std::uint8_t> padded = image;
  padded.resize(112, 0xFF);
  EXPECT_EQ(loader.image, padded);
}

TEST_F(FirmwareFlashTest, AReportThatCannotBeWrittenStopsWithoutTheEndCommand) {
  // The mouse goes away after its sixth packet.
  bus.SetStateObserver([this](sim::VirtualBus::DeviceId id, const sim::MouseState& state) {
    if (state.update.packets == 6) bus.Unplug(id);
  });
  EXPECT_EQ(Flash(Image(480)), UpdateProblem::kWriteFailed);
  bus.SetStateObserver(nullptr);
  const sim::UpdateState loader = bus.State(mouse).update;
  EXPECT_TRUE(loader.started);
  EXPECT_FALSE(loader.finished);
  EXPECT_EQ(loader.packets, 6u);
  EXPECT_EQ(steps.size(), 2u);
}

TEST(FirmwareFlash, WithoutAnUpdateInterfaceNothingIsSent) {
  sim::VirtualBus bus;
  DeviceManager manager(bus);
  test::RecordingSleeper sleeper;
  int steps = 0;
  EXPECT_EQ(FlashFirmwareImage(manager, sleeper, Image(48), [&](int, int) { ++steps; }), UpdateProblem::kNoInterface);
  EXPECT_EQ(steps, 0);
}

}  // namespace
}  // namespace korvane
