// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: an empty window of the program's
// size, nothing else.

#include <QApplication>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  // The benchmark passes the program's window size, as the program showed it.
  const int width = argc > 2 ? std::atoi(argv[1]) : 640;
  const int height = argc > 2 ? std::atoi(argv[2]) : 480;
  window.setFixedSize(width, height);
  window.show();
  return QApplication::exec();
}
