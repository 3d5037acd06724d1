#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <filesystem>

namespace korvane::qt {

// The images and style sheet of one theme folder ("<resources>/skins/<theme>/").
// Images are named as the pages name them ("sysbtn_close.png", "icon\tab_home.png");
// a name is looked up as given, then with the extension ".svg". Images load on
// first use and stay cached; a missing image gives a null pixmap, and the
// control then draws itself from the style sheet alone.
class Skin final {
 public:
  explicit Skin(std::filesystem::path folder);

  const std::filesystem::path& Folder() const { return folder_; }
  // Empty when the image is missing.
  QString ImagePath(const QString& name) const;
  QPixmap Pixmap(const QString& name) const;
  QIcon Icon(const QString& name) const;
  // The program icon "Korvane.ico"; null when missing.
  QIcon AppIcon() const;
  // "skin.qss" with "@SKIN@" replaced by the folder; empty when missing.
  QString StyleSheet() const;

 private:
  std::filesystem::path folder_;
  mutable QHash<QString, QPixmap> pixmaps_;
};

}  // namespace korvane::qt
