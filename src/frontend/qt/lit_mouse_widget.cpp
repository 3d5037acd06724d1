#include "frontend/qt/lit_mouse_widget.hpp"

#include <QConicalGradient>
#include <QHideEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QShowEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "frontend/qt/palette_widget.hpp"

namespace korvane::qt {

namespace {

using ui::LightEffect;

// The mouse is drawn in a 360 x 240 frame, up to 1.5 times that size.
constexpr double kArtWidth = 360;
constexpr double kArtHeight = 240;
constexpr double kLargestScale = 1.5;
const QPointF kCentre(180, 118);

constexpr int kFrameMs = 33;
// One cycle of a moving effect (a breath, a turn of the flow, a pass through
// the spectrum) at the slowest and the fastest speed.
constexpr double kSlowestCycleMs = 6000;
constexpr double kFastestCycleMs = 1200;
constexpr int kSpectrumStops = 12;
constexpr int kLightColourSteps = 7;

const QColor kShellTop(0x26, 0x2b, 0x35);
const QColor kShellBottom(0x17, 0x1a, 0x21);
const QColor kSeamColour(0x32, 0x38, 0x46);
const QColor kUnlitColour(0x3a, 0x41, 0x50);
const QColor kWheelColour(0x10, 0x12, 0x17);

// The light as it stands at one moment: what paints it, the colour of the
// halo it throws on the page and how strongly it shines (0..1).
struct Light {
  QBrush brush;
  QColor halo;
  double level = 0;
};

QColor Hue(double turns) {
  double hue = std::fmod(turns, 1.0);
  if (hue < 0) hue += 1.0;
  return QColor::fromHsvF(static_cast<float>(hue), 1.0F, 1.0F);
}

void SpectrumStops(QGradient& gradient) {
  for (int i = 0; i <= kSpectrumStops; ++i) {
    gradient.setColorAt(double(i) / kSpectrumStops, Hue(double(i) / kSpectrumStops));
  }
}

// The index-th colour in turn; without colours, seven steps round the spectrum.
QColor ColourOf(const ui::LightingPreview& preview, long long index) {
  if (preview.colours.empty()) return Hue(double(index) / kLightColourSteps);
  const auto count = static_cast<long long>(preview.colours.size());
  return UnpackQColor(preview.colours[static_cast<std::size_t>(index % count)]);
}

Light LightAt(const ui::LightingPreview& preview, std::chrono::milliseconds now) {
  const double brightness = std::clamp(preview.brightness, 0, 100) / 100.0;
  const double speed = std::clamp(preview.speed, 0, 100) / 100.0;
  const double cycle_ms = kSlowestCycleMs - (kSlowestCycleMs - kFastestCycleMs) * speed;
  const double cycles = static_cast<double>(now.count()) / cycle_ms;
  const double phase = cycles - std::floor(cycles);
  Light light;
  switch (preview.effect) {
    case LightEffect::kOff:
      return light;
    case LightEffect::kSteady:
      light.halo = ColourOf(preview, 0);
      light.brush = light.halo;
      light.level = brightness;
      return light;
    case LightEffect::kBreathing:
      light.halo = ColourOf(preview, static_cast<long long>(std::floor(cycles)));
      light.brush = light.halo;
      light.level = brightness * (1 - std::cos(2 * std::numbers::pi * phase)) / 2;
      return light;
    case LightEffect::kNeon:
      light.halo = Hue(phase);
      light.brush = light.halo;
      light.level = brightness;
      return light;
    case LightEffect::kFlow: {
      QConicalGradient flow(kCentre, -360 * phase);
      SpectrumStops(flow);
      light.brush = QBrush(flow);
      light.halo = Hue(phase);
      light.level = brightness;
      return light;
    }
    case LightEffect::kRainbowWave: {
      // One spectrum spans twice the mouse's width and rolls across it.
      constexpr double kBand = 2 * 124;
      const double start = 118 - kBand * (1 - phase);
      QLinearGradient wave(QPointF(start, 0), QPointF(start + kBand, 0));
      wave.setSpread(QGradient::RepeatSpread);
      SpectrumStops(wave);
      light.brush = QBrush(wave);
      light.halo = Hue(phase);
      light.level = brightness;
      return light;
    }
  }
  return light;
}

QPainterPath Shell() {
  QPainterPath path(QPointF(180, 28));
  path.cubicTo(142, 28, 118, 58, 118, 102);
  path.lineTo(118, 138);
  path.cubicTo(118, 182, 144, 208, 180, 208);
  path.cubicTo(216, 208, 242, 182, 242, 138);
  path.lineTo(242, 102);
  path.cubicTo(242, 58, 218, 28, 180, 28);
  path.closeSubpath();
  return path;
}

QPainterPath Wheel() {
  QPainterPath path;
  path.addRoundedRect(QRectF(173, 50, 14, 26), 7, 7);
  return path;
}

QPainterPath Logo() {
  QPainterPath path(QPointF(150, 176));
  path.cubicTo(159, 186, 169, 190, 180, 190);
  path.cubicTo(191, 190, 201, 186, 210, 176);
  return path;
}

// The lit parts in one brush: the light guide round the edge, the ring of
// the wheel and the logo, each as wide as its line times widen.
void StrokeLight(QPainter& painter, const QBrush& brush, double widen) {
  const auto stroke = [&](const QPainterPath& path, double width) {
    QPen pen(brush, width * widen);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.strokePath(path, pen);
  };
  stroke(Shell(), 3);
  stroke(Wheel(), 2.5);
  stroke(Logo(), 3);
}

void PaintMouse(QPainter& painter, const Light& light) {
  if (light.level > 0) {
    // The light on the desk: an oval fading out to its edge.
    QRadialGradient glow(QPointF(0, 0), 1);
    for (const auto& [at, strength] : {std::pair{0.0, 0.4}, std::pair{0.5, 0.16}, std::pair{1.0, 0.0}}) {
      QColor colour = light.halo;
      colour.setAlphaF(static_cast<float>(strength * light.level));
      glow.setColorAt(at, colour);
    }
    painter.save();
    painter.translate(180, 132);
    painter.scale(170, 104);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(0, 0), 1, 1);
    painter.restore();
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 90));
  painter.drawEllipse(QPointF(180, 214), 62, 7);

  QLinearGradient shell(0, 28, 0, 208);
  shell.setColorAt(0, kShellTop);
  shell.setColorAt(1, kShellBottom);
  painter.fillPath(Shell(), shell);
  QPainterPath seams(QPointF(180, 30));
  seams.lineTo(180, 88);
  seams.moveTo(120, 92);
  seams.lineTo(240, 92);
  painter.strokePath(seams, QPen(kSeamColour, 2));
  painter.fillPath(Wheel(), kWheelColour);
  StrokeLight(painter, kUnlitColour, 1);
  if (light.level <= 0) return;

  // The halo of the light guide, widest and faintest first, then the light.
  for (const double widen : {8.0, 6.5, 5.0, 3.8, 2.8, 2.0}) {
    painter.setOpacity(0.09 * light.level);
    StrokeLight(painter, light.brush, widen);
  }
  painter.setOpacity(light.level);
  StrokeLight(painter, light.brush, 1);
  painter.setOpacity(1);
}

std::chrono::milliseconds SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

LitMouseWidget::LitMouseWidget(QWidget* parent) : QWidget(parent), clock_(SteadyNow) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void LitMouseWidget::SetPreview(const ui::LightingPreview& preview) {
  if (preview == preview_) return;
  preview_ = preview;
  UpdateTimer();
  update();
}

void LitMouseWidget::SetClock(Clock clock) {
  clock_ = std::move(clock);
  update();
}

QSize LitMouseWidget::sizeHint() const {
  return {static_cast<int>(kArtWidth * kLargestScale), static_cast<int>(kArtHeight * kLargestScale)};
}

void LitMouseWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = std::min({width() / kArtWidth, height() / kArtHeight, kLargestScale});
  painter.translate((width() - kArtWidth * scale) / 2, (height() - kArtHeight * scale) / 2);
  painter.scale(scale, scale);
  PaintMouse(painter, LightAt(preview_, clock_()));
}

// A minimised window hides its widgets with a spontaneous hide event and
// leaves them visible; both kinds stop the animation.
void LitMouseWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  on_screen_ = true;
  UpdateTimer();
}

void LitMouseWidget::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  on_screen_ = false;
  UpdateTimer();
}

bool LitMouseWidget::Moving() const {
  switch (preview_.effect) {
    case LightEffect::kBreathing:
    case LightEffect::kFlow:
    case LightEffect::kNeon:
    case LightEffect::kRainbowWave:
      return preview_.brightness > 0;
    case LightEffect::kOff:
    case LightEffect::kSteady:
      return false;
  }
  return false;
}

void LitMouseWidget::UpdateTimer() {
  if (Moving() && on_screen_ && isVisible()) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace korvane::qt
