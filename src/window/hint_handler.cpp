// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hint_handler.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QVariant>
#include <QWidget>

#include "status_bar.h"

namespace zelora {

HintHandler::HintHandler(StatusBar& status_bar, int panel, QObject* parent)
    : QObject(parent), status_bar_(status_bar), panel_(panel) {
  // A zero-interval timer fires once the events queued so far are handled.
  idle_.setSingleShot(true);
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, &HintHandler::Update);
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &HintHandler::Update);
  }
  qApp->installEventFilter(this);
}

HintHandler::~HintHandler() { qApp->removeEventFilter(this); }

QString HintHandler::HintOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QString hint = w->property("hint").toString();
    if (hint.isEmpty()) continue;
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
  }
  return {};
}

void HintHandler::Update() {
  const QString hint = HintOf(QApplication::widgetAt(QCursor::pos()));
  if (hint == shown_) return;
  shown_ = hint;
  status_bar_.SetPanelText(panel_, hint);
}

bool HintHandler::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
      if (!idle_.isActive()) idle_.start();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zelora
