// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardsticks of the start-up benchmark: an empty window of the program's
// size, nothing else; given a caption, the same window showing it in one
// label, which is what any window with text pays for its fonts.
//   zelora_bench_bare_window <width> <height> [caption]

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  QWidget window;
  window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
  if (argc > 3) (new QLabel(QString::fromUtf8(argv[3]), &window))->move(8, 8);
  window.show();
  return QApplication::exec();
}
