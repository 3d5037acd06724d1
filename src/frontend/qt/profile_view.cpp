#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/text_ids.hpp"
#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/profile_list.hpp"
#include "frontend/qt/qt_text.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// ProfileDlg: a pop-up (a click outside closes it) with the profile list and
// the import and export buttons; its size is set by the caller. A click on an
// item chooses it; renaming in place starts from the pencil at the end of
// each row or from the keyboard (F2 or typing on the selected item).
void BuildProfileDialog(QtToolkit& toolkit) {
  namespace profile = ui::ctl::profile;
  constexpr ui::WindowId kWindow = ui::WindowId::kProfile;
  auto* window = new DialogWindow(toolkit, kWindow, {240, 210}, Qt::Popup);
  window->setWindowTitle("ProfileDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(10, 10, 10, 10);
  column->setSpacing(8);
  auto* list = build.Add(profile::kList,
                         new ProfileList([&toolkit] { return ToQ(toolkit.Text()(text_id::kRenameProfile)); }, window));
  // Wide enough for the names even when the caller gives the pop-up only
  // the profile button's width.
  list->setObjectName("profileList");
  list->setMinimumWidth(200);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setProperty("editable", true);
  list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  column->addWidget(list, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(build.Button(profile::kImport, window, "secondary"));
  buttons->addWidget(build.Button(profile::kExport, window, "secondary"));
  column->addLayout(buttons);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
