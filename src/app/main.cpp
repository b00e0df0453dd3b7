#include <QApplication>
#include <QIcon>
#include <memory>

#include "pictures.h"
#include "registry_backend.h"
#include "settings_store.h"
#include "exception_box.h"
#include "qt_text.h"
#include "help_viewer.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(zelora::ToQString(zelora::kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELORA_APP_ID));
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(zelora::pictures::kMainIcon)));
  zelora::TZLR::ApplyApplicationLook();

  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::SettingsStore store(*registry);
  // Declared before the window, so that it is still there when the window
  // tells it to quit at the end.
  zelora::HelpViewer help;
  zelora::TZLR window(store);
  window.SetHelpEngine(help);
  // An error ends start-up early; the window still opens in the state
  // start-up reached.
  window.Open();
  return QApplication::exec();
}
