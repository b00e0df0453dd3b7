// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A bare window of the program's size, with the same platform and
// environment, for the start-up benchmark to compare against.

#include <QApplication>
#include <QWidget>

#include "first_paint.h"
#include "window_layout.h"

int main(int argc, char** argv) {
  zelora::bench::Stamp("main");
  QApplication app(argc, argv);
  zelora::bench::FirstPaint first_paint;
  app.installEventFilter(&first_paint);
  zelora::bench::Stamp("application");
  QWidget window;
  window.setFixedSize(zelora::window_layout::kClientWidth, zelora::window_layout::kClientHeight);
  window.show();
  zelora::bench::Stamp("open");
  return QApplication::exec();
}
