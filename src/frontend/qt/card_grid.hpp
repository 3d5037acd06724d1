#pragma once

#include <QWidget>
#include <vector>

class QVBoxLayout;

namespace korvane::qt {

// Cards in rows of at most three, in the order added. Only the cards not
// hidden take part: hiding or showing one lays the others out again, spread
// evenly over the rows, each row's cards sharing its full width (by their
// needs, not by columns shared with the other rows), so a hidden card leaves
// no hole.
class CardGrid final : public QWidget {
  Q_OBJECT

 public:
  explicit CardGrid(QWidget* parent = nullptr);

  void AddCard(QWidget* card);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QVBoxLayout* rows_;
  std::vector<QWidget*> cards_;

  void Arrange();
};

}  // namespace korvane::qt
