// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace zelora {

class StatusBar;

// Shows the hint of the control under the mouse pointer in one panel of a
// status bar: the hint (dynamic property "hint") of that control or, when it
// has none, of its nearest enclosing control that has one; of a hint holding
// a "|", the part after it. No hint empties the panel. Disabled controls
// count as well, although the toolkit sends them no mouse events: the control
// is looked up by the pointer's position whenever the application goes idle
// and after every mouse move, enter or leave anywhere in it.
class HintHandler : public QObject {
  Q_OBJECT
 public:
  HintHandler(StatusBar& status_bar, int panel, QObject* parent = nullptr);
  ~HintHandler() override;

  // The hint that `widget` shows; empty for nullptr.
  static QString HintOf(const QWidget* widget);

  // Works out the hint at the pointer now and shows it if it changed.
  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  StatusBar& status_bar_;
  int panel_;
  QString shown_;
  QTimer idle_;
};

}  // namespace zelora
