// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start-up stamps for the start-up benchmark: each stage prints its name and
// the monotonic clock in nanoseconds; the first paint of a top-level window
// prints "painted" once that paint has finished, and ends the program.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace zelora::bench {

inline void Stamp(const char* stage) {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("%s %lld\n", stage, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint) {
      auto* widget = qobject_cast<QWidget*>(object);
      if (widget != nullptr && widget->isWindow()) {
        seen_ = true;
        // After the whole window's paint has been flushed.
        QTimer::singleShot(0, [] {
          Stamp("painted");
          std::_Exit(0);
        });
      }
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace zelora::bench
