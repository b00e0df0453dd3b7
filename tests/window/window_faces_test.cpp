// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two faces of the window and what a screen reader hears of it: the
// layout tables walked control by control under the English translation and
// without it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "exception_box.h"
#include "help_viewer.h"
#include "hint_handler.h"
#include "main_window.h"
#include "memory_registry.h"
#include "qt_print.h"
#include "radio_group.h"
#include "recording_fakes.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "support/test_printer.h"
#include "transmission_box.h"
#include "window_face.h"
#include "window_layout.h"

namespace zelora {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The English the caption table has no entry for.
const std::map<std::string_view, std::string_view> kOwnEnglish = {
    {"Эмуляция", "Emulation"},
    {"  Статус", "  Status"},
};

QString Expected(const LayoutText& text, bool english) {
  if (!english) return Q(text.russian);
  if (text.english_id != 0) return Q(EnglishCaption(text.english_id));
  const auto own = kOwnEnglish.find(text.russian);
  return Q(own != kOwnEnglish.end() ? own->second : text.russian);
}

QString Caption(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  return {};
}

QStringList Items(QWidget* widget) {
  QStringList items;
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  } else if (auto* group = qobject_cast<RadioGroup*>(widget)) {
    for (int i = 0; i < group->Count(); ++i) items << group->Item(i)->text();
  }
  return items;
}

// Every control of the layout with its page (nullptr on the window itself).
template <typename Visit>
void ForEachControl(Visit visit) {
  for (const ControlLayout& control : WindowControls()) visit(control, nullptr);
  for (const PageLayout& page : Pages()) {
    for (const ControlLayout& control : page.controls) visit(control, &page);
  }
}

class WindowFacesTest : public ::testing::TestWithParam<bool> {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  void SetUp() override {
    if (English()) {
      ASSERT_TRUE(LoadFace(translator_, QLocale(QLocale::English, QLocale::UnitedStates)));
      ASSERT_TRUE(QCoreApplication::installTranslator(&translator_));
    }
    window_ = std::make_unique<TZLR>(store_, printer_.port(), boxes_);
  }
  void TearDown() override {
    window_.reset();
    QCoreApplication::removeTranslator(&translator_);
  }

  bool English() const { return GetParam(); }
  QWidget* Find(std::string_view name) const { return window_->FindControl(name); }

  QTranslator translator_;
  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::TestPrinter printer_{store_};
  StrictBoxes boxes_;
  std::unique_ptr<TZLR> window_;
};

INSTANTIATE_TEST_SUITE_P(Faces, WindowFacesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "Russian"; });

TEST_P(WindowFacesTest, EveryCaptionHintAndItemShowsInTheFace) {
  ForEachControl([&](const ControlLayout& control, const PageLayout*) {
    if (control.kind == ControlKind::Timer) return;
    SCOPED_TRACE(std::string(control.name));
    QWidget* widget = Find(control.name);
    ASSERT_NE(widget, nullptr);
    if (!control.caption.russian.empty() || control.caption.english_id != 0) {
      EXPECT_EQ(Caption(widget), Expected(control.caption, English()));
    }
    EXPECT_EQ(widget->property("hint").toString(), Expected(control.hint, English()));
    QStringList items;
    for (const LayoutText& item : control.items) items << Expected(item, English());
    EXPECT_EQ(Items(widget), items);
    // A caption never runs past its control, in either face.
    switch (control.kind) {
      case ControlKind::Label:
      case ControlKind::ShadowedLabel:
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        EXPECT_GE(widget->width(), widget->sizeHint().width());
        break;
      default:
        break;
    }
  });

  const QTabWidget* pages = window_->findChild<QTabWidget*>("PageControl1");
  ASSERT_EQ(pages->count(), static_cast<int>(Pages().size()));
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->tabText(i), Expected(Pages()[static_cast<std::size_t>(i)].caption, English()));
  }
  const StatusBar* bar = window_->findChild<StatusBar*>("SBar");
  for (std::size_t i = 0; i < StatusPanels().size(); ++i) {
    EXPECT_EQ(bar->PanelText(static_cast<int>(i)), Expected(StatusPanels()[i].text, English()));
  }
  // The two faces' own version lines, and what the table lacks.
  EXPECT_EQ(Caption(Find("RxLabel3")), English() ? "Version :3.2" : "Версия 1.0");
  EXPECT_EQ(Caption(Find("Label4")), English() ? "Emulation" : "Эмуляция");
  EXPECT_EQ(bar->PanelText(0), English() ? "  Status" : "  Статус");
}

// The label that names each control without a caption of its own, as the
// layout places them: on its left on the same line, or just above it.
const std::map<std::string_view, std::string_view> kLabelOf = {
    {"ComBaudrate", "Label1"},  {"SpinTimeout", "Label2"},  {"ComPowersave", "Label3"},
    {"ComPapersize", "Label5"}, {"ComSource", "Label6"},    {"SpinLpi", "Label7"},
    {"SpinCopies", "Label8"},   {"RxSpinEdit1", "Label13"}, {"RxSpinEdit2", "Label14"},
    {"ListTypeface", "Label9"}, {"ListSymbol", "Label10"},  {"SpinPitch", "Label11"},
    {"SpinPoint", "Label12"},
};

const ControlLayout* LayoutOf(std::string_view name) {
  const ControlLayout* found = nullptr;
  ForEachControl([&](const ControlLayout& control, const PageLayout*) {
    if (control.name == name) found = &control;
  });
  return found;
}

QAccessible::Role RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PageControl:
      return QAccessible::Client;
    case ControlKind::StatusBar:
      return QAccessible::StatusBar;
    case ControlKind::FlatButton:
      return QAccessible::Button;
    case ControlKind::GroupBox:
    case ControlKind::RadioGroup:
      return QAccessible::Grouping;
    case ControlKind::Label:
    case ControlKind::ShadowedLabel:
      return QAccessible::StaticText;
    case ControlKind::PickList:
    case ControlKind::EditableList:
      return QAccessible::ComboBox;
    case ControlKind::SpinField:
      return QAccessible::SpinBox;
    case ControlKind::CheckBox:
      return QAccessible::CheckBox;
    case ControlKind::RadioButton:
      return QAccessible::RadioButton;
    case ControlKind::ListBox:
      return QAccessible::List;
    case ControlKind::Gauge:
      return QAccessible::ProgressBar;
    case ControlKind::Panel:
      return QAccessible::Border;
    case ControlKind::Picture:
      return QAccessible::Graphic;
    case ControlKind::Timer:
      break;
  }
  return QAccessible::NoRole;
}

TEST_P(WindowFacesTest, EveryControlHasANameDescriptionRoleAndState) {
  window_->show();
  ForEachControl([&](const ControlLayout& control, const PageLayout* page) {
    if (control.kind == ControlKind::Timer) return;
    SCOPED_TRACE(std::string(control.name));
    QWidget* widget = Find(control.name);
    ASSERT_NE(widget, nullptr);
    if (page != nullptr)
      window_->findChild<QTabWidget*>("PageControl1")->setCurrentWidget(Find(page->name));
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(access, nullptr);

    const QString name = access->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty());
    const QString caption = Expected(control.caption, English()).trimmed();
    if (!caption.isEmpty()) {
      EXPECT_EQ(name, caption);
    } else if (const auto label = kLabelOf.find(control.name); label != kLabelOf.end()) {
      EXPECT_EQ(name, Expected(LayoutOf(label->second)->caption, English()).trimmed());
      // The label is tied to it, as the toolkit knows labels.
      EXPECT_EQ(qobject_cast<QLabel*>(Find(label->second))->buddy(), widget);
    } else if (!control.hint.russian.empty()) {
      EXPECT_EQ(name, Expected(control.hint, English()));
    } else if (control.kind == ControlKind::GroupBox || control.kind == ControlKind::Panel) {
      ASSERT_NE(page, nullptr);
      EXPECT_EQ(name, Expected(page->caption, English()));
    }
    // The description is what the hint line shows for it.
    EXPECT_EQ(access->text(QAccessible::Description), HintHandler::HintOf(widget));
    EXPECT_EQ(access->role(), RoleOf(control.kind));
    EXPECT_EQ(access->state().disabled, (control.state & kDisabled) != 0);
    EXPECT_EQ(access->state().invisible, (control.state & kHidden) != 0);
    // A radio group's items by their own captions, described as the group.
    const auto* group = qobject_cast<RadioGroup*>(widget);
    for (int i = 0; group != nullptr && i < group->Count(); ++i) {
      QAccessibleInterface* item = QAccessible::queryAccessibleInterface(group->Item(i));
      const LayoutText& caption = control.items[static_cast<std::size_t>(i)];
      EXPECT_EQ(item->text(QAccessible::Name), Expected(caption, English()).trimmed());
      EXPECT_EQ(item->text(QAccessible::Description), access->text(QAccessible::Description));
    }
  });
  // Inherited hints: a radio button describes itself by its frame's.
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(Find("BtnPortrait"))->text(QAccessible::Description),
      Expected(LayoutOf("GroupBox4")->hint, English()));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Find("Image2"))->text(QAccessible::Name),
            English() ? "Portrait" : "Вертикально");
}

TEST_P(WindowFacesTest, SpinFieldsAndTheGaugeExposeTheirValues) {
  for (const char* name : {"SpinTimeout", "RxSpinEdit1", "SpinPitch", "SpinPoint"}) {
    SCOPED_TRACE(name);
    auto* spin = qobject_cast<SpinEdit*>(Find(name));
    ASSERT_NE(spin, nullptr);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(spin);
    QAccessibleValueInterface* value = access->valueInterface();
    ASSERT_NE(value, nullptr);
    // Read from the text as typed, unclamped; set through the field, clamped.
    spin->Editor()->setText(QString::fromStdString(std::string("999")));
    EXPECT_EQ(access->text(QAccessible::Value), "999");
    EXPECT_EQ(value->currentValue().toDouble(), 999.0);
    value->setCurrentValue(2000.0);
    EXPECT_EQ(value->currentValue().toDouble(), value->maximumValue().toDouble());
    EXPECT_EQ(value->minimumValue().toDouble(),
              static_cast<double>(spin->Field().properties().min_value));
    // The editor, which takes the focus, carries the field's name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(spin->Editor())->text(QAccessible::Name),
              access->text(QAccessible::Name));
  }

  window_->SetRange(400);
  window_->SetProgress(100);
  QAccessibleInterface* gauge = QAccessible::queryAccessibleInterface(Find("Gauge"));
  EXPECT_EQ(gauge->text(QAccessible::Value), "25%");
  EXPECT_EQ(gauge->valueInterface()->currentValue().toInt(), 100);
  EXPECT_EQ(gauge->valueInterface()->maximumValue().toInt(), 400);
}

TEST_P(WindowFacesTest, StatusBarReadsOutTheHintLine) {
  StatusBar* bar = window_->findChild<StatusBar*>("SBar");
  QAccessibleInterface* access = QAccessible::queryAccessibleInterface(bar);
  const QString status = English() ? "Status" : "Статус";
  EXPECT_EQ(access->text(QAccessible::Name), status);
  const QString hint = Find("BtnApply")->property("hint").toString();
  bar->SetPanelText(1, hint);
  EXPECT_EQ(access->text(QAccessible::Name), status + ": " + hint);
  bar->SetPanelText(1, {});
  EXPECT_EQ(access->text(QAccessible::Name), status);
}

TEST(MessageBoxes, AreAnnouncedAsAlerts) {
  std::unique_ptr<QMessageBox> boxes[] = {
      MakeExceptionBox("Disk full.", nullptr),
      TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant::SingleCommand, nullptr),
      TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant::MultiCommand, nullptr),
      ScreenBoxes::MakeDemoWriteErrorBox(nullptr),
  };
  for (const auto& box : boxes) {
    SCOPED_TRACE(box->text().toStdString());
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(box.get());
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::AlertMessage);
    EXPECT_EQ(access->text(QAccessible::Name), box->windowTitle());
    EXPECT_TRUE(access->text(QAccessible::Description).contains(box->text()) ||
                access->text(QAccessible::Value).contains(box->text()));
  }
}

TEST(FaceChoice, FollowsTheFirstUiLanguageOnly) {
  const struct {
    QLocale locale;
    bool loads;
    const char* language;
  } cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), true, "en"},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), true, "en"},
      {QLocale(QLocale::Russian, QLocale::Russia), false, "ru"},
      {QLocale(QLocale::German, QLocale::Germany), false, "ru"},
      {QLocale::c(), false, "ru"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    QTranslator translator;
    EXPECT_EQ(LoadFace(translator, c.locale), c.loads);
    EXPECT_EQ(FaceLanguage(translator), c.language);
  }
}

// Qt's own texts and the help window follow the face: Russian for the Russian
// face (also when the desktop's language is one the program has no face for),
// English for the English one. The transmission box's own words stay.
TEST(SurroundingTexts, FollowTheFace) {
  const struct {
    const char* language;
    const char* cancel;
    const char* copy;
    const char* help_title;
    const char* back;
  } cases[] = {
      {"ru", "Отмена", "&Копировать", "Справка Zelora", "Назад"},
      {"en", "Cancel", "&Copy", "Zelora Help", "Back"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    const SurroundingTexts texts{QString::fromLatin1(c.language)};
    const auto box =
        TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant::SingleCommand, nullptr);
    ASSERT_NE(box->button(QMessageBox::Cancel), nullptr);
    EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(box->windowTitle(), "Transmission Error");

    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions()) entries << action->text().section('\t', 0, 0);
    EXPECT_TRUE(entries.contains(QString::fromUtf8(c.copy))) << entries.join('|').toStdString();

    HelpViewer help{QString::fromLatin1(c.language)};
    help.ShowContext("VERAR.HLP", 1);
    QWidget* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "HelpWindow" && widget->isVisible()) window = widget;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.help_title));
    EXPECT_EQ(window->findChild<QToolButton*>("HelpBack")->text(), QString::fromUtf8(c.back));
    help.Quit();
  }
}

}  // namespace
}  // namespace zelora
