#pragma once

#include <QString>

#include "ui/toolkit.hpp"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace korvane::qt {

class ColourButton;
class QtToolkit;

// Creates the widgets of one window and registers each under its control
// id. A role names the widget's look in the skin's style sheet
// (`[role="primary"]`, say); an image missing from the skin leaves the
// widget drawn by the style sheet alone, with the fallback glyph as text.
class ControlBuilder final {
 public:
  ControlBuilder(QtToolkit& toolkit, ui::WindowId window) : toolkit_(toolkit), window_(window) {}

  QtToolkit& Toolkit() const { return toolkit_; }

  QLabel* Text(int id, QWidget* parent, const char* role = "text");
  QLabel* Picture(int id, QWidget* parent, const QString& image, const char* role = "picture");
  QPushButton* Button(int id, QWidget* parent, const char* role, const QString& image = {},
                      const QString& fallback_glyph = {});
  QCheckBox* Check(int id, QWidget* parent);
  QRadioButton* Radio(int id, QWidget* parent, const QString& group);
  QComboBox* Combo(int id, QWidget* parent);
  // A field that takes digits only, at most max_digits of them.
  QLineEdit* NumberField(int id, QWidget* parent, int max_digits);
  // A colour swatch choice, exclusive within its group as radios are.
  ColourButton* ColourChoice(int id, QWidget* parent, const QString& group);
  // A container (page, section or decorative area) drawn by the style sheet.
  QFrame* Area(int id, QWidget* parent, const char* role);
  // Registers a widget made elsewhere.
  template <typename W>
  W* Add(int id, W* widget) {
    Register(id, widget);
    return widget;
  }

 private:
  QtToolkit& toolkit_;
  ui::WindowId window_;

  void Register(int id, QWidget* widget);
};

}  // namespace korvane::qt
