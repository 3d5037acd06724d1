#include "frontend/qt/skin.hpp"

#include <QFile>
#include <QFileInfo>

namespace korvane::qt {

namespace {
QString ToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
}  // namespace

Skin::Skin(std::filesystem::path folder) : folder_(std::move(folder)) {}

QString Skin::ImagePath(const QString& name) const {
  QString relative = name;
  relative.replace('\\', '/').replace("//", "/");
  const QString base = ToQString(folder_) + '/' + relative;
  if (QFileInfo::exists(base)) return base;
  const QString svg = QFileInfo(base).path() + '/' + QFileInfo(base).completeBaseName() + ".svg";
  return QFileInfo::exists(svg) ? svg : QString();
}

QPixmap Skin::Pixmap(const QString& name) const {
  const auto cached = pixmaps_.constFind(name);
  if (cached != pixmaps_.constEnd()) return *cached;
  const QString path = ImagePath(name);
  QPixmap pixmap = path.isEmpty() ? QPixmap() : QPixmap(path);
  pixmaps_.insert(name, pixmap);
  return pixmap;
}

QIcon Skin::Icon(const QString& name) const {
  const QString path = ImagePath(name);
  return path.isEmpty() ? QIcon() : QIcon(path);
}

QIcon Skin::AppIcon() const {
  const QString path = ToQString(folder_ / "Korvane.ico");
  return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

QString Skin::StyleSheet() const {
  QFile file(ToQString(folder_ / "skin.qss"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).replace("@SKIN@", ToQString(folder_));
}

}  // namespace korvane::qt
