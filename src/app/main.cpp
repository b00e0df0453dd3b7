#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "settings/registry_backend.h"
#include "settings/settings_store.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelora::TZLR::ApplyApplicationLook();

  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::SettingsStore store(*registry);
  zelora::TZLR window(store);
  try {
    window.FormCreate();
  } catch (const std::exception& error) {
    // An error ends start-up early; the window still opens in the state
    // start-up reached.
    QMessageBox::critical(&window, window.windowTitle(), QString::fromUtf8(error.what()));
  }
  window.show();
  return QApplication::exec();
}
