#include "frontend/qt/dpi_rule.hpp"

#include <unistd.h>

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>

#include "app/startup.hpp"

namespace korvane::qt {

namespace {

constexpr char kScalingVariable[] = "QT_ENABLE_HIGHDPI_SCALING";

bool UserChoseScaling() {
  for (const char* name : {kScalingVariable, "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
    if (std::getenv(name) != nullptr) return true;
  }
  return false;
}

}  // namespace

void ApplyDpiRule(char** argv) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || UserChoseScaling()) return;
  const double ratio = screen->devicePixelRatio();
  if (ratio <= 1.0) return;
  const QSize pixels = screen->geometry().size() * ratio;
  const bool aware =
      ShouldBeDpiAware(pixels.width(), pixels.height(), [ratio] { return static_cast<int>(std::lround(96 * ratio)); });
  if (!aware) return;
  ::setenv(kScalingVariable, "0", 1);
  ::execv("/proc/self/exe", argv);
  // The program goes on scaled when it cannot start itself again.
}

}  // namespace korvane::qt
