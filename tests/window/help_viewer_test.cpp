// The help viewer: finding the help file, showing topics by context number,
// navigation, and reporting a help file it cannot use inside its own window.

#include "help_viewer.h"

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>

#include "data_dirs.h"

namespace zelora {
namespace {

constexpr char kSmallHelp[] =
    "; A help file for the tests\n"
    "#topic 0 Test Contents\n"
    "Pick a topic.\n"
    "#see 1 Printer settings\n"
    "#see 3 Font settings\n"
    "\n"
    "#topic 1 Printer settings\n"
    "#heading Timeout\n"
    "How long the printer\n"
    "waits for data.\n"
    "- OFF: never.\n"
    "- 10 Min: after ten\n"
    "  minutes.\n"
    "#see 2 Paper settings\n"
    "#topic 2 Paper settings\n"
    "Paper text.\n"
    "#topic 3 Font settings\n"
    "Font text.\n"
    "#topic 4 Quality settings\n"
    "Quality text.\n"
    "#topic 5 About and tests\n"
    "About text.\n";

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  void Write(const QString& name, const QByteArray& text) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(text), text.size());
  }

  // A viewer that looks in the temporary folder first.
  std::unique_ptr<HelpViewer> Viewer() { return std::make_unique<HelpViewer>(dir_.path()); }

  static QTextBrowser* Browser(HelpWindow* window) {
    return window->findChild<QTextBrowser*>("HelpText");
  }

  // The href of the first link whose text is `text` in the page shown, or "".
  static QString LinkHref(HelpWindow* window, const QString& text) {
    QTextDocument* doc = Browser(window)->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isAnchor() && fragment.text() == text) {
          return fragment.charFormat().anchorHref();
        }
      }
    }
    return {};
  }

  // Follows a link the way a click on it does.
  static void Follow(HelpWindow* window, const QString& text) {
    QString href = LinkHref(window, text);
    ASSERT_FALSE(href.isEmpty()) << "no link " << text.toStdString();
    emit Browser(window)->anchorClicked(QUrl(href));
  }

  QTemporaryDir dir_;
};

TEST_F(HelpViewerTest, EachPageContextOpensItsTopic) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  const struct {
    int context;
    const char* title;
    const char* text;
  } cases[] = {
      {1, "Printer settings", "How long the printer waits for data."},
      {2, "Paper settings", "Paper text."},
      {3, "Font settings", "Font text."},
      {4, "Quality settings", "Quality text."},
      {5, "About and tests", "About text."},
  };
  for (const auto& c : cases) {
    viewer->ShowContext("TEST.HLP", c.context);
    HelpWindow* window = viewer->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->CurrentContext(), c.context);
    EXPECT_EQ(window->windowTitle(), QString("Zelora Help \u2014 ") + c.title);
    EXPECT_TRUE(window->Text().startsWith(c.title)) << window->Text().toStdString();
    EXPECT_TRUE(window->Text().contains(c.text)) << c.context;
    EXPECT_TRUE(window->isVisible());
  }
  HelpWindow* window = viewer->Window();
  EXPECT_EQ(window->TopicTitles(),
            QStringList({"Test Contents", "Printer settings", "Paper settings", "Font settings",
                         "Quality settings", "About and tests"}));
  EXPECT_EQ(window->findChild<QListWidget*>("HelpTopics")->currentRow(), 5);

  // Items are real list entries, their continuation lines joined.
  viewer->ShowContext("TEST.HLP", 1);
  QStringList items;
  for (QTextBlock b = Browser(window)->document()->begin(); b.isValid(); b = b.next()) {
    if (b.textList() != nullptr) items << b.text();
  }
  EXPECT_EQ(items, QStringList({"OFF: never.", "10 Min: after ten minutes."}));
}

TEST_F(HelpViewerTest, ContextZeroAndUnknownNumbersOpenTheContents) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  for (int context : {0, 6, 99, -1}) {
    viewer->ShowContext("TEST.HLP", context);
    EXPECT_EQ(viewer->Window()->CurrentContext(), 0) << context;
    EXPECT_EQ(viewer->Window()->windowTitle(), "Zelora Help \u2014 Test Contents") << context;
  }
  // Without a topic 0 the first topic of the file stands in for the contents.
  Write("NOINDEX.HLP", "#topic 7 First\nOne.\n#topic 8 Second\nTwo.\n");
  viewer->ShowContext("NOINDEX.HLP", 3);
  EXPECT_EQ(viewer->Window()->CurrentContext(), 7);
}

TEST_F(HelpViewerTest, LinksTopicListAndHistoryNavigate) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  viewer->ShowContext("TEST.HLP", 0);
  HelpWindow* window = viewer->Window();
  auto* back = window->findChild<QToolButton*>("HelpBack");
  auto* forward = window->findChild<QToolButton*>("HelpForward");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(forward, nullptr);
  EXPECT_FALSE(back->isEnabled());

  EXPECT_EQ(LinkHref(window, "Font settings"), "topic:3");
  Follow(window, "Printer settings");
  EXPECT_EQ(window->CurrentContext(), 1);
  Follow(window, "Paper settings");
  EXPECT_EQ(window->CurrentContext(), 2);
  EXPECT_TRUE(back->isEnabled());

  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(window->CurrentContext(), 1);
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(window->CurrentContext(), 0);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(forward->isEnabled());
  QTest::mouseClick(forward, Qt::LeftButton);
  EXPECT_EQ(window->CurrentContext(), 1);

  // Foreign or broken links lead nowhere.
  for (const char* href : {"https://example.org/", "topic:x", "file:///etc/passwd"}) {
    emit Browser(window)->anchorClicked(QUrl(href));
    EXPECT_EQ(window->CurrentContext(), 1) << href;
  }

  // A click in the topic list opens that topic.
  auto* list = window->findChild<QListWidget*>("HelpTopics");
  QListWidgetItem* item = list->item(2);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  EXPECT_EQ(window->CurrentContext(), 2);
  EXPECT_EQ(list->currentRow(), 2);
}

TEST_F(HelpViewerTest, MissingFileIsReportedInTheViewer) {
  auto viewer = Viewer();
  viewer->ShowContext("ABSENT.HLP", 1);
  HelpWindow* window = viewer->Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->Text().contains("Help file ABSENT.HLP was not found."))
      << window->Text().toStdString();
  EXPECT_TRUE(window->Text().contains(QDir::cleanPath(dir_.path())));
  EXPECT_EQ(window->windowTitle(), "Zelora Help");
  EXPECT_EQ(window->CurrentContext(), -1);
  EXPECT_TRUE(window->TopicTitles().isEmpty());

  // Once the file is there the same window shows it.
  Write("ABSENT.HLP", kSmallHelp);
  viewer->ShowContext("ABSENT.HLP", 1);
  EXPECT_EQ(viewer->Window(), window);
  EXPECT_EQ(window->CurrentContext(), 1);
  EXPECT_FALSE(window->CanGoBack());
}

TEST_F(HelpViewerTest, DamagedOrEmptyFileIsReportedWithItsReason) {
  Write("BAD.HLP", "#topic 0 Contents\nText.\n#see 9 Nowhere\n");
  Write("EMPTY.HLP", "; nothing but a comment\n");
  auto viewer = Viewer();
  viewer->ShowContext("BAD.HLP", 0);
  EXPECT_TRUE(viewer->Window()->Text().contains("is damaged: line 3: link to topic 9"))
      << viewer->Window()->Text().toStdString();
  EXPECT_EQ(viewer->Window()->CurrentContext(), -1);
  viewer->ShowContext("EMPTY.HLP", 0);
  EXPECT_TRUE(viewer->Window()->Text().contains("holds no topics"))
      << viewer->Window()->Text().toStdString();
}

TEST_F(HelpViewerTest, UnreadableFileIsReported) {
  // A file without read permission, and one that opens but fails to read: the
  // process's own memory file gives an I/O error at offset 0. The first binds
  // only users without the right to override permissions.
  Write("LOCKED.HLP", kSmallHelp);
  QFile locked(dir_.filePath("LOCKED.HLP"));
  ASSERT_TRUE(locked.setPermissions(QFileDevice::Permissions()));
  const bool permissions_bind = !locked.open(QIODevice::ReadOnly);
  ASSERT_TRUE(QFile::link("/proc/self/mem", dir_.filePath("BROKEN.HLP")));

  auto viewer = Viewer();
  for (const char* name : {"LOCKED.HLP", "BROKEN.HLP"}) {
    if (!permissions_bind && std::string(name) == "LOCKED.HLP") continue;
    viewer->ShowContext(name, 1);
    const QString text = viewer->Window()->Text();
    EXPECT_TRUE(text.contains(
        QString("Help file %1 could not be read: ").arg(QDir(dir_.path()).filePath(name))))
        << text.toStdString();
    EXPECT_EQ(viewer->Window()->CurrentContext(), -1) << name;
  }
}

TEST_F(HelpViewerTest, OneWindowIsReusedAndFileIsReadAfresh) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  EXPECT_EQ(viewer->Window(), nullptr);
  viewer->ShowContext("TEST.HLP", 1);
  QPointer<HelpWindow> first = viewer->Window();
  viewer->ShowContext("TEST.HLP", 3);
  EXPECT_EQ(viewer->Window(), first.data());
  EXPECT_EQ(first->CurrentContext(), 3);
  EXPECT_TRUE(first->CanGoBack());  // Back leads to the page asked for before

  // Closed by the user, it comes back on the next request.
  first->close();
  EXPECT_FALSE(first->isVisible());
  Write("TEST.HLP", "#topic 0 Renamed contents\nNew.\n");
  viewer->ShowContext("TEST.HLP", 2);
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(viewer->Window(), first.data());
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), "Zelora Help \u2014 Renamed contents");

  // Minimised, it is restored.
  first->showMinimized();
  viewer->ShowContext("TEST.HLP", 0);
  EXPECT_FALSE(first->isMinimized());
}

TEST_F(HelpViewerTest, QuitClosesAndDestroysTheWindow) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  viewer->Quit();  // nothing shown yet: nothing to do
  viewer->ShowContext("TEST.HLP", 1);
  QPointer<HelpWindow> window = viewer->Window();
  ASSERT_FALSE(window.isNull());
  viewer->Quit();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(viewer->Window(), nullptr);
  viewer->Quit();

  // Help asked for again after Quit gets a new window.
  viewer->ShowContext("TEST.HLP", 2);
  ASSERT_NE(viewer->Window(), nullptr);
  EXPECT_EQ(viewer->Window()->CurrentContext(), 2);

  // Destroying the viewer at program end takes the window with it.
  window = viewer->Window();
  viewer.reset();
  EXPECT_TRUE(window.isNull());
}

TEST_F(HelpViewerTest, OpenHelpDoesNotKeepTheProgramRunning) {
  Write("TEST.HLP", kSmallHelp);
  auto viewer = Viewer();
  viewer->ShowContext("TEST.HLP", 1);
  QWidget main_window;
  main_window.show();
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  // Closing the main window must end the event loop although help is open;
  // the second timer only keeps a failing test from hanging.
  QTimer::singleShot(0, &main_window, &QWidget::close);
  QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);
  // The end of the program closes the help window too.
  ASSERT_NE(viewer->Window(), nullptr);
  EXPECT_FALSE(viewer->Window()->isVisible());
}

TEST_F(HelpViewerTest, NamesWithAFolderPartAreRefused) {
  // A file of that name exists below and beside the first folder; none is opened.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
  Write("sub/VERAR.HLP", kSmallHelp);
  Write("VERAR.HLP", kSmallHelp);
  auto viewer = Viewer();
  const std::string sub = dir_.filePath("sub/VERAR.HLP").toStdString();
  for (const std::string& name :
       {std::string("sub/VERAR.HLP"), std::string("../VERAR.HLP"), sub,
        std::string("sub\\VERAR.HLP"), std::string(".."), std::string("..VERAR.HLP"), std::string(),
        std::string("VERAR.HLP\0x", 11)}) {
    EXPECT_FALSE(HelpViewer::IsBareFileName(name)) << name;
    viewer->ShowContext(name, 1);
    EXPECT_TRUE(viewer->Window()->Text().contains("was refused")) << name;
    EXPECT_EQ(viewer->Window()->CurrentContext(), -1) << name;
  }
  EXPECT_TRUE(HelpViewer::IsBareFileName("VERAR.HLP"));
  EXPECT_TRUE(HelpViewer::IsBareFileName("help.file.hlp"));
}

TEST_F(HelpViewerTest, SearchesTheGivenFolderFirstThenTheProgramData) {
  EXPECT_EQ(HelpViewer::SearchFolders(dir_.path()),
            QStringList(
                {QDir::cleanPath(dir_.path()),
                 QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/zelora"),
                 QDir::cleanPath(data_dirs::kBuildTree), QDir::cleanPath(data_dirs::kInstalled)}));

  // A help file in the given folder is taken before the program's own.
  Write("VERAR.HLP", "#topic 0 Test copy\nText.\n");
  auto viewer = Viewer();
  viewer->ShowContext("VERAR.HLP", 0);
  EXPECT_EQ(viewer->Window()->windowTitle(), "Zelora Help \u2014 Test copy");
}

// The help file that ships with the program, found where the program finds it.
TEST(HelpViewerRealFile, HasAPageTopicForEachContext) {
  HelpViewer viewer;
  const struct {
    int context;
    const char* title;
    const char* words;
  } pages[] = {
      {1, "Printer page", "Timeout"},          {2, "Page page", "Lines Per Page"},
      {3, "Font page", "Symbol Set"},          {4, "Quality page", "Econo Mode"},
      {5, "About/Test page", "Configuration"},
  };
  for (const auto& page : pages) {
    viewer.ShowContext("VERAR.HLP", page.context);
    HelpWindow* window = viewer.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->CurrentContext(), page.context) << window->Text().toStdString();
    EXPECT_EQ(window->windowTitle(), QString("Zelora Help \u2014 ") + page.title);
    EXPECT_TRUE(window->Text().contains(page.words)) << page.context;
    EXPECT_TRUE(window->TopicTitles().contains(page.title));
  }
  viewer.ShowContext("VERAR.HLP", 0);
  EXPECT_EQ(viewer.Window()->CurrentContext(), 0);
  EXPECT_GE(viewer.Window()->TopicTitles().size(), 6);
}

}  // namespace
}  // namespace zelora
