#pragma once

#include <QIcon>
#include <QWidget>

namespace korvane::qt {

// A decorative skin image drawn as large as the widget allows, centred and
// keeping its proportions (a vector image stays sharp at every size).
class ScaledPicture final : public QWidget {
  Q_OBJECT

 public:
  ScaledPicture(QIcon image, QSize largest, QWidget* parent = nullptr);

  QSize sizeHint() const override { return largest_; }
  QSize minimumSizeHint() const override { return {0, 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QIcon image_;
  QSize largest_;
};

}  // namespace korvane::qt
