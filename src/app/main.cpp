// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#if defined(ZELORA_WARM_DESKTOP)
#include <fontconfig/fontconfig.h>

#include <QDBusConnection>
#endif

#include "command_line.h"
#include "exception_box.h"
#include "help_viewer.h"
#include "main_window.h"
#include "port_value.h"
#include "qt_text.h"
#include "registry_backend.h"
#include "resource_pictures.h"
#include "settings_store.h"
#include "transmission_box.h"
#include "window_face.h"

namespace {

// Start-up work that need not run on the window's thread is done on the
// other core while that thread starts the toolkit and builds the window: the
// window's thread then finds it done (or waits less) instead of doing it.
// Nothing here changes what the window shows or when.
class WarmUp {
 public:
  WarmUp() = default;
  WarmUp(const WarmUp&) = delete;
  WarmUp& operator=(const WarmUp&) = delete;
  ~WarmUp() { Wait(); }

  // Runs `work` on a thread of its own.
  template <typename Work>
  void Start(Work work) {
    threads_.emplace_back(std::move(work));
  }
  void Wait() {
    for (std::thread& thread : threads_) {
      if (thread.joinable()) thread.join();
    }
  }

 private:
  std::vector<std::thread> threads_;
};

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = zelora::AnswerInfoOption(argc, argv, stdout)) return *status;
#if defined(__GLIBC__)
  // The start-up helpers below and the toolkit's own threads each would get
  // an allocator arena of their own, whose slack stays resident for the
  // program's life (a quarter of a megabyte at the first paint). None of them
  // allocates in a loop, so they share the window's.
  mallopt(M_ARENA_MAX, 1);
#endif
  WarmUp before_toolkit;
#if defined(ZELORA_WARM_DESKTOP)
  // The font configuration: some sixty files and the font caches.
  before_toolkit.Start([] { FcInit(); });
#endif
  QApplication app(argc, argv);
  before_toolkit.Wait();
  // Both need the application; both are thread-safe. The font list is what
  // the first text waits for, the session bus what the accessibility bridge
  // asks for when the first control gets its caption. Joined before the
  // application goes.
  WarmUp with_toolkit;
  with_toolkit.Start([] { QFontDatabase::families(); });
#if defined(ZELORA_WARM_DESKTOP)
  with_toolkit.Start([] { QDBusConnection::sessionBus(); });
#endif
  QApplication::setApplicationName(zelora::ToQString(zelora::kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELORA_APP_ID));
  QApplication::setWindowIcon(zelora::MainIcon());
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
  // The port the settings choose (the built-in one until then) and the boxes
  // on the screen; declared before the window, which uses them to its end.
  zelora::SelectablePort port;
  zelora::ScreenBoxes boxes;
  zelora::TZLR window(store, port, boxes);
  window.SetHelpEngine(help);
  // An error ends start-up early; the window still opens in the state
  // start-up reached.
  window.Open();
  return QApplication::exec();
}
