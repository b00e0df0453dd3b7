// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessible_texts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <string_view>

#include "gauge.h"
#include "hint_handler.h"
#include "qt_text.h"
#include "radio_group.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "window_face.h"

namespace zelora {
namespace {

// Controls that show something but have neither caption, label nor hint: a
// text of the layout that says what they show, so that it follows the face.
struct ShownText {
  std::string_view control;
  LayoutText text;
};

constexpr ShownText kShownTexts[] = {
    {"PageControl1", {"Zelora", 33}},
    {"Image1", {"Zelora", 33}},
    {"Image2", {"Вертикально", 17}},
    {"Image3", {"Горизонтально", 18}},
    {"Gauge", {"Демонстрационный список", 44}},
};

// A spin field: a spin box whose value is its text's, as the field reads it.
class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SpinEditAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Spin().Editor()->text();
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return static_cast<double>(Spin().Value()); }
  void setCurrentValue(const QVariant& value) override {
    Spin().SetValue(static_cast<long double>(value.toDouble()));
  }
  QVariant maximumValue() const override {
    return static_cast<double>(Spin().Field().properties().max_value);
  }
  QVariant minimumValue() const override {
    return static_cast<double>(Spin().Field().properties().min_value);
  }
  QVariant minimumStepSize() const override {
    return static_cast<double>(Spin().Field().properties().increment);
  }

 private:
  SpinEdit& Spin() const { return *static_cast<SpinEdit*>(widget()); }
};

// The gauge: a progress bar read as its percentage.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit GaugeAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QStringLiteral("%1%").arg(Bar().PercentDone());
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return Bar().Progress(); }
  void setCurrentValue(const QVariant&) override {}  // shows progress, takes none
  QVariant maximumValue() const override { return Bar().Maximum(); }
  QVariant minimumValue() const override { return Bar().Minimum(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  const Gauge& Bar() const { return *static_cast<const Gauge*>(widget()); }
};

// A flat button: a push button that says its command's key. The toolkit's
// own button offers only a mnemonic from the caption, which these captions
// have none of.
class FlatButtonAccessible : public QAccessibleWidget {
 public:
  explicit FlatButtonAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {
    addControllingSignal(QStringLiteral("clicked(bool)"));
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Accelerator) return Key();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button().isDown();
    return state;
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      if (widget()->isEnabled()) Button().click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction() && !Key().isEmpty()) return {Key()};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  QAbstractButton& Button() const { return *static_cast<QAbstractButton*>(widget()); }
  QString Key() const { return Button().shortcut().toString(QKeySequence::NativeText); }
};

// A radio button whose rectangle is all of its widget, as its clicks are; the
// toolkit's own reports only the indicator and text.
class RadioButtonAccessible : public QAccessibleWidget {
 public:
  explicit RadioButtonAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::RadioButton) {
    addControllingSignal(QStringLiteral("clicked(bool)"));
  }
  QString text(QAccessible::Text t) const override {
    // Its own caption, not the title of the frame it sits in, which the
    // toolkit reads for a button without a name: a radio group's items would
    // all be called after the group. The captions carry no mnemonics; an
    // ampersand would only be one.
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      const QString caption = Button().text().remove(QLatin1Char('&')).trimmed();
      if (!caption.isEmpty()) return caption;
    }
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button().isChecked();
    state.pressed = Button().isDown();
    return state;
  }
  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << toggleAction();
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == toggleAction() || action == pressAction()) {
      if (widget()->isEnabled()) Button().click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  QAbstractButton& Button() const { return *static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* WindowKinds(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (class_name == QLatin1String("zelora::SpinEdit")) return new SpinEditAccessible(widget);
  if (class_name == QLatin1String("zelora::Gauge")) return new GaugeAccessible(widget);
  if (class_name == QLatin1String("zelora::FlatButton")) return new FlatButtonAccessible(widget);
  if (class_name == QLatin1String("zelora::RadioButton")) return new RadioButtonAccessible(widget);
  // The main window is a plain widget, which the toolkit would present as a
  // filler inside nothing.
  if (class_name == QLatin1String("zelora::TZLR")) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  if (class_name == QLatin1String("zelora::StatusBar")) {
    return new QAccessibleWidget(widget, QAccessible::StatusBar);
  }
  return nullptr;
}

bool Overlap(int a_start, int a_length, int b_start, int b_length) {
  return a_start < b_start + b_length && b_start < a_start + a_length;
}

}  // namespace

const ControlLayout* LabelFor(std::span<const ControlLayout> container,
                              const ControlLayout& control) {
  const ControlLayout* left = nullptr;
  const ControlLayout* above = nullptr;
  for (const ControlLayout& label : container) {
    if (label.kind != ControlKind::Label || label.parent != control.parent) continue;
    if (label.left < control.left &&
        Overlap(label.top, label.height, control.top, control.height)) {
      if (left == nullptr || label.left > left->left) left = &label;
    } else if (label.top + label.height <= control.top &&
               Overlap(label.left, label.width, control.left, control.width)) {
      if (above == nullptr || label.top > above->top) above = &label;
    }
  }
  return left != nullptr ? left : above;
}

void SetAccessibleTexts(QWidget& widget, const ControlLayout& layout,
                        std::span<const ControlLayout> siblings, const LayoutText& page) {
  QString name = FaceText(layout.caption).trimmed();
  if (name.isEmpty()) {
    if (const ControlLayout* label = LabelFor(siblings, layout)) {
      name = FaceText(label->caption).trimmed();
      // The toolkit's own relation: the label is announced as labelling it.
      if (auto* shown = widget.parentWidget()->findChild<QLabel*>(ToQString(label->name),
                                                                  Qt::FindDirectChildrenOnly)) {
        shown->setBuddy(&widget);
      }
    }
  }
  if (name.isEmpty()) name = FaceText(layout.hint).trimmed();
  for (const ShownText& shown : kShownTexts) {
    if (name.isEmpty() && shown.control == layout.name) name = FaceText(shown.text).trimmed();
  }
  // Frames and empty texts belong to their page.
  if (name.isEmpty()) name = FaceText(page).trimmed();

  const QString description = HintHandler::HintOf(&widget);
  // The status bar names itself after what its panels show.
  if (!name.isEmpty()) widget.setAccessibleName(name);
  widget.setAccessibleDescription(description);
  if (auto* group = qobject_cast<RadioGroup*>(&widget)) {
    // Its items are no controls of the layout; the group's hint tells what
    // each of them sets.
    for (int i = 0; i < group->Count(); ++i) group->Item(i)->setAccessibleDescription(description);
  }
  if (auto* spin = qobject_cast<SpinEdit*>(&widget)) {
    // The editor takes the focus; it is what a screen reader announces.
    spin->Editor()->setAccessibleName(name);
    spin->Editor()->setAccessibleDescription(description);
  }
}

void InstallAccessibleKinds() {
  static const bool installed = [] {
    QAccessible::installFactory(&WindowKinds);
    return true;
  }();
  (void)installed;
}

}  // namespace zelora
