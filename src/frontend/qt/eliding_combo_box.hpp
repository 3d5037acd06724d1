#pragma once

#include <QComboBox>

namespace korvane::qt {

// A combo box whose chosen text ends in "…" when the box is narrower than
// the text (a long function name in some languages), rather than being cut
// off mid-letter; the full text is its tooltip then.
class ElidingComboBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit ElidingComboBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvane::qt
