#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "help_document.h"
#include "help_engine.h"

class QListWidget;
class QTextBrowser;
class QToolButton;

namespace zelora {

// The help window: the list of topics beside the text of one topic, with
// Back, Forward and Contents buttons. It shows either a help document or a
// message saying why the help file could not be used.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Takes over doc and opens the topic `context`; the contents topic when the
  // document has no such topic.
  void ShowDocument(help::Document doc, int context);
  // Shows message (plain text, one paragraph per line) instead of a document.
  void ShowProblem(const QString& message);

  // Opens a topic of the document shown, remembering the one before for Back.
  void OpenTopic(int context);
  void Back();
  void Forward();

  // What the window shows: the topic's context number (-1 for a message),
  // the plain text of the page and the titles in the topic list.
  int CurrentContext() const { return current_; }
  QString Text() const;
  QStringList TopicTitles() const;
  bool CanGoBack() const { return !back_.empty(); }
  bool CanGoForward() const { return !forward_.empty(); }

 private:
  // The topic with this context number, else the contents (context 0), else
  // the first topic.
  const help::Topic* TopicOrContents(int context) const;
  void Travel(std::vector<int>& from, std::vector<int>& to);
  void Display(const help::Topic& topic);
  void UpdateButtons();

  help::Document doc_;
  int current_ = -1;
  std::vector<int> back_;
  std::vector<int> forward_;

  QListWidget* topics_;
  QTextBrowser* browser_;
  QToolButton* back_button_;
  QToolButton* forward_button_;
  QToolButton* contents_button_;
};

// The help engine of this program: finds a help file among the program's data
// folders and shows its topics in a HelpWindow of its own. A help file that
// cannot be used is reported in that window, never in a blocking box.
class HelpViewer : public HelpEngine {
 public:
  // first_folder, when given, is searched before the program's data folders.
  explicit HelpViewer(QString first_folder = {});
  ~HelpViewer() override;
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Reads the help file afresh and shows the topic, creating the window on
  // first use and bringing it to the front afterwards.
  void ShowContext(const std::string& help_file, int context) override;
  // Closes and destroys the window.
  void Quit() override;

  // The window, or nullptr before the first ShowContext and after Quit.
  HelpWindow* Window() const { return window_.data(); }

  // The folders searched, in order: first_folder, the data folder beside the
  // program (<program dir>/../share/zelora), the build tree's data folder and
  // the installed data folder; empty and repeated entries left out.
  static QStringList SearchFolders(const QString& first_folder);

  // True for a plain file name: no folder part, no "..", nothing empty.
  static bool IsBareFileName(const std::string& name);

 private:
  HelpWindow& EnsureWindow();

  QString first_folder_;
  QPointer<HelpWindow> window_;
};

}  // namespace zelora
