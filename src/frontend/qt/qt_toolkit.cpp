#include "frontend/qt/qt_toolkit.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTimer>
#include <QUrl>

#include "frontend/qt/button_list_widget.hpp"
#include "frontend/qt/device_list_widget.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/dpi_levels_widget.hpp"
#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/key_recorder.hpp"
#include "frontend/qt/main_window.hpp"
#include "frontend/qt/mouse_picture_widget.hpp"
#include "frontend/qt/palette_widget.hpp"
#include "frontend/qt/qt_text.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "ui/event_codes.hpp"
#include "ui/placement.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

namespace {

constexpr int kTrayIconId = 109;

QString FilterText(const std::vector<ui::FileFilter>& filters) {
  QStringList parts;
  for (const ui::FileFilter& filter : filters) {
    parts << ToQ(filter.description) + " (" + ToQ(filter.pattern) + ")";
  }
  return parts.join(";;");
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QtToolkit::QtToolkit(Skin skin, TextLookup text)
    : skin_(std::move(skin)), text_(std::move(text)), context_(std::make_unique<QObject>()) {}

QtToolkit::~QtToolkit() {
  RemoveTrayIcon();
  for (auto& [id, window] : windows_) delete window.data();
}

void QtToolkit::BuildMainWindow(const std::string& caption) {
  RegisterWindow(ui::WindowId::kMain, new qt::MainWindow(*this, caption));
}

void QtToolkit::BuildRemainingPages() {
  if (auto* main = qobject_cast<qt::MainWindow*>(MainWindow())) main->BuildRemainingPages();
}

void QtToolkit::RegisterWindow(ui::WindowId window, QWidget* widget) { windows_[window] = widget; }

QWidget* QtToolkit::Window(ui::WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.data();
}

QWidget* QtToolkit::EnsureWindow(ui::WindowId window) {
  if (QWidget* widget = Window(window)) return widget;
  if (window == ui::WindowId::kMain || MainWindow() == nullptr) return nullptr;
  BuildDialog(*this, window);
  return Window(window);
}

void QtToolkit::Register(ui::ControlRef control, QWidget* widget) {
  widgets_[control] = widget;
  Connect(control, widget);
}

void QtToolkit::AddToRadioGroup(ui::WindowId window, const QString& group, QWidget* radio) {
  QButtonGroup*& buttons = radio_groups_[{window, group}];
  if (buttons == nullptr) buttons = new QButtonGroup(Window(window) ? Window(window) : radio->window());
  buttons->addButton(qobject_cast<QAbstractButton*>(radio));
}

QWidget* QtToolkit::Widget(ui::ControlRef control) const {
  const auto found = widgets_.find(control);
  return found == widgets_.end() ? nullptr : found->second.data();
}

QWidget* QtToolkit::Find(ui::ControlRef control) {
  EnsureWindow(control.window);
  return Widget(control);
}

void QtToolkit::Connect(ui::ControlRef control, QWidget* widget) {
  const auto emit_event = [this, control](int event, std::int64_t param) { Emit(control, event, param); };
  if (auto* list = qobject_cast<DeviceListWidget*>(widget)) {
    QObject::connect(list, &DeviceListWidget::Clicked,
                     [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* levels = qobject_cast<DpiLevelsWidget*>(widget)) {
    QObject::connect(levels, &DpiLevelsWidget::LevelClicked,
                     [emit_event](int index) { emit_event(ui::event::kLevelSelected, index); });
    QObject::connect(levels, &DpiLevelsWidget::SwatchClicked,
                     [emit_event](int index) { emit_event(ui::event::kColourSwatch, index); });
    QObject::connect(levels, &DpiLevelsWidget::ValueTyped, [this, control](int index, const QString& text) {
      StoreTypedText(control, index, text);
      Emit(control, ui::event::kValueTyped, index);
    });
  } else if (auto* rates = qobject_cast<RateListWidget*>(widget)) {
    QObject::connect(rates, &RateListWidget::Clicked,
                     [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* buttons = qobject_cast<ButtonListWidget*>(widget)) {
    QObject::connect(buttons, &ButtonListWidget::Clicked,
                     [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* picture = qobject_cast<MousePictureWidget*>(widget)) {
    QObject::connect(picture, &MousePictureWidget::Clicked,
                     [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* key_field = qobject_cast<KeyCaptureField*>(widget)) {
    QObject::connect(key_field, &KeyCaptureField::CaptureStarted,
                     [emit_event] { emit_event(ui::event::kCaptureStarted, 0); });
    QObject::connect(key_field, &KeyCaptureField::CaptureEnded,
                     [emit_event] { emit_event(ui::event::kCaptureEnded, 0); });
    QObject::connect(key_field, &KeyCaptureField::KeyPressed, [this, emit_event](int evdev, const QString& name) {
      key_names_[evdev] = name.toStdString();
      emit_event(ui::event::kKeyPressed, evdev);
    });
    QObject::connect(key_field, &KeyCaptureField::MouseButtonPressed,
                     [emit_event](int bits) { emit_event(ui::event::kMouseButtonPressed, bits); });
  } else if (auto* palette = qobject_cast<PaletteWidget*>(widget)) {
    QObject::connect(palette, &PaletteWidget::ColourMoving,
                     [emit_event](int colour) { emit_event(ui::event::kPaletteMoving, colour); });
    QObject::connect(palette, &PaletteWidget::ColourPicked,
                     [emit_event](int colour) { emit_event(ui::event::kClick, colour); });
  } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
    QObject::connect(tabs, &QTabBar::currentChanged, [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QObject::connect(combo, &QComboBox::activated, [emit_event](int index) { emit_event(ui::event::kClick, index); });
  } else if (auto* items = qobject_cast<QListWidget*>(widget)) {
    QObject::connect(items, &QListWidget::itemClicked,
                     [emit_event, items](QListWidgetItem* item) { emit_event(ui::event::kClick, items->row(item)); });
    items->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(items, &QListWidget::customContextMenuRequested, [emit_event, items](const QPoint& at) {
      emit_event(ui::event::kContextMenu, items->row(items->itemAt(at)));
    });
    QObject::connect(items, &QListWidget::itemChanged, [this, control, items](QListWidgetItem* item) {
      if (quiet_ > 0) return;
      const int row = items->row(item);
      StoreTypedText(control, row, item->text());
      Emit(control, ui::event::kValueTyped, row);
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    QObject::connect(edit, &QLineEdit::textEdited, [emit_event] { emit_event(ui::event::kTextChanged, 0); });
    // Enter or leaving the field reports it only when the user typed in it,
    // so tabbing through a field changes nothing.
    QObject::connect(edit, &QLineEdit::editingFinished, [emit_event, edit] {
      if (!edit->isModified()) return;
      edit->setModified(false);
      emit_event(ui::event::kClick, 0);
    });
  } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
    QObject::connect(slider, &QSlider::sliderMoved,
                     [emit_event](int value) { emit_event(ui::event::kSliderMoving, value); });
    QObject::connect(slider, &QSlider::sliderReleased,
                     [emit_event, slider] { emit_event(ui::event::kClick, slider->value()); });
    // A step that is no drag (the wheel, the keyboard, a page step on a
    // plain slider's track) ends where it is, so it counts as a release.
    QObject::connect(slider, &QSlider::valueChanged, [emit_event, slider](int value) {
      if (!slider->isSliderDown()) emit_event(ui::event::kClick, value);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QObject::connect(button, &QAbstractButton::clicked,
                     [emit_event](bool checked) { emit_event(ui::event::kClick, checked ? 1 : 0); });
  }
}

void QtToolkit::StoreTypedText(ui::ControlRef control, int index, const QString& text) {
  Shadow& shadow = ShadowOf(control);
  if (index >= 0 && index < static_cast<int>(shadow.items.size())) shadow.items[index].text = text.toStdString();
}

void QtToolkit::Emit(ui::ControlRef control, int event, std::int64_t param) {
  if (quiet_ > 0) return;
  const auto handler = handlers_.find(control.window);
  if (handler != handlers_.end() && handler->second != nullptr) {
    handler->second->OnControlEvent(control.id, event, param);
  }
}

void QtToolkit::DeliverMessage(ui::WindowId window, int message, std::int64_t wparam, std::int64_t lparam) {
  const auto handler = handlers_.find(window);
  if (handler != handlers_.end() && handler->second != nullptr) {
    handler->second->OnWindowMessage(message, wparam, lparam);
  }
}

void QtToolkit::SetHandler(ui::WindowId window, ui::WindowHandler* handler) { handlers_[window] = handler; }

void QtToolkit::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(context_.get(), std::move(work), Qt::QueuedConnection);
}

void QtToolkit::PostMessage(ui::WindowId window, int message, std::int64_t wparam, std::int64_t lparam) {
  Post([this, window, message, wparam, lparam] { DeliverMessage(window, message, wparam, lparam); });
}

ui::TimerId QtToolkit::StartTimer(std::chrono::milliseconds interval, bool repeating, std::function<void()> work) {
  const ui::TimerId id = next_timer_++;
  if (!work) {
    timers_[id] = nullptr;
    return id;
  }
  auto* timer = new QTimer(context_.get());
  timer->setSingleShot(!repeating);
  timer->setInterval(interval);
  QObject::connect(timer, &QTimer::timeout, context_.get(), [this, id, repeating, work = std::move(work)] {
    const std::function<void()> run = work;  // the timer may be gone once it is stopped
    if (!repeating) StopTimer(id);
    run();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtToolkit::StopTimer(ui::TimerId timer) {
  const auto found = timers_.find(timer);
  if (found == timers_.end()) return;
  if (QTimer* armed = found->second) {
    armed->stop();
    armed->deleteLater();
  }
  timers_.erase(found);
}

void QtToolkit::SetWindowTitle(ui::WindowId window, std::string_view title) {
  if (QWidget* widget = EnsureWindow(window)) widget->setWindowTitle(ToQ(title));
}

void QtToolkit::ShowWindow(ui::WindowId window, ui::WindowState state) {
  QWidget* widget = EnsureWindow(window);
  if (widget == nullptr) return;
  if (window == ui::WindowId::kMain && state == ui::WindowState::kHidden && !HasTrayIcon()) {
    state = ui::WindowState::kMinimised;
  }
  switch (state) {
    case ui::WindowState::kHidden:
      widget->hide();
      break;
    case ui::WindowState::kNormal:
      widget->showNormal();
      break;
    case ui::WindowState::kMinimised:
      widget->showMinimized();
      break;
    case ui::WindowState::kMaximised:
      widget->showMaximized();
      break;
  }
}

ui::WindowState QtToolkit::GetWindowState(ui::WindowId window) const {
  const QWidget* widget = Window(window);
  if (widget == nullptr || !widget->isVisible()) return ui::WindowState::kHidden;
  if (widget->isMinimized()) return ui::WindowState::kMinimised;
  if (widget->isMaximized()) return ui::WindowState::kMaximised;
  return ui::WindowState::kNormal;
}

void QtToolkit::RaiseWindow(ui::WindowId window) {
  QWidget* widget = EnsureWindow(window);
  if (widget == nullptr) return;
  if (widget->isMinimized()) widget->showNormal();
  widget->raise();
  widget->activateWindow();
}

void QtToolkit::MoveWindow(ui::WindowId window, ui::Rect rect) {
  QWidget* widget = EnsureWindow(window);
  if (widget == nullptr) return;
  if (window == ui::WindowId::kMain) {
    widget->move(rect.left, rect.top);
  } else {
    // A dialog is never made smaller than its controls need.
    widget->setFixedSize(QSize(rect.width, rect.height).expandedTo(widget->minimumSizeHint()));
    widget->move(rect.left, rect.top);
    placed_.insert(window);
  }
}

ui::Rect QtToolkit::WindowRect(ui::WindowId window) const {
  const QWidget* widget = Window(window);
  if (widget == nullptr) return {};
  const QRect frame = widget->geometry();
  return {frame.x(), frame.y(), frame.width(), frame.height()};
}

ui::Rect QtToolkit::WorkArea() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->availableGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

int QtToolkit::RunModal(ui::WindowId window) {
  auto* dialog = qobject_cast<QDialog*>(EnsureWindow(window));
  if (dialog == nullptr) return 0;
  // A window its caller did not place is centred on the main window (on the
  // work area while that is not on screen).
  if (!placed_.contains(window)) {
    const ui::Rect rect = ui::CentredIn(ui::OwnerArea(*this), dialog->width(), dialog->height());
    dialog->move(rect.left, rect.top);
  }
  const int result = dialog->exec();
  placed_.erase(window);
  return result;
}

void QtToolkit::EndModal(ui::WindowId window, int result) {
  if (auto* dialog = qobject_cast<QDialog*>(Window(window))) dialog->done(result);
}

void QtToolkit::Quit(int exit_code) { QCoreApplication::exit(exit_code); }

void QtToolkit::ShowMenu(const std::vector<ui::MenuItem>& items) {
  QMenu menu(MainWindow());
  menu.setObjectName("popupMenu");
  for (const ui::MenuItem& item : items) {
    QObject::connect(menu.addAction(ToQ(item.text)), &QAction::triggered,
                     [this, item] { PostMessage(ui::WindowId::kMain, item.message, item.wparam, item.lparam); });
  }
  menu.exec(QCursor::pos());
}

std::optional<std::string> QtToolkit::OpenFileDialog(std::string_view title,
                                                     const std::vector<ui::FileFilter>& filters) {
  return Chosen(QFileDialog::getOpenFileName(MainWindow(), ToQ(title), QString(), FilterText(filters)));
}

std::optional<std::string> QtToolkit::SaveFileDialog(std::string_view title, std::string_view suggested_name,
                                                     const std::vector<ui::FileFilter>& filters) {
  return Chosen(QFileDialog::getSaveFileName(MainWindow(), ToQ(title), ToQ(suggested_name), FilterText(filters)));
}

void QtToolkit::OpenLink(std::string_view url) {
  if (!url.empty()) QDesktopServices::openUrl(QUrl(ToQ(url)));
}

bool QtToolkit::AddTrayIcon(std::string_view tooltip) {
  if (tray_ != nullptr) {
    tray_->setToolTip(ToQ(tooltip));
    return true;
  }
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  tray_ = new QSystemTrayIcon(skin_.AppIcon(), context_.get());
  tray_->setToolTip(ToQ(tooltip));
  QObject::connect(tray_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    int mouse_message = 0;
    if (reason == QSystemTrayIcon::Trigger) mouse_message = ui::tray::kLeftDown;
    if (reason == QSystemTrayIcon::DoubleClick) mouse_message = ui::tray::kLeftDoubleClick;
    if (reason == QSystemTrayIcon::Context) mouse_message = ui::tray::kRightUp;
    if (mouse_message != 0) DeliverMessage(ui::WindowId::kMain, ui::msg::kTrayCallback, kTrayIconId, mouse_message);
  });
  tray_->show();
  return true;
}

void QtToolkit::RemoveTrayIcon() {
  if (tray_ == nullptr) return;
  tray_->hide();
  delete tray_;
  tray_ = nullptr;
}

bool QtToolkit::HasTrayIcon() const { return tray_ != nullptr; }

}  // namespace korvane::qt
