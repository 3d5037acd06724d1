#include "frontend/qt/card_grid.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace korvane::qt {

namespace {
constexpr int kMostPerRow = 3;
constexpr int kSpacing = 16;
}  // namespace

CardGrid::CardGrid(QWidget* parent) : QWidget(parent), rows_(new QVBoxLayout(this)) {
  rows_->setContentsMargins(0, 0, 0, 0);
  rows_->setSpacing(kSpacing);
}

void CardGrid::AddCard(QWidget* card) {
  card->setParent(this);
  card->installEventFilter(this);
  cards_.push_back(card);
  Arrange();
}

bool CardGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) Arrange();
  return QWidget::eventFilter(watched, event);
}

void CardGrid::Arrange() {
  // The rows are rebuilt; the cards stay children of the grid.
  while (QLayoutItem* row = rows_->takeAt(0)) delete row;
  std::vector<QWidget*> shown;
  for (QWidget* card : cards_) {
    if (!card->isHidden()) shown.push_back(card);
  }
  const int count = static_cast<int>(shown.size());
  const int rows = (count + kMostPerRow - 1) / kMostPerRow;
  int next = 0;
  for (int row = 0; row < rows; ++row) {
    // The earlier rows take the odd card.
    const int in_row = count / rows + (row < count % rows ? 1 : 0);
    auto* line = new QHBoxLayout;
    line->setSpacing(kSpacing);
    for (int i = 0; i < in_row; ++i) line->addWidget(shown[next++]);
    rows_->addLayout(line, 1);
  }
}

}  // namespace korvane::qt
