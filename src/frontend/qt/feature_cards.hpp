#pragma once

class QFrame;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace korvane::qt {

class ControlBuilder;

// The titled cards of the performance and lighting pages.

// An unregistered card frame.
QFrame* NewCard(QWidget* parent);
// The controls of a card's header row; 0 leaves one out.
struct CardHeader {
  int title = 0;
  int subtitle = 0;  // a quieter text after the title
  int help = 0;      // the small "?" button after the texts
  int reset = 0;     // the reset button at the row's right end
};
// Lays out a card: the header row, then the returned column for the card's controls.
QVBoxLayout* FillCard(ControlBuilder& build, QFrame* card, const CardHeader& header);
// Lays out a page's three cards side by side: the outer two at fixed
// widths, the middle one taking the rest.
void PlaceThreeCards(QFrame* page, QFrame* left, int left_width, QFrame* middle, QFrame* right, int right_width);
// The round reset button of a card or page.
QPushButton* ResetButton(ControlBuilder& build, int id, QWidget* parent);

}  // namespace korvane::qt
