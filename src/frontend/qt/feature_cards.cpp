#include "frontend/qt/feature_cards.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"

namespace korvane::qt {

QFrame* NewCard(QWidget* parent) {
  auto* card = new QFrame(parent);
  card->setProperty("role", "card");
  return card;
}

QVBoxLayout* FillCard(ControlBuilder& build, QFrame* card, const CardHeader& header) {
  auto* column = new QVBoxLayout(card);
  column->setContentsMargins(20, 12, 20, 14);
  column->setSpacing(10);
  auto* row = new QHBoxLayout;
  row->setSpacing(10);
  row->addStrut(28);  // as tall with or without the reset button, so the titles line up
  row->addWidget(build.Text(header.title, card, "cardTitle"));
  if (header.help != 0) {
    QPushButton* help = build.Button(header.help, card, "help", "img_help.png", QStringLiteral("?"));
    help->setIconSize(QSize(18, 18));
    row->addWidget(help);
  }
  if (header.subtitle != 0) {
    // A long subtitle (in some languages) wraps rather than widening the page.
    QLabel* subtitle = build.Text(header.subtitle, card, "cardLabel");
    subtitle->setWordWrap(true);
    row->addWidget(subtitle, 1);
  } else {
    row->addStretch(1);
  }
  if (header.reset != 0) row->addWidget(ResetButton(build, header.reset, card));
  column->addLayout(row);
  return column;
}

void PlaceThreeCards(QFrame* page, QFrame* left, int left_width, QFrame* middle, QFrame* right, int right_width) {
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(24, 14, 24, 14);
  row->setSpacing(16);
  left->setFixedWidth(left_width);
  right->setFixedWidth(right_width);
  row->addWidget(left);
  row->addWidget(middle, 1);
  row->addWidget(right);
}

QPushButton* ResetButton(ControlBuilder& build, int id, QWidget* parent) {
  QPushButton* reset = build.Button(id, parent, "iconButton", "btn_reset.png", QStringLiteral("↺"));
  reset->setIconSize(QSize(18, 18));
  return reset;
}

}  // namespace korvane::qt
