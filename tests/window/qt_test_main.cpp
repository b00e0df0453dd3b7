#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "exception_box.h"

namespace {

// Nobody would ever close an exception box shown during a test run, so the
// run would hang on it. A test that expects one installs its own recorder;
// anywhere else the box fails the test that caused it.
class UnexpectedExceptionBox : public zelora::ErrorReporter {
 public:
  void ShowError(const QString& text) override {
    ADD_FAILURE() << "exception box shown: " << text.toStdString();
  }
};

}  // namespace

// Runs the tests inside a QApplication; without a display the widgets are
// drawn offscreen.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  UnexpectedExceptionBox unexpected;
  const zelora::ScopedErrorReporter no_real_box(unexpected);
  return RUN_ALL_TESTS();
}
