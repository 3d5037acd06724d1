// The performance and lighting pages of the real main window, filled through
// toolkit operations as the controller fills them: saved as screenshots and
// checked that every shown control lies inside its page at no less than the
// size it needs, and that hidden sections leave no holes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frontend/qt/dpi_levels_widget.hpp"
#include "frontend/qt/lit_mouse_widget.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "gui_fixture.hpp"
#include "ui/control_ids.hpp"
#include "ui/main_texts.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;
using test::ScreenshotPath;
using test::Settle;

// A list item with a text, its data and, for level and rate lists, a colour.
ui::ListItem Item(std::string text, int data, std::optional<int> colour = std::nullopt) {
  ui::ListItem item;
  item.text = std::move(text);
  item.data = data;
  item.colour = colour;
  return item;
}

// Ids of each page's controls, in id order.
std::vector<int> IdsBetween(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

class FeaturePagesGuiTest : public test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    FillPerformancePage();
    FillLightingPage();
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    Settle();
  }

  void FillPerformancePage() {
    const std::vector<std::pair<int, int>> levels{{400, 0x3D3DFF},  {800, 0x35D0BA},  {1600, 0x3DA5FF},
                                                  {3200, 0xFF3DC8}, {6400, 0x3DFFFF}, {12800, 0x8040FF}};
    for (const auto& [dpi, colour] : levels) {
      toolkit->AddItem(ctl::kDpiLevels, Item(std::to_string(dpi), dpi, colour));
    }
    toolkit->SetSelection(ctl::kDpiLevels, 2);
    toolkit->SetRange(ctl::kDpiSlider, 0, 520);
    toolkit->SetRangeCaptions(ctl::kDpiSlider, "50", "26000");
    toolkit->SetValue(ctl::kDpiSlider, 31);
    for (int count = 1; count <= 6; ++count) {
      toolkit->AddItem(ctl::kDpiCount, Item(std::to_string(count), count));
    }
    toolkit->SetSelection(ctl::kDpiCount, 5);
    const std::vector<std::pair<int, int>> rates{{125, 0x8B93A1},  {250, 0x3DA5FF},  {500, 0x35D0BA}, {1000, 0x35D0BA},
                                                 {2000, 0xFFB347}, {4000, 0xFF7A3D}, {8000, 0xFF4D6D}};
    int code = 0;
    for (const auto& [hz, colour] : rates) {
      toolkit->AddItem(ctl::kReportRate, Item(std::to_string(hz) + "Hz", ++code, colour));
    }
    toolkit->SetSelection(ctl::kReportRate, 3);
    toolkit->SetChecked(ctl::kLiftOff1mm, true);
    toolkit->SetChecked(ctl::kSensorOption1, true);
    toolkit->SetChecked(ctl::kSensorOption3, true);
    toolkit->SetText(ctl::kResponseTime, "8");
    for (const char* minutes : {"1", "2", "5", "10", "20", "30"}) toolkit->AddItem(ctl::kSleepTime, Item(minutes, 0));
    toolkit->SetSelection(ctl::kSleepTime, 3);
    toolkit->SetChecked(ctl::kMoveWakeup, true);
  }

  void FillLightingPage() {
    for (const char* mode : {"Static", "Breathing", "Neon", "Wave", "Off"}) {
      toolkit->AddItem(ctl::kLightMode, Item(mode, 0));
    }
    toolkit->SetSelection(ctl::kLightMode, 1);
    toolkit->SetText(ctl::kBrightnessValue, "Brightness 3");
    toolkit->SetRange(ctl::kBrightness, 0, 4);
    toolkit->SetValue(ctl::kBrightness, 3);
    toolkit->SetText(ctl::kSpeedValue, "Speed 2");
    toolkit->SetRange(ctl::kSpeed, 0, 4);
    toolkit->SetValue(ctl::kSpeed, 2);
    const std::vector<int> colours{0x0000FF, 0x00A5FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF};
    for (int i = 0; i <= ctl::kColourSlotLast - ctl::kColourSlotFirst; ++i) {
      toolkit->SetColour(ctl::kColourSlotFirst + i, colours[i]);
    }
    for (int i = 0; i <= ctl::kPresetColourLast - ctl::kPresetColourFirst; ++i) {
      toolkit->SetColour(ctl::kPresetColourFirst + i, colours[i]);
    }
    toolkit->SetChecked(ctl::kColourSlotFirst + 1, true);
    toolkit->SetChecked(ctl::kPresetColourFirst + 1, true);
    // The lit mouse is drawn mid-breath in the second slot's colour.
    LitMouse()->SetClock([] { return std::chrono::milliseconds(5000); });
    toolkit->SetLightingPreview(ctl::kLightMouse,
                                {ui::LightEffect::kBreathing, {colours.begin(), colours.end() - 1}, 75, 50});
    toolkit->SetColour(ctl::kLightPalette, 0x00A5FF);
    toolkit->SetColour(ctl::kLightPreview, 0x00A5FF);
    for (const auto& [field, value] :
         {std::pair{ctl::kLightRed, "255"}, std::pair{ctl::kLightGreen, "165"}, std::pair{ctl::kLightBlue, "0"}}) {
      toolkit->SetText(field, value);
    }
  }

  qt::LitMouseWidget* LitMouse() const { return qobject_cast<qt::LitMouseWidget*>(toolkit->Widget(ctl::kLightMouse)); }

  void ShowTab(int tab) {
    const auto tabs = toolkit->Items(ctl::kTabStrip);
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      if (tabs[i].data == tab) toolkit->SetSelection(ctl::kTabStrip, i);
    }
    Settle();
  }

  // Shown controls that leave the page or are smaller than they need.
  std::string Misplaced(int page_id, const std::vector<int>& ids) const {
    const QWidget* page = toolkit->Widget(page_id);
    QStringList faults;
    for (int id : ids) {
      const QWidget* widget = toolkit->Widget(id);
      if (widget == nullptr || !widget->isVisible()) continue;
      const QRect area(widget->mapTo(page, QPoint(0, 0)), widget->size());
      if (!page->rect().contains(area)) faults << QString("%1 lies outside the page").arg(id);
      const QSize needed = widget->minimumSizeHint();
      const bool shows_text = qobject_cast<const QLabel*>(widget) != nullptr ||
                              qobject_cast<const QAbstractButton*>(widget) != nullptr ||
                              qobject_cast<const QComboBox*>(widget) != nullptr;
      if (shows_text && (needed.width() > widget->width() || needed.height() > widget->height())) {
        faults << QString("%1 needs %2x%3, has %4x%5")
                      .arg(id)
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(widget->width())
                      .arg(widget->height());
      }
    }
    return faults.join("; ").toStdString();
  }

  void Capture(const QString& name) {
    Settle();
    ASSERT_TRUE(toolkit->MainWindow()->grab().save(ScreenshotPath(name))) << name.toStdString();
  }
};

TEST_F(FeaturePagesGuiTest, PerformancePageShowsEverySectionInsideThePage) {
  ShowTab(ctl::tab::kPerformance);
  Capture("performance_full");
  EXPECT_EQ(Misplaced(ctl::kPerformancePage, IdsBetween(ctl::kDpiTitle, ctl::kSystemMouseSettings)), "");

  auto* levels = qobject_cast<qt::DpiLevelsWidget*>(toolkit->Widget(ctl::kDpiLevels));
  ASSERT_NE(levels, nullptr);
  EXPECT_LE(levels->ChipRect(5).right(), levels->width() - 1) << "the sixth level chip is whole";
  auto* rates = qobject_cast<qt::RateListWidget*>(toolkit->Widget(ctl::kReportRate));
  ASSERT_NE(rates, nullptr);
  EXPECT_GE(rates->SegmentRect(6).width(), rates->fontMetrics().horizontalAdvance("8000Hz") + 24)
      << "every rate's text fits its segment";

  levels->EditValue(2);
  Capture("performance_level_editor");
  ASSERT_NE(levels->Editor(), nullptr);
  EXPECT_TRUE(levels->ChipRect(2).contains(levels->Editor()->geometry())) << "the value field stays on its chip";
}

TEST_F(FeaturePagesGuiTest, HiddenPerformanceSectionsLeaveNoHoles) {
  ShowTab(ctl::tab::kPerformance);
  QWidget* grid = toolkit->Widget(ctl::kLiftOffSection)->parentWidget();
  for (const auto& [hidden, name] : std::vector<std::pair<std::vector<int>, QString>>{
           {{ctl::kLiftOffSection}, "performance_without_liftoff"},
           {{ctl::kLiftOffSection, ctl::kSensorSection}, "performance_without_liftoff_sensor"}}) {
    SCOPED_TRACE(name.toStdString());
    for (int section : hidden) toolkit->SetVisible(section, false);
    Capture(name);
    EXPECT_EQ(Misplaced(ctl::kPerformancePage, IdsBetween(ctl::kDpiTitle, ctl::kSystemMouseSettings)), "");
    // Cards sharing a row fill the grid's width together.
    std::map<int, int> row_widths;
    for (const QWidget* card : grid->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (card->isVisible()) row_widths[card->y()] += card->width();
    }
    for (const auto& [top, width] : row_widths) {
      EXPECT_GE(width, grid->width() - 2 * 16) << "the row at " << top << " has a hole";
    }
    for (int section : hidden) toolkit->SetVisible(section, true);
  }
}

TEST_F(FeaturePagesGuiTest, LightingPageWithEveryGroupAndWithOnlyTheSliders) {
  ShowTab(ctl::tab::kLighting);
  Capture("lighting_full");
  const std::vector<int> controls = IdsBetween(ctl::kLightTitle, ctl::kColourSection);
  EXPECT_EQ(Misplaced(ctl::kLightingPage, controls), "");
  EXPECT_EQ(toolkit->GetText(ctl::kLightRed), "255");

  toolkit->SetVisible(ctl::kSlotsSection, false);
  toolkit->SetVisible(ctl::kColourSection, false);
  Capture("lighting_brightness_speed");
  EXPECT_EQ(Misplaced(ctl::kLightingPage, controls), "");
  EXPECT_FALSE(toolkit->Widget(ctl::kLightPalette)->isVisible());
  EXPECT_TRUE(toolkit->Widget(ctl::kSpeed)->isVisible());
  const QWidget* brightness = toolkit->Widget(ctl::kBrightnessSection);
  const QWidget* speed = toolkit->Widget(ctl::kSpeedSection);
  EXPECT_LT(speed->y() - (brightness->y() + brightness->height()), 40) << "the sliders stay together";
}

// The lit mouse's frames at two moments of its clock: a moving effect
// changes between them and keeps its timer running, a still one does neither.
TEST_F(FeaturePagesGuiTest, LitMouseMovesOnlyWithAMovingEffect) {
  ShowTab(ctl::tab::kLighting);
  qt::LitMouseWidget* mouse = LitMouse();
  ASSERT_NE(mouse, nullptr);
  std::chrono::milliseconds now{0};
  mouse->SetClock([&now] { return now; });
  const auto frame_at = [&](int ms) {
    now = std::chrono::milliseconds(ms);
    return mouse->grab().toImage();
  };
  struct Case {
    const char* name;
    ui::LightingPreview preview;
    bool moves;
  };
  const std::vector<int> red_green{0x0000FF, 0x00FF00};
  for (const Case& c : {Case{"breathing", {ui::LightEffect::kBreathing, red_green, 100, 50}, true},
                        Case{"flow", {ui::LightEffect::kFlow, {}, 100, 50}, true},
                        Case{"neon", {ui::LightEffect::kNeon, {}, 75, 0}, true},
                        Case{"rainbow wave", {ui::LightEffect::kRainbowWave, {}, 25, 100}, true},
                        Case{"steady", {ui::LightEffect::kSteady, red_green, 100, 0}, false},
                        Case{"breathing without brightness", {ui::LightEffect::kBreathing, red_green, 0, 50}, false},
                        Case{"off", {}, false}}) {
    SCOPED_TRACE(c.name);
    toolkit->SetLightingPreview(ctl::kLightMouse, c.preview);
    EXPECT_EQ(mouse->Animating(), c.moves);
    EXPECT_EQ(frame_at(100) != frame_at(800), c.moves);
  }

  // The speed paces the effect: the flow turns once in 1.2 s at full speed,
  // five times slower at the lowest.
  toolkit->SetLightingPreview(ctl::kLightMouse, {ui::LightEffect::kFlow, {}, 100, 100});
  EXPECT_EQ(frame_at(300), frame_at(1500));
  toolkit->SetLightingPreview(ctl::kLightMouse, {ui::LightEffect::kFlow, {}, 100, 0});
  EXPECT_NE(frame_at(300), frame_at(1500));
  EXPECT_EQ(frame_at(300), frame_at(6300));
}

// More brightness, more light: the red a steady red light puts on the picture.
TEST_F(FeaturePagesGuiTest, LitMouseShinesAsBrightAsTheBrightness) {
  ShowTab(ctl::tab::kLighting);
  qt::LitMouseWidget* mouse = LitMouse();
  ASSERT_NE(mouse, nullptr);
  const auto red_light = [&](int brightness) {
    toolkit->SetLightingPreview(ctl::kLightMouse, {ui::LightEffect::kSteady, {0x0000FF}, brightness, 0});
    const QImage frame = mouse->grab().toImage();
    long long red = 0;
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        const QColor pixel = frame.pixelColor(x, y);
        red += std::max(0, pixel.red() - pixel.blue());
      }
    }
    return red;
  };
  const long long off = red_light(0);
  const long long quarter = red_light(25);
  const long long full = red_light(100);
  EXPECT_LT(off, quarter);
  EXPECT_LT(2 * quarter, full);
}

// The animation rests while nobody can see it: another page in front, the
// window hidden or minimised.
TEST_F(FeaturePagesGuiTest, LitMouseRestsWhileItIsNotOnScreen) {
  qt::LitMouseWidget* mouse = LitMouse();
  ASSERT_NE(mouse, nullptr);
  QWidget* window = toolkit->MainWindow();
  ShowTab(ctl::tab::kLighting);
  ASSERT_TRUE(mouse->Animating());
  ShowTab(ctl::tab::kPerformance);
  EXPECT_FALSE(mouse->Animating()) << "another page";
  ShowTab(ctl::tab::kLighting);
  EXPECT_TRUE(mouse->Animating());
  window->hide();
  Settle();
  EXPECT_FALSE(mouse->Animating()) << "window hidden";
  window->showNormal();
  Settle();
  EXPECT_TRUE(mouse->Animating());
  window->showMinimized();
  Settle();
  EXPECT_FALSE(mouse->Animating()) << "window minimised";
  window->showNormal();
  Settle();
  EXPECT_TRUE(mouse->Animating());
}

TEST_F(FeaturePagesGuiTest, BothPagesFitInEveryLanguage) {
  for (const OfferedLanguage& language : context->Language().OfferedLanguages()) {
    SCOPED_TRACE(language.lcid);
    context->Language().SwitchLanguage(language.lcid);
    ui::ApplyMainWindowTexts(*toolkit, toolkit->Text());
    for (const auto& [tab, page, first, last] :
         {std::tuple{ctl::tab::kPerformance, ctl::kPerformancePage, ctl::kDpiTitle, ctl::kSystemMouseSettings},
          std::tuple{ctl::tab::kLighting, ctl::kLightingPage, ctl::kLightTitle, ctl::kColourSection}}) {
      ShowTab(tab);
      EXPECT_EQ(Misplaced(page, IdsBetween(first, last)), "");
      if (language.lcid == 1049) Capture(QString("page_%1_1049").arg(page));
    }
  }
}

}  // namespace
}  // namespace korvane
