#include "ui/palette_dlg.hpp"

#include <gtest/gtest.h>

#include "common/colour.hpp"
#include "support/fake_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"

namespace korvane {
namespace {

namespace pal = ui::ctl::palette;
constexpr ui::WindowId kWindow = ui::WindowId::kPalette;

ui::ControlRef At(int id) { return {kWindow, id}; }

class PaletteTest : public ::testing::Test {
 protected:
  test::FakeToolkit toolkit;
  ui::PaletteDlg dialog{toolkit, [](int id) { return "T" + std::to_string(id); }};

  void SetUp() override {
    for (int id = pal::kClose; id <= pal::kConfirm; ++id) toolkit.AddControl(At(id));
  }

  // Opens the dialog on colour, lets the user act, and returns the result.
  int Pick(int colour, const std::function<void()>& user) {
    toolkit.ScriptModal(kWindow, user);
    return dialog.Run(colour);
  }

  void ExpectShown(Rgb rgb) {
    EXPECT_EQ(toolkit.GetText(At(pal::kRed)), std::to_string(rgb.r));
    EXPECT_EQ(toolkit.GetText(At(pal::kGreen)), std::to_string(rgb.g));
    EXPECT_EQ(toolkit.GetText(At(pal::kBlue)), std::to_string(rgb.b));
    EXPECT_EQ(toolkit.Colour(At(pal::kPreview)), PackColour(rgb));
  }
};

TEST_F(PaletteTest, OpensOnTheGivenColourAndConfirmReturnsIt) {
  const int colour = PackColour({10, 20, 30});
  EXPECT_EQ(Pick(colour,
                 [&] {
                   ExpectShown({10, 20, 30});
                   EXPECT_EQ(toolkit.Colour(At(pal::kPalette)), colour);
                   EXPECT_EQ(toolkit.Colour(At(pal::kPresetFirst + 1)), PackColour({0, 0, 255}));
                   EXPECT_EQ(toolkit.GetText(At(pal::kConfirm)), "T22");
                   toolkit.Click(At(pal::kConfirm));
                 }),
            colour);
}

TEST_F(PaletteTest, BlackAndTheCloseButtonBothReturnZero) {
  EXPECT_EQ(Pick(PackColour({1, 2, 3}),
                 [&] {
                   for (int field : {pal::kRed, pal::kGreen, pal::kBlue}) toolkit.Type(At(field), "0");
                   toolkit.Click(At(pal::kConfirm));
                 }),
            0);
  EXPECT_EQ(Pick(PackColour({1, 2, 3}), [&] { toolkit.Click(At(pal::kClose)); }), 0);
  EXPECT_EQ(Pick(PackColour({1, 2, 3}), [] {}), 0) << "closed by the window manager";
}

TEST_F(PaletteTest, TypedValuesClampToAByteAndRecolourPaletteAndPreview) {
  struct Case {
    const char* typed;
    const char* shown;
    int value;
  };
  const Case cases[] = {{"999", "255", 255}, {"256", "255", 255}, {"-7", "0", 0},
                        {"128", "128", 128}, {"", "", 0},         {"12a", "12a", 12}};
  for (const Case& c : cases) {
    const int result = Pick(PackColour({50, 60, 70}), [&] {
      toolkit.Type(At(pal::kGreen), c.typed);
      EXPECT_EQ(toolkit.GetText(At(pal::kGreen)), c.shown) << c.typed;
      EXPECT_EQ(toolkit.Colour(At(pal::kPalette)), PackColour({50, c.value, 70})) << c.typed;
      EXPECT_EQ(toolkit.Colour(At(pal::kPreview)), PackColour({50, c.value, 70})) << c.typed;
      toolkit.Click(At(pal::kConfirm));
    });
    EXPECT_EQ(result, PackColour({50, c.value, 70})) << c.typed;
  }
}

TEST_F(PaletteTest, PresetsSetEverythingPaletteMovesSetFieldsAndPreview) {
  const int moved = PackColour({1, 2, 3});
  EXPECT_EQ(Pick(0,
                 [&] {
                   toolkit.Click(At(pal::kPresetFirst + 3));
                   ExpectShown({255, 255, 0});
                   EXPECT_EQ(toolkit.Colour(At(pal::kPalette)), PackColour({255, 255, 0}));
                   toolkit.Deliver(At(pal::kPalette), ui::event::kPaletteMoving, moved);
                   ExpectShown({1, 2, 3});
                   toolkit.Click(At(pal::kConfirm));
                 }),
            moved);
}

}  // namespace
}  // namespace korvane
