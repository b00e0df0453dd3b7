// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <thread>

#if defined(ZELORA_WARM_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

#include "command_line.h"
#include "exception_box.h"
#include "help_viewer.h"
#include "main_window.h"
#include "pictures.h"
#include "qt_text.h"
#include "registry_backend.h"
#include "settings_store.h"
#include "window_face.h"

namespace {

// Reading the font configuration (some sixty files and the font caches) takes
// several milliseconds that the first text would wait for. Read beside the
// toolkit's own start-up, on another core, it is ready when the window needs
// it; the toolkit then finds it loaded.
class FontConfigWarmUp {
 public:
#if defined(ZELORA_WARM_FONTCONFIG)
  FontConfigWarmUp() : thread_([] { FcInit(); }) {}
#endif
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }
  ~FontConfigWarmUp() { Wait(); }

 private:
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = zelora::AnswerInfoOption(argc, argv, stdout)) return *status;
  FontConfigWarmUp fonts;
  QApplication app(argc, argv);
  fonts.Wait();
  QApplication::setApplicationName(zelora::ToQString(zelora::kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELORA_APP_ID));
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(zelora::pictures::kMainIcon)));
  zelora::TZLR::ApplyApplicationLook();
  // The desktop's language chooses the face: a translation of the Russian
  // layout when there is one for it, the layout's own texts otherwise.
  QTranslator face;
  if (zelora::LoadFace(face, QLocale::system())) QCoreApplication::installTranslator(&face);
  const zelora::SurroundingTexts surrounding(zelora::FaceLanguage(face));

  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::SettingsStore store(*registry);
  // Declared before the window, so that it is still there when the window
  // tells it to quit at the end.
  zelora::HelpViewer help(zelora::FaceLanguage(face));
  zelora::TZLR window(store);
  window.SetHelpEngine(help);
  // An error ends start-up early; the window still opens in the state
  // start-up reached.
  window.Open();
  return QApplication::exec();
}
