// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <string>
#include <utility>

#include "help_engine.h"

namespace zelora {

class HelpWindow;

// The help engine of this program. The help file is HTML: each topic begins
// at the anchor "context-<n>", and "context-0", the top of the file, is the
// contents. The viewer finds the file among the program's data folders and
// shows it in a help window of its own (object name "HelpWindow"), a
// QTextBrowser with Back, Forward and Contents. A help file that cannot be
// used is reported in that window, never in a blocking box.
class HelpViewer : public HelpEngine {
 public:
  // language: the face's; its help (<language>/<help_file> in the data
  // folders) is preferred to the one beside it. Without one, only the one
  // beside it is shown.
  explicit HelpViewer(QString language = {}) : language_(std::move(language)) {}
  ~HelpViewer() override;
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Shows the topic `context`, or the contents when the file has no such
  // topic; creates the window on first use and brings it to the front.
  // help_file is a bare file name, looked up in this order: the
  // application's data folders, then "zelora/<help_file>" in the shared data
  // folders (XDG_DATA_DIRS); first as "<language>/<help_file>" in all of them,
  // then as it is. The build tree is none of them: a build run from where it
  // is finds its help only with <build>/resources/share in XDG_DATA_DIRS, as
  // ./run and the tests set it.
  void ShowContext(const std::string& help_file, int context) override;
  // Closes and destroys the window.
  void Quit() override;

 private:
  QString language_;
  QPointer<HelpWindow> window_;
};

}  // namespace zelora
