#pragma once

class QWidget;

namespace korvane::qt {

class ControlBuilder;

inline constexpr int kTitleBarHeight = 64;

// Builders of the main window's parts; each creates its controls under their
// ids and returns the part's container.
QWidget* BuildTitleBar(ControlBuilder& build, QWidget* parent);
QWidget* BuildStatusRow(ControlBuilder& build, QWidget* parent);
QWidget* BuildTabRow(ControlBuilder& build, QWidget* parent);
QWidget* BuildHomePage(ControlBuilder& build, QWidget* parent);
// The buttons page with every control; the macro page's container.
QWidget* BuildButtonsPage(ControlBuilder& build, QWidget* parent);
QWidget* BuildMacroPage(ControlBuilder& build, QWidget* parent);
// The performance and lighting pages with every control.
QWidget* BuildPerformancePage(ControlBuilder& build, QWidget* parent);
QWidget* BuildLightingPage(ControlBuilder& build, QWidget* parent);
QWidget* BuildDeviceInfoPage(ControlBuilder& build, QWidget* parent);
QWidget* BuildSettingsPage(ControlBuilder& build, QWidget* parent);

}  // namespace korvane::qt
