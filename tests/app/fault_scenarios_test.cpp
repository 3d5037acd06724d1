// Faults of the mouse as the desktop shows them: a change the mouse did not
// take is said so on the status line and kept, a late answer is no fault,
// and a flood of the mouse's own reports leaves the pages on its last state.
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "controller_fixture.hpp"
#include "store/config_table.hpp"
#include "support/database_rows.hpp"
#include "worker/device_worker.hpp"

namespace korvane::test {
namespace {

using namespace std::chrono_literals;
using namespace ui::ctl;

struct WriteFault {
  const char* name;
  std::function<void(sim::VirtualBus&, sim::VirtualBus::DeviceId)> inject;
  bool acknowledged;
};

void PrintTo(const WriteFault& fault, std::ostream* out) { *out << fault.name; }

class DesktopWriteFaults : public ControllerTest, public ::testing::WithParamInterface<WriteFault> {};

// A failure status, (2) no answer, (3) an answer 900 ms late, after a
// click on the report-rate list.
TEST_P(DesktopWriteFaults, TheStatusLineSaysWhetherTheMouseTookTheChange) {
  Connect("korvane_arc_8k");
  const std::vector<std::string> report_rate_keys{"report_rate", "report_rate_wireless"};
  const std::vector<std::string> rows = DatabaseRowsWithout(controller->Store().Path(), report_rate_keys);
  const auto rates = toolkit.Items(kReportRate);
  const auto other = std::find_if(rates.begin(), rates.end(), [&](const ui::ListItem& item) {
    return item.data != bus.State(mouse).settings.report_rate;
  });
  ASSERT_NE(other, rates.end());

  GetParam().inject(bus, mouse);
  ASSERT_TRUE(toolkit.Choose(kReportRate, static_cast<int>(other - rates.begin())));
  Drain();
  const bool acknowledged = GetParam().acknowledged;
  EXPECT_EQ(Succeeded(kTaskReportRate), acknowledged);
  EXPECT_EQ(toolkit.GetText(kConnectionState), Text(acknowledged ? 51 : 711));
  EXPECT_EQ(context->Settings().ReadAppSetting(PendingChangeKey(201)), acknowledged ? 0 : 1);
  EXPECT_EQ(ConfigInt(controller->Store(), Profile(), ConfigKey::kReportRate), other->data) << "the change is kept";
  EXPECT_EQ(DatabaseRowsWithout(controller->Store().Path(), report_rate_keys), rows);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DesktopWriteFaults,
    ::testing::Values(
        WriteFault{"BusyPastTheWindow", [](sim::VirtualBus& bus, auto id) { bus.AnswerBusy(id, 1, 10s); }, false},
        WriteFault{"NoAnswer", [](sim::VirtualBus& bus, auto id) { bus.DropCommands(id, 1); }, false},
        WriteFault{"AnswerAfter900Ms", [](sim::VirtualBus& bus, auto id) { bus.DelayAnswers(id, 900ms); }, true}),
    [](const ::testing::TestParamInfo<WriteFault>& info) { return std::string(info.param.name); });

// Ten thousand presses of the mouse's DPI button: the page ends on the
// last one, nothing is written back, and a click still reaches the mouse.
TEST_F(ControllerTest, TenThousandDpiButtonPressesLeaveThePageOnTheLastLevel) {
  Connect("korvane_arc_8k");
  const std::size_t commands = LogSize();
  for (int i = 0; i < 9999; ++i) {
    const int count = 1 + i % 4;
    bus.PressDpiButton(mouse, count, i % count);
  }
  ASSERT_TRUE(bus.PressDpiButton(mouse, 5, 2));
  EXPECT_TRUE(PumpUntil([&] { return toolkit.Items(kDpiLevels).size() == 5 && toolkit.Selection(kDpiLevels) == 2; }));
  EXPECT_EQ(LogSize(), commands) << "a press is never written back";
  ASSERT_TRUE(toolkit.Choose(kReportRate, 0));
  Drain();
  EXPECT_TRUE(Succeeded(kTaskReportRate));
}

}  // namespace
}  // namespace korvane::test
