#pragma once

#include <QAbstractButton>
#include <QColor>

namespace korvane::qt {

// A checkable colour choice: a rounded swatch of its colour, ringed while
// checked. Its group (a QButtonGroup) makes the choices exclusive.
class ColourButton final : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ColourButton(QWidget* parent = nullptr);

  // Colours are R + 256*G + 65536*B.
  void SetColour(int colour);
  int Colour() const { return colour_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int colour_ = 0;
};

}  // namespace korvane::qt
