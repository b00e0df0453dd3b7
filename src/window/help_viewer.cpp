#include "help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <string_view>
#include <utility>

#include "data_dirs.h"

namespace zelora {

namespace {

constexpr char kTitle[] = "Zelora Help";
constexpr char kTopicScheme[] = "topic";

QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

// Spacing and colours of the topic text; QTextBrowser knows a subset of CSS.
constexpr char kStyleSheet[] =
    "body { font-size: 10pt; }"
    "h2 { font-size: 15pt; font-weight: 600; margin-top: 2px; margin-bottom: 10px; }"
    "h3 { font-size: 11pt; font-weight: 600; margin-top: 14px; margin-bottom: 4px; }"
    "p { margin-top: 0px; margin-bottom: 8px; }"
    "ul { margin-top: 0px; margin-bottom: 8px; }"
    "li { margin-bottom: 3px; }"
    "p.link { margin-bottom: 3px; }"
    "a { text-decoration: none; }";

QString TopicHtml(const help::Topic& topic) {
  QString html = "<h2>" + Html(topic.title) + "</h2>";
  bool in_list = false;
  bool after_link = false;
  for (const help::Block& block : topic.blocks) {
    if (in_list && block.kind != help::BlockKind::Item) {
      html += "</ul>";
      in_list = false;
    }
    // A run of links reads as a list of its own; set it off from the text after it.
    const bool gap = after_link && block.kind != help::BlockKind::Link;
    after_link = block.kind == help::BlockKind::Link;
    switch (block.kind) {
      case help::BlockKind::Paragraph:
        html += (gap ? "<p style=\"margin-top: 12px;\">" : "<p>") + Html(block.text) + "</p>";
        break;
      case help::BlockKind::Heading:
        html += "<h3>" + Html(block.text) + "</h3>";
        break;
      case help::BlockKind::Item:
        if (!in_list) html += "<ul>";
        in_list = true;
        html += "<li>" + Html(block.text) + "</li>";
        break;
      case help::BlockKind::Link:
        html += QString("<p class=\"link\">&#8594;&nbsp;<a href=\"%1:%2\">%3</a></p>")
                    .arg(kTopicScheme)
                    .arg(block.target)
                    .arg(Html(block.text));
        break;
    }
  }
  if (in_list) html += "</ul>";
  return html;
}

// The context number of a link of ours ("topic:<n>"), or -1.
int LinkTarget(const QUrl& url) {
  if (url.scheme() != kTopicScheme) return -1;
  bool ok = false;
  int context = url.path().toInt(&ok);
  return ok && context >= 0 ? context : -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// HelpWindow

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      topics_(new QListWidget),
      browser_(new QTextBrowser),
      back_button_(new QToolButton),
      forward_button_(new QToolButton),
      contents_button_(new QToolButton) {
  setObjectName("HelpWindow");
  setWindowTitle(kTitle);
  // The help window must not keep the program running once the main window
  // has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(720, 520);

  auto set_up = [this](QToolButton* button, QStyle::StandardPixmap icon, const char* text,
                       QKeySequence key) {
    button->setIcon(style()->standardIcon(icon));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(key);
  };
  set_up(back_button_, QStyle::SP_ArrowBack, "Back", QKeySequence::Back);
  set_up(forward_button_, QStyle::SP_ArrowForward, "Forward", QKeySequence::Forward);
  set_up(contents_button_, QStyle::SP_DirHomeIcon, "Contents",
         QKeySequence(Qt::ALT | Qt::Key_Home));
  back_button_->setObjectName("HelpBack");
  forward_button_->setObjectName("HelpForward");
  contents_button_->setObjectName("HelpContents");
  connect(back_button_, &QToolButton::clicked, this, &HelpWindow::Back);
  connect(forward_button_, &QToolButton::clicked, this, &HelpWindow::Forward);
  connect(contents_button_, &QToolButton::clicked, this, [this] { OpenTopic(0); });

  topics_->setObjectName("HelpTopics");
  topics_->setSpacing(1);
  connect(topics_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    // Moving through the list with the keys opens each topic in turn.
    if (item == nullptr || !topics_->hasFocus()) return;
    OpenTopic(item->data(Qt::UserRole).toInt());
  });
  connect(topics_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenTopic(item->data(Qt::UserRole).toInt()); });

  browser_->setObjectName("HelpText");
  browser_->setOpenLinks(false);
  browser_->document()->setDefaultStyleSheet(kStyleSheet);
  browser_->document()->setDocumentMargin(12);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    int context = LinkTarget(url);
    if (context >= 0) OpenTopic(context);
  });

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(4, 2, 4, 2);
  buttons->setSpacing(2);
  buttons->addWidget(back_button_);
  buttons->addWidget(forward_button_);
  buttons->addWidget(contents_button_);
  buttons->addStretch();

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(topics_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 520});
  splitter->setChildrenCollapsible(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);

  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);

  UpdateButtons();
}

void HelpWindow::ShowDocument(help::Document doc, int context) {
  doc_ = std::move(doc);
  const QSignalBlocker quiet(topics_);
  topics_->clear();
  for (const help::Topic& topic : doc_.topics) {
    auto* item = new QListWidgetItem(QString::fromStdString(topic.title), topics_);
    item->setData(Qt::UserRole, topic.context);
  }
  // Back and Forward may still name topics of an earlier reading of the file;
  // TopicOrContents() copes with any that are gone.
  OpenTopic(context);
}

void HelpWindow::ShowProblem(const QString& message) {
  doc_ = {};
  topics_->clear();
  back_.clear();
  forward_.clear();
  current_ = -1;
  QString html = "<h2>" + QString(kTitle).toHtmlEscaped() + "</h2>";
  for (const QString& line : message.split('\n')) html += "<p>" + line.toHtmlEscaped() + "</p>";
  browser_->setHtml(html);
  setWindowTitle(kTitle);
  UpdateButtons();
}

const help::Topic* HelpWindow::TopicOrContents(int context) const {
  if (const help::Topic* topic = doc_.Find(context)) return topic;
  if (const help::Topic* contents = doc_.Find(0)) return contents;
  return doc_.topics.empty() ? nullptr : &doc_.topics.front();
}

void HelpWindow::OpenTopic(int context) {
  const help::Topic* topic = TopicOrContents(context);
  if (topic == nullptr) return;
  if (current_ >= 0 && current_ != topic->context) {
    back_.push_back(current_);
    forward_.clear();
  }
  Display(*topic);
}

void HelpWindow::Back() { Travel(back_, forward_); }

void HelpWindow::Forward() { Travel(forward_, back_); }

// Goes to the last topic of `from`, the one shown now going onto `to`.
void HelpWindow::Travel(std::vector<int>& from, std::vector<int>& to) {
  if (from.empty()) return;
  const help::Topic* topic = TopicOrContents(from.back());
  from.pop_back();
  if (topic == nullptr) return;
  to.push_back(current_);
  Display(*topic);
}

void HelpWindow::Display(const help::Topic& topic) {
  current_ = topic.context;
  browser_->setHtml(TopicHtml(topic));
  setWindowTitle(QString("%1 \u2014 %2").arg(kTitle, QString::fromStdString(topic.title)));
  const QSignalBlocker quiet(topics_);  // the list follows the text here, not the user
  for (int row = 0; row < topics_->count(); ++row) {
    if (topics_->item(row)->data(Qt::UserRole).toInt() == topic.context) {
      topics_->setCurrentRow(row);
      break;
    }
  }
  UpdateButtons();
}

void HelpWindow::UpdateButtons() {
  back_button_->setEnabled(!back_.empty());
  forward_button_->setEnabled(!forward_.empty());
  contents_button_->setEnabled(!doc_.topics.empty());
}

QString HelpWindow::Text() const { return browser_->toPlainText(); }

QStringList HelpWindow::TopicTitles() const {
  QStringList titles;
  for (int row = 0; row < topics_->count(); ++row) titles << topics_->item(row)->text();
  return titles;
}

// ---------------------------------------------------------------------------
// HelpViewer

HelpViewer::HelpViewer(QString first_folder) : first_folder_(std::move(first_folder)) {}

HelpViewer::~HelpViewer() {
  // Widgets may only be destroyed while the application object exists.
  if (QCoreApplication::instance() != nullptr) Quit();
}

QStringList HelpViewer::SearchFolders(const QString& first_folder) {
  QStringList candidates;
  candidates << first_folder;
  if (QCoreApplication::instance() != nullptr) {
    candidates << QCoreApplication::applicationDirPath() + "/../share/zelora";
  }
  candidates << QString::fromUtf8(data_dirs::kBuildTree)
             << QString::fromUtf8(data_dirs::kInstalled);
  QStringList folders;
  for (const QString& candidate : candidates) {
    if (candidate.isEmpty()) continue;
    QString folder = QDir::cleanPath(candidate);
    if (!folders.contains(folder)) folders << folder;
  }
  return folders;
}

bool HelpViewer::IsBareFileName(const std::string& name) {
  std::string_view view(name);
  return !view.empty() && view.find_first_of(std::string_view("/\\\0", 3)) == view.npos &&
         view.find("..") == view.npos;
}

HelpWindow& HelpViewer::EnsureWindow() {
  if (window_.isNull()) window_ = new HelpWindow;
  return *window_;
}

void HelpViewer::ShowContext(const std::string& help_file, int context) {
  HelpWindow& window = EnsureWindow();
  const QString name = QString::fromStdString(help_file);

  if (!IsBareFileName(help_file)) {
    window.ShowProblem(QString("The help file name \"%1\" was refused: only a plain file name "
                               "is looked up in the program's data folders.")
                           .arg(name));
  } else {
    const QStringList folders = SearchFolders(first_folder_);
    QString path;
    for (const QString& folder : folders) {
      QFileInfo info(QDir(folder).filePath(name));
      if (info.isFile()) {
        path = info.filePath();
        break;
      }
    }
    QFile file(path);
    if (path.isEmpty()) {
      window.ShowProblem(
          QString("Help file %1 was not found.\nLooked in: %2.").arg(name, folders.join(", ")));
    } else if (!file.open(QIODevice::ReadOnly)) {
      window.ShowProblem(
          QString("Help file %1 could not be read: %2.").arg(path, file.errorString()));
    } else {
      const QByteArray bytes = file.readAll();
      if (file.error() != QFileDevice::NoError) {
        window.ShowProblem(
            QString("Help file %1 could not be read: %2.").arg(path, file.errorString()));
      } else {
        try {
          help::Document doc = help::ParseHelp(std::string_view(bytes.constData(), bytes.size()));
          if (doc.topics.empty()) {
            window.ShowProblem(QString("Help file %1 holds no topics.").arg(path));
          } else {
            window.ShowDocument(std::move(doc), context);
          }
        } catch (const help::FormatError& error) {
          window.ShowProblem(
              QString("Help file %1 is damaged: %2.").arg(path, QString::fromUtf8(error.what())));
        }
      }
    }
  }

  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

void HelpViewer::Quit() {
  if (window_.isNull()) return;
  window_->close();
  delete window_.data();
}

}  // namespace zelora
