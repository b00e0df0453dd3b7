// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a picture of each page of the window, as a user with a typical stored
// state sees it, to <folder>/page_<page>.png, or in another face than the
// Russian one to <folder>/page_<page>_<language>.png. Run it on a real display
// (or under Xvfb): zelora_page_screenshots <folder> [<language>]

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <cstdio>

#include "main_window.h"
#include "memory_registry.h"
#include "settings_key.h"
#include "settings_store.h"
#include "support/fake_window_seams.h"
#include "support/test_printer.h"
#include "window_face.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s <folder> [<language>]\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QString suffix;
  QTranslator face;
  if (argc == 3) {
    const QString language = QString::fromLocal8Bit(argv[2]);
    if (!zelora::LoadFace(face, QLocale(language))) {
      std::fprintf(stderr, "no translation for %s\n", argv[2]);
      return 2;
    }
    QCoreApplication::installTranslator(&face);
    suffix = "_" + language;
  }
  zelora::TZLR::ApplyApplicationLook();

  zelora::MemoryRegistry registry;
  const std::string_view key = zelora::kSettingsKeyPath;
  registry.PutDword(key, "R_x", 180);
  registry.PutDword(key, "R_y", 97);
  registry.PutDouble(key, "R_timeout", 30);
  registry.PutDword(key, "R_powersave", 2);
  registry.PutDword(key, "R_jamrecover", 1);
  // The custom size: its fields show, and so does the longest paper-size text.
  registry.PutDword(key, "R_papersize", 12);
  registry.PutDouble(key, "R_width", 100);
  registry.PutDouble(key, "R_height", 200);
  registry.PutDouble(key, "R_lpi", 64);
  registry.PutDouble(key, "R_copies", 1);
  registry.PutDword(key, "R_orientation", 1);
  registry.PutDword(key, "R_typeface", 17);
  registry.PutDword(key, "R_symbol", 12);
  registry.PutDouble(key, "R_pitch", 10);
  registry.PutDouble(key, "R_point", 12);
  registry.PutDword(key, "R_density", 0);
  registry.PutDword(key, "R_economode", 0);
  zelora::SettingsStore store(registry);

  zelora::testing::TestPrinter printer(store);
  zelora::testing::RecordingBoxes boxes;
  zelora::TZLR window(store, printer.port(), boxes);
  window.Open();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  QTabWidget* pages = window.findChild<QTabWidget*>("PageControl1");
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QTest::qWait(100);
    const QString file =
        folder.filePath("page_" + pages->widget(i)->objectName().toLower() + suffix + ".png");
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    std::printf("%s\n", qPrintable(file));
  }
  return 0;
}
