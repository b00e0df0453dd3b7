// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: topics by context number, links and the browser's history,
// and a help file it cannot use reported inside its own window.

#include "help_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>

#include "qt_print.h"

namespace zelora {
namespace {

// A help file whose topics are long enough for each to be scrolled to the top.
QByteArray TestHelp() {
  const struct {
    int context;
    const char* title;
    const char* links;
  } topics[] = {
      {0, "Test contents",
       "<p><a href=\"#context-1\">To printer</a> <a href=\"#context-3\">To font</a></p>"},
      {1, "Printer settings", "<p><a href=\"#context-2\">To paper</a></p>"},
      {2, "Paper settings", ""},
      {3, "Font settings", ""},
      {4, "Quality settings", ""},
      {5, "About and tests", ""},
      {7, "Appendix", ""},
  };
  QString html = "<html><head><meta charset=\"utf-8\"><title>Test</title></head><body>";
  for (const auto& topic : topics) {
    html += QString("<h1><a name=\"context-%1\"></a>%2</h1>").arg(topic.context).arg(topic.title);
    html += topic.links;
    for (int i = 0; i < 40; ++i) html += QString("<p>Line %1 of %2.</p>").arg(i).arg(topic.title);
  }
  return (html + "</body></html>").toUtf8();
}

QWidget* Window() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "HelpWindow") return widget;
  }
  return nullptr;
}

QTextBrowser* Browser() {
  QWidget* window = Window();
  return window == nullptr ? nullptr : window->findChild<QTextBrowser*>("HelpText");
}

QToolButton* Button(const char* name) { return Window()->findChild<QToolButton*>(name); }

// The block at the top of the help text as the user sees it.
QTextBlock TopBlock() { return Browser()->cursorForPosition(QPoint(20, 2)).block(); }
QString TopLine() { return TopBlock().text(); }

// Clicks the link with this text where it shows on the screen.
void ClickLink(const QString& text) {
  QTextBrowser* browser = Browser();
  QTextCursor cursor = browser->document()->find(text);
  ASSERT_FALSE(cursor.isNull()) << text.toStdString();
  cursor.setPosition(cursor.selectionStart() + 1);
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
}

class HelpViewerTest : public ::testing::Test {
 protected:
  // The viewer looks in the user's shared data folder first: make that a
  // temporary one (on Windows, Qt's test folder, emptied).
  void SetUp() override {
#ifdef _WIN32
    QStandardPaths::setTestModeEnabled(true);
    home_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(QDir(home_ + "/zelora").removeRecursively());
#else
    ASSERT_TRUE(temporary_.isValid());
    home_ = temporary_.path();
    saved_data_home_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home_.toUtf8());
#endif
    ASSERT_TRUE(QDir(home_).mkpath("zelora"));
  }
  void TearDown() override {
#ifdef _WIN32
    QDir(home_ + "/zelora").removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
#else
    if (saved_data_home_.isNull()) {
      qunsetenv("XDG_DATA_HOME");
    } else {
      qputenv("XDG_DATA_HOME", saved_data_home_);
    }
#endif
  }

  QString PathOf(const QString& name) const { return home_ + "/zelora/" + name; }

  void Write(const QString& name, const QByteArray& text) {
    QFile file(PathOf(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(text), text.size());
  }

  QTemporaryDir temporary_;
  QString home_;
  QByteArray saved_data_home_;
};

TEST_F(HelpViewerTest, EachContextOpensItsTopicAndOthersTheContents) {
  Write("TEST.HLP", TestHelp());
  HelpViewer viewer;
  const struct {
    int context;
    const char* top;
  } cases[] = {
      {3, "Font settings"},   {1, "Printer settings"}, {2, "Paper settings"},
      {5, "About and tests"}, {4, "Quality settings"}, {7, "Appendix"},
      {0, "Test contents"},   {6, "Test contents"},    {99, "Test contents"},
      {-1, "Test contents"},  {2, "Paper settings"},
  };
  for (const auto& c : cases) {
    viewer.ShowContext("TEST.HLP", c.context);
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(TopLine(), c.top) << "context " << c.context;
  }
}

// The help of the face's language, wherever it is, before the one beside it;
// a language that is no plain tag is not used as a folder.
TEST_F(HelpViewerTest, TheFacesLanguageHasItsOwnHelp) {
  Write("TEST.HLP", TestHelp());
  Write("VERAR.HLP", TestHelp());
  ASSERT_TRUE(QDir(home_).mkpath("zelora/ru"));
  ASSERT_TRUE(QDir(home_).mkpath("zelora/de/ru"));
  Write("ru/TEST.HLP", QByteArray(TestHelp()).replace("Test contents", "Содержание теста"));
  Write("de/ru/TEST.HLP", QByteArray(TestHelp()).replace("Test contents", "Falsch"));
  const struct {
    const char* language;
    const char* file;
    const char* top;
  } cases[] = {
      {"ru", "TEST.HLP", "Содержание теста"},
      {"en", "TEST.HLP", "Test contents"},
      {"de", "TEST.HLP", "Test contents"},
      {"de/ru", "TEST.HLP", "Test contents"},
      {"..", "TEST.HLP", "Test contents"},
      // The Russian help of the build tree beats the English one of the
      // user's data folder.
      {"ru", "VERAR.HLP", "Содержание"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    HelpViewer viewer(QString::fromUtf8(c.language));
    viewer.ShowContext(c.file, 0);
    EXPECT_EQ(TopLine(), QString::fromUtf8(c.top));
  }
}

TEST_F(HelpViewerTest, LinksAndTheBrowsersHistoryNavigate) {
  Write("TEST.HLP", TestHelp());
  HelpViewer viewer;
  viewer.ShowContext("TEST.HLP", 0);
  QToolButton* back = Button("HelpBack");
  QToolButton* forward = Button("HelpForward");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(forward, nullptr);

  ClickLink("To font");
  EXPECT_EQ(TopLine(), "Font settings");
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Test contents");
  ClickLink("To printer");
  ClickLink("To paper");
  EXPECT_EQ(TopLine(), "Paper settings");

  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Printer settings");
  EXPECT_TRUE(forward->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Test contents");
  QTest::mouseClick(forward, Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Printer settings");

  // Help asked for another page goes onto the same history.
  viewer.ShowContext("TEST.HLP", 4);
  EXPECT_EQ(TopLine(), "Quality settings");
  EXPECT_FALSE(forward->isEnabled());
  QTest::mouseClick(Button("HelpContents"), Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Test contents");
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(TopLine(), "Quality settings");
}

TEST_F(HelpViewerTest, UnusableFilesAreReportedInTheViewer) {
  Write("TEST.HLP", TestHelp());
  Write("OLD.HLP", "#topic 0 Contents\nText in an older format.\n");
  Write("NOCONTENTS.HLP", "<html><body><h1><a name=\"context-1\"></a>Printer</h1></body></html>");
#ifdef _WIN32
  // No file there that opens but cannot be read, nor permissions that bind.
  const bool unreadable_link = false;
  const bool permissions_bind = false;
#else
  const bool unreadable_link = true;
  ASSERT_TRUE(QFile::link("/proc/self/mem", PathOf("BROKEN.HLP")));  // opens, cannot be read
  Write("LOCKED.HLP", TestHelp());
  QFile locked(PathOf("LOCKED.HLP"));
  ASSERT_TRUE(locked.setPermissions(QFileDevice::Permissions()));
  // Binds only users without the right to override permissions.
  const bool permissions_bind = !locked.open(QIODevice::ReadOnly);
#endif

  struct Case {
    std::string name;
    QString message;
  };
  std::vector<Case> cases = {
      {"ABSENT.HLP", "Help file ABSENT.HLP was not found."},
      {"OLD.HLP", "Help file " + PathOf("OLD.HLP") + " is damaged: it has no contents topic."},
      {"NOCONTENTS.HLP", "Help file " + PathOf("NOCONTENTS.HLP") + " is damaged"},
      {"../zelora/TEST.HLP", "was refused"},
      {PathOf("TEST.HLP").toStdString(), "was refused"},
      {"zelora\\TEST.HLP", "was refused"},
      {"..", "was refused"},
      {"", "was refused"},
      {std::string("TEST.HLP\0x", 10), "was refused"},
  };
  if (unreadable_link) {
    cases.push_back({"BROKEN.HLP", "Help file " + PathOf("BROKEN.HLP") + " is damaged"});
  }
  if (permissions_bind) {
    cases.push_back({"LOCKED.HLP", "Help file " + PathOf("LOCKED.HLP") + " could not be read: "});
  }

  HelpViewer viewer;
  for (const Case& c : cases) {
    // A good file first, so that each report replaces a topic.
    viewer.ShowContext("TEST.HLP", 3);
    ASSERT_EQ(TopLine(), "Font settings");
    viewer.ShowContext(c.name, 3);
    const QString text = Browser()->toPlainText();
    EXPECT_TRUE(text.contains(c.message)) << c.name << ": " << text.toStdString();
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_FALSE(Button("HelpBack")->isEnabled()) << c.name;
    EXPECT_FALSE(Button("HelpContents")->isEnabled()) << c.name;
  }
  // The missing file's report names the folder it was expected in.
  viewer.ShowContext("ABSENT.HLP", 1);
  EXPECT_TRUE(Browser()->toPlainText().contains(QDir::cleanPath(home_) + "/zelora"))
      << Browser()->toPlainText().toStdString();
  viewer.ShowContext("TEST.HLP", 5);
  EXPECT_EQ(TopLine(), "About and tests");
}

TEST_F(HelpViewerTest, QuitDestroysTheWindowAndTheNextRequestMakesANewOne) {
  Write("TEST.HLP", TestHelp());
  auto viewer = std::make_unique<HelpViewer>();
  viewer->Quit();  // nothing shown yet: nothing to do
  viewer->ShowContext("TEST.HLP", 1);
  QPointer<QWidget> window = Window();
  ASSERT_FALSE(window.isNull());
  // Closed by the user, the same window comes back.
  window->close();
  viewer->ShowContext("TEST.HLP", 2);
  EXPECT_EQ(Window(), window.data());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(TopLine(), "Paper settings");

  viewer->Quit();
  EXPECT_TRUE(window.isNull());
  viewer->ShowContext("TEST.HLP", 4);
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(TopLine(), "Quality settings");

  // Destroying the viewer at program end takes the window with it.
  window = Window();
  viewer.reset();
  EXPECT_TRUE(window.isNull());
}

TEST_F(HelpViewerTest, OpenHelpDoesNotKeepTheProgramRunning) {
  Write("TEST.HLP", TestHelp());
  HelpViewer viewer;
  viewer.ShowContext("TEST.HLP", 1);
  QWidget main_window;
  main_window.show();
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  // Closing the main window must end the event loop although help is open;
  // the second timer only keeps a failing test from hanging.
  QTimer::singleShot(0, &main_window, &QWidget::close);
  QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);
}

// The help file that ships with the program, found where the program finds
// it: a topic for each page that explains the page's controls.
TEST(HelpViewerRealFile, EachPageTopicExplainsItsControls) {
  const struct {
    int context;
    const char* title;
    std::vector<const char*> words;
  } pages[] = {
      {1, "Printer page", {"Timeout (Тайм-аут)", "Power Save", "Jam Recovery", "10 to 300"}},
      {2,
       "Page page",
       {"Paper Size", "Others(mm)", "Width", "Height", "Lines Per Page", "Copies", "Portrait",
        "Landscape"}},
      {3, "Font page", {"Typeface", "Symbol Set", "Pitch", "Point Size"}},
      {4, "Quality page", {"Density", "Econo Mode"}},
      {5,
       "About/Test page",
       {"Configuration Sheet", "Demonstration Page", "k4xdemo.prn", "30 seconds"}},
      {10,
       "The buttons",
       {"Send (Отправить)", "Default (По умолчанию)", "Reset (Сброс)", "Formfeed (Подача страницы)",
        "Help (Справка)", "Exit (Выход)"}},
      {12, "Where Zelora keeps", {"/var/lib/zelora/HKEY_LOCAL_MACHINE.reg", "/dev/lp0", "LPT1"}},
  };
  HelpViewer viewer;
  for (const auto& page : pages) {
    viewer.ShowContext("VERAR.HLP", page.context);
    ASSERT_NE(Browser(), nullptr);
    QTextBlock block = Browser()->document()->begin();
    const QString anchor = QString("context-%1").arg(page.context);
    while (block.isValid() &&
           !block.begin().fragment().charFormat().anchorNames().contains(anchor)) {
      block = block.next();
    }
    ASSERT_TRUE(block.isValid()) << anchor.toStdString();
    EXPECT_TRUE(block.text().startsWith(page.title)) << block.text().toStdString();
    // The last topic ends the file, so it cannot be scrolled to the top.
    if (page.context <= 5) {
      EXPECT_EQ(TopBlock(), block) << page.context;
    }
    // The topic's text: from its heading down to the next topic's heading.
    QString text;
    do {
      text += block.text() + "\n";
      block = block.next();
    } while (block.isValid() && block.blockFormat().headingLevel() != 1);
    for (const char* words : page.words) {
      EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << page.context << ": " << words;
    }
  }
}

}  // namespace
}  // namespace zelora
