// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_viewer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace zelora {

namespace {

// The help window's own texts are English; other languages translate them
// in this context (resources/translations/program_<language>.ts).
constexpr char kContext[] = "HelpWindow";
constexpr char kTitle[] = "Zelora Help";

QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

QString TopicAnchor(int context) { return QString("context-%1").arg(context); }

bool HasAnchor(const QTextDocument& doc, const QString& name) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorNames().contains(name)) return true;
    }
  }
  return false;
}

// Only a plain file name may be handed in: it is looked up inside the data
// folders and must not lead out of them.
bool IsBareFileName(const QString& name) {
  return !name.isEmpty() && QFileInfo(name).fileName() == name && !name.contains('\\') &&
         !name.contains(QChar(0)) && name != "." && name != "..";
}

// The data folders, in the order FindHelpFile() tries them; for messages.
QStringList DataFolders() {
  QStringList folders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
  for (const QString& folder :
       QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    folders << folder + "/zelora";
  }
  folders.removeDuplicates();
  return folders;
}

// A language tag such as "ru" or "pt_BR": safe as a folder name.
bool IsLanguageTag(const QString& language) {
  static const QRegularExpression tag(QStringLiteral("^[A-Za-z]{2,3}([_-][A-Za-z0-9]+)*$"));
  return tag.match(language).hasMatch();
}

// The path of the help file, or "" when no data folder holds it.
QString FindFile(const QString& name) {
  QString path = QStandardPaths::locate(QStandardPaths::AppDataLocation, name);
  if (path.isEmpty()) {
    path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "zelora/" + name);
  }
  return path;
}

// The help in the face's language wherever it is, else the one beside it.
QString FindHelpFile(const QString& name, const QString& language) {
  if (IsLanguageTag(language)) {
    const QString path = FindFile(language + '/' + name);
    if (!path.isEmpty()) return path;
  }
  return FindFile(name);
}

}  // namespace

// The help window: Back, Forward and Contents above the browser, which keeps
// the history itself.
class HelpWindow : public QWidget {
 public:
  HelpWindow() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser) {
    setObjectName("HelpWindow");
    setWindowTitle(Tr(kTitle));
    // The help window must not keep the program running once the main window
    // has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 520);

    browser_->setObjectName("HelpText");
    browser_->document()->setDocumentMargin(12);

    auto* back = Button("HelpBack", QStyle::SP_ArrowBack, "Back", QKeySequence::Back);
    auto* forward =
        Button("HelpForward", QStyle::SP_ArrowForward, "Forward", QKeySequence::Forward);
    contents_ = Button("HelpContents", QStyle::SP_DirHomeIcon, "Contents",
                       QKeySequence(Qt::ALT | Qt::Key_Home));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->setSpacing(2);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
  }

  // Opens the topic in the help file at `path`, loading the file unless it is
  // the one shown already.
  void ShowTopic(const QString& path, int context) {
    const QUrl file = QUrl::fromLocalFile(path);
    if (file != loaded_) {
      // QTextBrowser would only print a warning for a file it cannot read.
      QFile check(path);
      if (!check.open(QIODevice::ReadOnly)) {
        ShowProblem(Tr("Help file %1 could not be read: %2.").arg(path, check.errorString()));
        return;
      }
      browser_->setSource(file);
      if (!HasAnchor(*browser_->document(), TopicAnchor(0))) {
        ShowProblem(Tr("Help file %1 is damaged: it has no contents topic.").arg(path));
        return;
      }
      loaded_ = file;
    }
    QUrl topic = file;
    topic.setFragment(HasAnchor(*browser_->document(), TopicAnchor(context)) ? TopicAnchor(context)
                                                                             : TopicAnchor(0));
    browser_->setSource(topic);
    contents_->setEnabled(true);
  }

  // Shows message (plain text, one paragraph per line) instead of a topic.
  void ShowProblem(const QString& message) {
    loaded_.clear();
    QString html = "<h1>" + Tr(kTitle).toHtmlEscaped() + "</h1>";
    for (const QString& line : message.split('\n')) html += "<p>" + line.toHtmlEscaped() + "</p>";
    browser_->setHtml(html);
    browser_->clearHistory();
    contents_->setEnabled(false);
  }

 private:
  QToolButton* Button(const char* name, QStyle::StandardPixmap icon, const char* text,
                      const QKeySequence& key) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(style()->standardIcon(icon));
    button->setText(Tr(text));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(key);
    return button;
  }

  QTextBrowser* browser_;
  QToolButton* contents_ = nullptr;
  QUrl loaded_;  // the help file the browser holds; empty while it shows a problem
};

HelpViewer::~HelpViewer() {
  // Widgets may only be destroyed while the application object exists.
  if (QCoreApplication::instance() != nullptr) Quit();
}

void HelpViewer::ShowContext(const std::string& help_file, int context) {
  if (window_.isNull()) window_ = new HelpWindow;
  HelpWindow& window = *window_;
  // Shown first: the browser scrolls to a topic only once it is visible.
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();

  const QString name = QString::fromStdString(help_file);
  if (!IsBareFileName(name)) {
    window.ShowProblem(Tr("The help file name \"%1\" was refused: only a plain file name "
                          "is looked up in the program's data folders.")
                           .arg(name));
    return;
  }
  const QString path = FindHelpFile(name, language_);
  if (path.isEmpty()) {
    window.ShowProblem(
        Tr("Help file %1 was not found.\nLooked in: %2.").arg(name, DataFolders().join(", ")));
    return;
  }
  window.ShowTopic(path, context);
}

void HelpViewer::Quit() {
  if (window_.isNull()) return;
  window_->close();
  delete window_.data();
}

}  // namespace zelora
