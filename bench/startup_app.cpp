// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up probe: a small library the start-up benchmark preloads
// (LD_PRELOAD) into the program as users run it and into the bare window
// alike, so that neither carries code of the benchmark's own. It stamps the
// end of dynamic loading, the application object, the first show of a window
// and its first paint, then ends the program.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "first_paint.h"

namespace {

using zelora::bench::Report;
using zelora::bench::Stamp;

long long PeakResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line; !(line = status.readLine()).isEmpty();) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLongLong();
  }
  return -1;
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Paint) return false;
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow()) return false;
    if (type == QEvent::Show) {
      if (!shown_) Stamp("shown");
      shown_ = true;
    } else if (!painted_) {
      painted_ = true;
      // The paint event comes before the flush to the screen; the flush ends
      // this round of the event loop.
      QTimer::singleShot(0, [widget] {
        Stamp("painted");
        Report("width", widget->width());
        Report("height", widget->height());
        Report("hwm_kb", PeakResidentKb());
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool shown_ = false;
  bool painted_ = false;
};

void InstallProbe() {
  Stamp("application");
  QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

// Runs at the end of the application object's construction.
Q_COREAPP_STARTUP_FUNCTION(InstallProbe)

// Runs once every library is loaded and relocated, before the program's main.
[[gnu::constructor]] void Loaded() { Stamp("loaded"); }

}  // namespace
