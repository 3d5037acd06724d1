#include "frontend/qt/caption_slider.hpp"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "frontend/qt/control_properties.hpp"
#include "frontend/qt/painted_colours.hpp"

namespace korvane::qt {

namespace {

constexpr int kHandleRadius = 9;
constexpr int kTrackHeight = 6;
constexpr int kTrackAreaHeight = 28;  // the band the handle moves in
constexpr int kCaptionGap = 2;
constexpr int kCaptionPixelSize = 12;
const QColor kTrackColour(0x2a, 0x30, 0x3b);
const QColor kHandleColour(0xf2, 0xf4, 0xf7);

QFont CaptionFont(QFont font) {
  font.setPixelSize(kCaptionPixelSize);
  return font;
}

}  // namespace

CaptionSlider::CaptionSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setProperty("role", "slider");
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
}

QString CaptionSlider::LowCaption() const { return property(kLowCaptionProperty).toString(); }
QString CaptionSlider::HighCaption() const { return property(kHighCaptionProperty).toString(); }
bool CaptionSlider::HasCaptions() const { return !LowCaption().isEmpty() || !HighCaption().isEmpty(); }

QSize CaptionSlider::sizeHint() const {
  const int captions = HasCaptions() ? kCaptionGap + QFontMetrics(CaptionFont(font())).height() : 0;
  return {240, kTrackAreaHeight + captions};
}

QSize CaptionSlider::minimumSizeHint() const {
  const QFontMetrics metrics(CaptionFont(font()));
  const int captions = metrics.horizontalAdvance(LowCaption()) + metrics.horizontalAdvance(HighCaption());
  return {std::max(4 * kHandleRadius, captions + 16), sizeHint().height()};
}

bool CaptionSlider::event(QEvent* event) {
  // The toolkit stores the captions as dynamic properties; they change the height.
  if (event->type() == QEvent::DynamicPropertyChange) {
    updateGeometry();
    update();
  }
  return QSlider::event(event);
}

int CaptionSlider::TrackLeft() const { return kHandleRadius + 1; }
int CaptionSlider::TrackRight() const { return std::max(TrackLeft(), width() - kHandleRadius - 2); }

QPoint CaptionSlider::HandleCentre(int value) const {
  const int span = maximum() - minimum();
  const double fraction =
      span > 0 ? static_cast<double>(std::clamp(value, minimum(), maximum()) - minimum()) / span : 0;
  return {TrackLeft() + static_cast<int>(std::lround(fraction * (TrackRight() - TrackLeft()))), kTrackAreaHeight / 2};
}

int CaptionSlider::ValueAt(int x) const {
  const int length = TrackRight() - TrackLeft();
  if (length <= 0) return minimum();
  const double fraction = std::clamp(static_cast<double>(x - TrackLeft()) / length, 0.0, 1.0);
  return minimum() + static_cast<int>(std::lround(fraction * (maximum() - minimum())));
}

void CaptionSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor accent = isEnabled() ? accent_ : kDisabledColour;
  const int middle = kTrackAreaHeight / 2;
  const QRectF track(TrackLeft(), middle - kTrackHeight / 2.0, TrackRight() - TrackLeft(), kTrackHeight);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kTrackColour);
  painter.drawRoundedRect(track, kTrackHeight / 2.0, kTrackHeight / 2.0);
  const QPoint handle = HandleCentre(sliderPosition());
  painter.setBrush(accent);
  painter.drawRoundedRect(QRectF(track.left(), track.top(), handle.x() - track.left(), kTrackHeight),
                          kTrackHeight / 2.0, kTrackHeight / 2.0);

  const bool lit = isSliderDown() || underMouse() || hasFocus();
  painter.setBrush(isEnabled() ? kHandleColour : kDisabledColour);
  painter.setPen(QPen(accent, lit ? 3 : 2));
  painter.drawEllipse(QPointF(handle), kHandleRadius - 1.5, kHandleRadius - 1.5);

  if (!HasCaptions()) return;
  painter.setFont(CaptionFont(font()));
  painter.setPen(kDimTextColour);
  const QRect captions(0, kTrackAreaHeight + kCaptionGap, width(), height() - kTrackAreaHeight - kCaptionGap);
  painter.drawText(captions, Qt::AlignLeft | Qt::AlignTop, LowCaption());
  painter.drawText(captions, Qt::AlignRight | Qt::AlignTop, HighCaption());
}

void CaptionSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || maximum() == minimum()) {
    event->ignore();
    return;
  }
  event->accept();
  const int x = event->position().toPoint().x();
  const int handle = HandleCentre(value()).x();
  // Grabbing the handle keeps it under the pointer; a press beside it moves it there.
  grab_offset_ = std::abs(x - handle) <= kHandleRadius ? x - handle : 0;
  setSliderDown(true);
  setSliderPosition(ValueAt(x - grab_offset_));
}

void CaptionSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!isSliderDown()) {
    event->ignore();
    return;
  }
  event->accept();
  setSliderPosition(ValueAt(event->position().toPoint().x() - grab_offset_));
}

void CaptionSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (!isSliderDown() || event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  setSliderDown(false);
}

}  // namespace korvane::qt
