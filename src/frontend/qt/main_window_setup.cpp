#include "frontend/qt/main_window_setup.hpp"

#include <QApplication>

#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/main_texts.hpp"

namespace korvane::qt {

TextLookup TextLookupOf(const AppContext& context) { return context.Language().Lookup(); }

void SetUpFirstView(QApplication& app, QtToolkit& toolkit, const AppContext& context) {
  app.setStyleSheet(toolkit.GetSkin().StyleSheet());
  app.setWindowIcon(toolkit.GetSkin().AppIcon());
  toolkit.BuildMainWindow(context.Caption());
  ui::AddMainTabs(toolkit, toolkit.Text());
  ui::ApplyMainWindowTexts(toolkit, toolkit.Text());
  toolkit.SetWindowTitle(ui::WindowId::kMain, context.Caption());
  toolkit.SetText(ui::ctl::kTitle, context.Caption());
}

void CompleteMainWindow(QtToolkit& toolkit, const AppContext& context) {
  toolkit.BuildRemainingPages();
  ui::ApplyMainWindowTexts(toolkit, toolkit.Text());
  toolkit.SetText(ui::ctl::kSettingsTitle, context.Caption());

  toolkit.ClearItems(ui::ctl::kLanguageList);
  for (const OfferedLanguage& language : context.Language().OfferedLanguages()) {
    ui::ListItem item;
    item.text = std::string(language.native_name);
    item.data = language.lcid;
    toolkit.AddItem(ui::ctl::kLanguageList, item);
  }
  toolkit.SelectData(ui::ctl::kLanguageList, context.Language().CurrentLcid());
}

void SetUpMainWindow(QApplication& app, QtToolkit& toolkit, const AppContext& context) {
  SetUpFirstView(app, toolkit, context);
  CompleteMainWindow(toolkit, context);
}

}  // namespace korvane::qt
