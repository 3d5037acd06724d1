// Golden request -> answer tables, one per command, run against the
// firmware function directly. A request is written from byte 1 on (command,
// 00, sequence, length, payload) with its checksum written out; the helper
// adds the report id and puts the checksum in byte 32.
// An answer lists its bytes from byte 0 (command, status, sequence, data
// length, data); every later byte up to the checksum must be 0.
#include "sim/firmware.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "support/sim_test_support.hpp"

namespace korvane::sim {
namespace {

using test::Bytes;
using test::Frame;
using test::Hex;
using test::ToHex;

struct Step {
  std::string request;
  std::uint8_t checksum;
  std::string answer;  // empty: the device stays silent
};

struct Case {
  std::string name;
  std::vector<Step> steps;
};

void ExpectAnswer(const std::optional<InputReport>& got, const std::string& want_text) {
  if (want_text.empty()) {
    EXPECT_FALSE(got.has_value()) << ToHex(*got);
    return;
  }
  ASSERT_TRUE(got.has_value());
  ASSERT_EQ(got->size(), kInputReportSize);
  const Bytes want = Hex(want_text);
  EXPECT_EQ(ToHex(Bytes(got->begin(), got->begin() + want.size())), ToHex(want));
  for (std::size_t i = want.size(); i + 1 < kInputReportSize; ++i) EXPECT_EQ((*got)[i], 0) << "byte " << i;
  const unsigned sum = std::accumulate(got->begin() + 4, got->end() - 1, 0u);
  EXPECT_EQ(got->back(), sum & 0xFF) << "answer checksum";
}

void RunCases(const std::vector<Case>& cases, MouseState (*make)() = test::FactoryWiredMouse) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MouseState state = make();
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.request);
      ExpectAnswer(HandleConfigReport(state, Frame(step.request, step.checksum)), step.answer);
    }
  }
}

TEST(FirmwareTable, ReportRate) {
  RunCases({
      {"1000 Hz", {{"02 00 01 01 01", 0x01, "02 00 01 00"}, {"12 00 00 00", 0x00, "12 00 00 01 01"}}},
      {"125 Hz", {{"02 00 01 01 08", 0x08, "02 00 01 00"}, {"12 00 00 00", 0x00, "12 00 00 01 08"}}},
      {"8000 Hz within capability 0x40", {{"02 00 01 01 40", 0x40, "02 00 01 00"}, {"12", 0x00, "12 00 00 01 40"}}},
      {"not a rate code", {{"02 00 01 01 03", 0x03, "02 04 01 00"}, {"12", 0x00, "12 00 00 01 01"}}},
      {"zero", {{"02 00 01 01 00", 0x00, "02 04 01 00"}, {"12", 0x00, "12 00 00 01 01"}}},
  });
}

TEST(FirmwareTable, ReportRateAboveCapabilityIsRefused) {
  MouseState state = test::FactoryWiredMouse();
  state.identity.rate_capability = 0x20;
  ExpectAnswer(HandleConfigReport(state, Frame("02 00 01 01 20", 0x20)), "02 00 01 00");
  ExpectAnswer(HandleConfigReport(state, Frame("02 00 01 01 40", 0x40)), "02 04 01 00");
  state.identity.rate_capability = 0;
  ExpectAnswer(HandleConfigReport(state, Frame("02 00 01 01 10", 0x10)), "02 04 01 00");
  EXPECT_EQ(state.settings.report_rate, 0x20);
}

TEST(FirmwareTable, DpiLevels) {
  RunCases({
      {"count 4, index 2, codes 15 31 63 127",
       {{"03 00 01 25 24 0F 00 0F 00 1F 00 1F 00 3F 00 3F 00 7F 00 7F 00", 0xFC, "03 00 01 00"},
        {"13", 0x00, "13 00 00 19 24 0F 00 0F 00 1F 00 1F 00 3F 00 3F 00 7F 00 7F 00"}}},
      {"16-bit codes and six levels",
       {{"03 00 01 25 56 07 02 07 02 01 00 01 00 02 00 02 00 03 00 03 00 04 00 04 00 05 01 05 01", 0x88, "03 00 01 00"},
        {"13", 0x00, "13 00 00 19 56 07 02 07 02 01 00 01 00 02 00 02 00 03 00 03 00 04 00 04 00 05 01 05 01"}}},
      {"factory levels",
       {{"13", 0x00, "13 00 00 19 16 07 00 07 00 0F 00 0F 00 1F 00 1F 00 3F 00 3F 00 5F 00 5F 00 9F 00 9F 00"}}},
      {"count 0", {{"03 00 01 25 00 01 00 01 00", 0x02, "03 04 01 00"}}},
      {"count 7", {{"03 00 01 25 07 01 00 01 00", 0x09, "03 04 01 00"}}},
      {"index not below count",
       {{"03 00 01 25 33 01 00 01 00", 0x35, "03 04 01 00"},
        {"13", 0x00, "13 00 00 19 16 07 00 07 00 0F 00 0F 00 1F 00 1F 00 3F 00 3F 00 5F 00 5F 00 9F 00 9F 00"}}},
  });
}

TEST(FirmwareTable, DpiColours) {
  RunCases({
      {"six colours",
       {{"04 00 01 12 FF 00 00 00 FF 00 00 00 FF 11 22 33 44 55 66 77 88 99", 0xFA, "04 00 01 00"},
        {"14", 0x00, "14 00 00 12 FF 00 00 00 FF 00 00 00 FF 11 22 33 44 55 66 77 88 99"}}},
      {"factory colours", {{"14", 0x00, "14 00 00 12 FF 00 00 00 00 FF 00 FF 00 FF FF 00 FF 00 FF 00 FF FF"}}},
  });
}

TEST(FirmwareTable, Lighting) {
  RunCases({
      {"breathing, seven colours",
       {{"05 00 01 18 02 42 07 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15", 0x32, "05 00 01 00"},
        {"15", 0x00, "15 00 00 02 02 42"}}},
      {"steady colour", {{"05 00 01 05 03 31 10 20 30", 0x94, "05 00 01 00"}, {"15", 0x00, "15 00 00 02 03 31"}}},
      {"off", {{"05 00 01 02 00 00", 0x00, "05 00 01 00"}, {"15", 0x00, "15 00 00 02 00 00"}}},
      {"flowing", {{"05 00 01 03 01 24 00", 0x25, "05 00 01 00"}, {"15", 0x00, "15 00 00 02 01 24"}}},
      {"factory effect", {{"15", 0x00, "15 00 00 02 01 42"}}},
      {"unknown effect 6", {{"05 00 01 02 06 42", 0x48, "05 04 01 00"}, {"15", 0x00, "15 00 00 02 01 42"}}},
      {"brightness 5", {{"05 00 01 02 04 52", 0x56, "05 04 01 00"}}},
      {"speed 5", {{"05 00 01 02 04 45", 0x49, "05 04 01 00"}}},
      {"no payload", {{"05 00 01 00", 0x00, "05 04 01 00"}}},
      {"steady without colour", {{"05 00 01 02 03 42", 0x45, "05 04 01 00"}}},
      {"eight colours", {{"05 00 01 1B 02 42 08", 0x4C, "05 04 01 00"}}},
  });
}

TEST(FirmwareTable, LiftOffAndSensorOptions) {
  RunCases({
      {"2 mm, both options",
       {{"06 00 01 05 02 01 01 00 00", 0x04, "06 00 01 00"}, {"16", 0x00, "16 00 00 03 02 01 01"}}},
      {"factory", {{"16", 0x00, "16 00 00 03 01 00 01"}}},
      {"lift-off 3", {{"06 00 01 05 03 00 00", 0x03, "06 04 01 00"}, {"16", 0x00, "16 00 00 03 01 00 01"}}},
      {"lift-off 0", {{"06 00 01 05 00 00 00", 0x00, "06 04 01 00"}}},
      {"option value 2", {{"06 00 01 05 01 02 00", 0x03, "06 04 01 00"}}},
  });
}

TEST(FirmwareTable, Power) {
  RunCases({
      {"60, no wake, light off, 20 ms",
       {{"07 00 01 04 3C 00 01 14", 0x51, "07 00 01 00"}, {"17", 0x00, "17 00 00 04 3C 00 01 14"}}},
      {"factory", {{"17", 0x00, "17 00 00 04 1E 01 00 08"}}},
      {"response 21", {{"07 00 01 04 3C 00 01 15", 0x52, "07 04 01 00"}, {"17", 0x00, "17 00 00 04 1E 01 00 08"}}},
      {"wake flag 2", {{"07 00 01 04 3C 02 00 08", 0x46, "07 04 01 00"}}},
  });
}

TEST(FirmwareTable, DeviceInformationAndOtherReads) {
  RunCases({
      {"device information",
       {{"10", 0x00, "10 00 00 0B 41 38 30 31 00 00 96 40 01 5A 01"},
        {"10 00 00 00", 0x00, "10 00 00 0B 41 38 30 31 00 00 96 40 01 5A 01"}}},
      {"read-back start", {{"11", 0x00, "11 00 00 00"}}},
      {"receiver version on a wired mouse", {{"20", 0x00, "20 03 00 00"}}},
      {"unknown command", {{"33", 0x00, "33 03 00 00"}, {"C0", 0x00, "C0 03 00 00"}}},
  });
  RunCases({{"linked receiver",
             {{"10", 0x00, "10 00 00 0B 41 38 30 31 00 00 96 40 01 5A 01"},
              {"20", 0x00, "20 00 00 02 01 05"},
              {"12", 0x00, "12 00 00 01 01"}}}},
           [] { return test::FactoryReceiver(true); });
  RunCases({{"receiver without its mouse: only its own commands",
             {{"10", 0x00, "10 00 00 0B 41 38 30 31 00 00 96 40 01 5A 00"},
              {"20", 0x00, "20 00 00 02 01 05"},
              {"12", 0x00, ""},
              {"02 00 01 01 02", 0x02, ""},
              {"33", 0x00, ""}}}},
           [] { return test::FactoryReceiver(false); });
}

TEST(FirmwareTable, Restores) {
  RunCases({
      {"lighting defaults",
       {{"05 00 01 05 03 31 10 20 30", 0x94, "05 00 01 00"},
        {"02 00 01 01 08", 0x08, "02 00 01 00"},
        {"0E 00 01 01 01", 0x01, "0E 00 01 00"},
        {"15", 0x00, "15 00 00 02 01 42"},
        {"12", 0x00, "12 00 00 01 08"}}},
      {"lighting restore needs payload 01",
       {{"05 00 01 02 00 00", 0x00, "05 00 01 00"},
        {"0E 00 01 01 FF", 0xFF, "0E 04 01 00"},
        {"15", 0x00, "15 00 00 02 00 00"}}},
      {"factory settings",
       {{"02 00 01 01 08", 0x08, "02 00 01 00"},
        {"03 00 01 25 01 01 00 01 00", 0x03, "03 00 01 00"},
        {"07 00 01 04 3C 00 01 14", 0x51, "07 00 01 00"},
        {"0F 00 01 01 FF", 0xFF, "0F 00 01 00"},
        {"12", 0x00, "12 00 00 01 01"},
        {"13", 0x00, "13 00 00 19 16 07 00 07 00 0F 00 0F 00 1F 00 1F 00 3F 00 3F 00 5F 00 5F 00 9F 00 9F 00"},
        {"17", 0x00, "17 00 00 04 1E 01 00 08"}}},
      {"factory restore needs payload FF",
       {{"02 00 01 01 08", 0x08, "02 00 01 00"},
        {"0F 00 01 01 01", 0x01, "0F 04 01 00"},
        {"12", 0x00, "12 00 00 01 08"}}},
  });
}

TEST(FirmwareTable, RestoresPutBackColoursButtonsAndMacros) {
  MouseState state = test::FactoryWiredMouse();
  HandleConfigReport(state, Frame("05 00 01 05 03 31 10 20 30", 0x94));
  HandleConfigReport(state, Frame("09 00 01 0F 70 02 00", 0x72));
  HandleConfigReport(state, Frame("08 00 01 05 03 30 28 00 04", 0x5F));
  ASSERT_NE(state.settings, state.factory);
  HandleConfigReport(state, Frame("0E 00 01 01 01", 0x01));
  EXPECT_EQ(state.settings.lighting, state.factory.lighting);
  EXPECT_NE(state.settings, state.factory);
  HandleConfigReport(state, Frame("0F 00 01 01 FF", 0xFF));
  EXPECT_EQ(state.settings, state.factory);
}

TEST(FirmwareTable, ButtonTableKeepsTheWholePayloadArea) {
  MouseState state = test::FactoryWiredMouse();
  std::string request = "09 00 01 0F";
  for (int i = 1; i <= 27; ++i) request += " " + ToHex({static_cast<std::uint8_t>(i)});
  ExpectAnswer(HandleConfigReport(state, Frame(request, 0x7A)), "09 00 01 00");
  Bytes expected(27);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(state.settings.buttons, expected);

  // A table in two packets or with another length byte is refused and keeps the stored one.
  ExpectAnswer(HandleConfigReport(state, Frame("09 00 02 0F 60 00 00", 0x60)), "09 04 02 00");
  ExpectAnswer(HandleConfigReport(state, Frame("09 00 01 1B 60 00 00", 0x60)), "09 04 01 00");
  EXPECT_EQ(state.settings.buttons, expected);
}

TEST(FirmwareFrame, MalformedRequestsAreAnsweredOrIgnoredWithoutHarm) {
  MouseState state = test::FactoryWiredMouse();
  Bytes bad_checksum = Frame("02 00 01 01 08", 0x08);
  bad_checksum[report::kChecksumByte] ^= 0x01;
  ExpectAnswer(HandleConfigReport(state, bad_checksum), "02 02 00 00");
  ExpectAnswer(HandleConfigReport(state, Hex("00 02 00 01 01 08")), "02 04 00 00");
  EXPECT_FALSE(HandleConfigReport(state, Hex("01 02 00 01 01 08 00")).has_value()) << "report id 1";
  EXPECT_FALSE(HandleConfigReport(state, Hex("00")).has_value());
  EXPECT_FALSE(HandleConfigReport(state, Bytes{}).has_value());
  EXPECT_EQ(state.settings, state.factory) << "nothing malformed is applied";
  ExpectAnswer(HandleConfigReport(state, Frame("02 00 01 01 08", 0x08, report::kPacketSize)), "02 00 01 00");
  EXPECT_EQ(state.settings.report_rate, 8);
}

TEST(FirmwareFrame, RandomRequestsNeverBreakTheStoredState) {
  std::mt19937 random(2026);
  auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
  for (const bool receiver : {false, true}) {
    MouseState state = receiver ? test::FactoryReceiver(true) : test::FactoryWiredMouse();
    for (int i = 0; i < 20000; ++i) {
      Bytes request(random() % 70, 0);
      for (std::uint8_t& b : request) b = byte();
      if (!request.empty() && random() % 2) request[0] = 0;
      if (request.size() > report::kChecksumByte && random() % 2)
        request[report::kChecksumByte] = std::accumulate(request.begin() + 5, request.begin() + 32, 0u) & 0xFF;
      if (request.size() > 1 && random() % 2) request[1] = static_cast<std::uint8_t>(random() % 0x22);
      const auto answer = HandleConfigReport(state, request);
      if (answer) {
        ASSERT_EQ(answer->size(), kInputReportSize);
        ASSERT_EQ((*answer)[0], request[1]);
      }
      const Settings& s = state.settings;
      ASSERT_TRUE(s.dpi_count >= 1 && s.dpi_count <= 6 && s.dpi_index < s.dpi_count);
      ASSERT_LE(s.lighting.mode, 5);
      ASSERT_TRUE(s.liftoff == 1 || s.liftoff == 2);
      ASSERT_LE(s.response, 20);
      ASSERT_EQ(s.buttons.size(), kButtonTableBytes);
      ASSERT_LE(state.macro.bytes.size(), 15u * 27u);
    }
    EXPECT_LE(state.log.size(), kMaxLogEntries);
  }
}

TEST(FirmwareLog, ListsEveryCommandInOrderWithItsPayload) {
  MouseState state = test::FactoryWiredMouse();
  HandleConfigReport(state, Frame("02 00 01 01 08", 0x08));
  HandleConfigReport(state, Frame("12", 0x00));
  HandleConfigReport(state, Frame("03 00 01 25 01 01 00 01 00", 0x03));
  HandleConfigReport(state, Hex("00 33"));
  ASSERT_EQ(state.log.size(), 4u);
  EXPECT_EQ(state.log[0].command, 0x02);
  EXPECT_EQ(state.log[0].sequence, 0x01);
  EXPECT_EQ(state.log[0].payload, Hex("08"));
  EXPECT_EQ(state.log[1].command, 0x12);
  EXPECT_TRUE(state.log[1].payload.empty());
  EXPECT_EQ(state.log[2].length, 0x25);
  EXPECT_EQ(state.log[2].payload.size(), 27u) << "a length beyond the payload area is cut to it";
  EXPECT_EQ(state.log[3].command, 0x33);
}

// The device's own events: what each sends and what it leaves in the state;
// an event that does not apply sends nothing and changes nothing.
TEST(FirmwareEvents, LinkDpiButtonAndBattery) {
  struct EventCase {
    std::string name;
    MouseState (*make)();
    std::function<std::optional<InputReport>(MouseState&)> event;
    std::string report;  // the first four bytes; empty: nothing sent
    std::function<bool(const MouseState&)> state_after;
  };
  const auto unlinked = [] { return test::FactoryReceiver(false); };
  const auto linked = [] { return test::FactoryReceiver(true); };
  const auto wired = test::FactoryWiredMouse;
  const std::vector<EventCase> cases{
      {"the mouse links", unlinked, LinkMouse, "C0 01 5A 01", [](const MouseState& s) { return s.linked; }},
      {"linked already", linked, LinkMouse, "", [](const MouseState& s) { return s.linked; }},
      {"a wired mouse does not link", wired, LinkMouse, "", [](const MouseState& s) { return s.linked; }},
      {"the mouse leaves, its half macro dropped", linked,
       [](MouseState& s) {
         s.macro.active = true;
         return UnlinkMouse(s);
       },
       "C0 00 5A 01", [](const MouseState& s) { return !s.linked && !s.macro.active; }},
      {"gone already", unlinked, UnlinkMouse, "", [](const MouseState& s) { return !s.linked; }},
      {"DPI button: 4 levels, the third", wired, [](MouseState& s) { return PressDpiButton(s, 4, 2); }, "C2 24 00 00",
       [](const MouseState& s) { return s.settings.dpi_count == 4 && s.settings.dpi_index == 2; }},
      {"DPI button through a receiver", linked, [](MouseState& s) { return PressDpiButton(s, 1, 0); }, "C2 01 00 00",
       [](const MouseState& s) { return s.settings.dpi_count == 1 && s.settings.dpi_index == 0; }},
      {"DPI button: 7 levels", wired, [](MouseState& s) { return PressDpiButton(s, 7, 0); }, "",
       [](const MouseState& s) { return s.settings == s.factory; }},
      {"DPI button: index not below count", wired, [](MouseState& s) { return PressDpiButton(s, 3, 3); }, "",
       [](const MouseState& s) { return s.settings == s.factory; }},
      {"DPI button: no levels", wired, [](MouseState& s) { return PressDpiButton(s, 0, 0); }, "",
       [](const MouseState& s) { return s.settings == s.factory; }},
      {"DPI button, mouse out of reach", unlinked, [](MouseState& s) { return PressDpiButton(s, 4, 2); }, "",
       [](const MouseState& s) { return s.settings == s.factory; }},
      {"a receiver reports its battery", linked, [](MouseState& s) { return ChangeBattery(s, 40, 7); }, "C0 01 28 07",
       [](const MouseState& s) { return s.battery_a == 40 && s.battery_b == 7; }},
      {"a wired mouse keeps its battery to itself", wired, [](MouseState& s) { return ChangeBattery(s, 40, 7); }, "",
       [](const MouseState& s) { return s.battery_a == 40 && s.battery_b == 7; }},
  };
  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.name);
    MouseState state = c.make();
    const std::optional<InputReport> report = c.event(state);
    if (c.report.empty()) {
      EXPECT_FALSE(report.has_value());
    } else {
      ASSERT_TRUE(report.has_value());
      EXPECT_EQ(ToHex(Bytes(report->begin(), report->begin() + 4)), c.report);
    }
    EXPECT_TRUE(c.state_after(state));
  }
}

TEST(FirmwareUnsolicited, LinkAndDpiReports) {
  auto prefix = [](const InputReport& report, std::size_t n) {
    return ToHex(Bytes(report.begin(), report.begin() + n));
  };
  MouseState state = test::FactoryReceiver(true);
  EXPECT_EQ(prefix(LinkReport(state), 5), "C0 01 5A 01 00");
  state.linked = false;
  state.battery_a = 0;
  EXPECT_EQ(prefix(LinkReport(state), 5), "C0 00 00 01 00");
  EXPECT_EQ(prefix(DpiReport(state), 3), "C2 16 00");
}

}  // namespace
}  // namespace korvane::sim
