// The reference the desktop application is measured against: a bare Qt
// main window with one label and a tray icon.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStyle>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare Reference Window");
  window.setCentralWidget(new QLabel("Bare reference window"));
  window.resize(1300, 788);
  QSystemTrayIcon tray(app.style()->standardIcon(QStyle::SP_ComputerIcon));
  if (QSystemTrayIcon::isSystemTrayAvailable()) tray.show();
  window.show();
  return app.exec();
}
