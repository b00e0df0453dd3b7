// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up exactly as src/app/main.cpp does it, with a stamp
// after each step and the first paint detected, for the start-up benchmark.

#include <QApplication>
#include <QIcon>
#include <memory>

#include "exception_box.h"
#include "first_paint.h"
#include "help_viewer.h"
#include "main_window.h"
#include "pictures.h"
#include "qt_text.h"
#include "registry_backend.h"
#include "settings_store.h"

int main(int argc, char** argv) {
  zelora::bench::Stamp("main");
  QApplication app(argc, argv);
  zelora::bench::FirstPaint first_paint;
  app.installEventFilter(&first_paint);
  zelora::bench::Stamp("application");
  QApplication::setApplicationName(zelora::ToQString(zelora::kApplicationTitle));
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(zelora::pictures::kMainIcon)));
  zelora::bench::Stamp("icon");
  zelora::TZLR::ApplyApplicationLook();
  zelora::bench::Stamp("look");

  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::SettingsStore store(*registry);
  zelora::HelpViewer help;
  zelora::bench::Stamp("help");
  zelora::TZLR window(store);
  zelora::bench::Stamp("window");
  window.SetHelpEngine(help);
  window.Open();
  zelora::bench::Stamp("open");
  return QApplication::exec();
}
