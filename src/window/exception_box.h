#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "window_layout.h"

class QMessageBox;
class QWidget;

namespace zelora {

// The application's title, the caption of its exception box.
inline constexpr std::string_view kApplicationTitle = window_layout::kCaption;

// The text the exception box shows for an error message: the message with a
// full stop added when its last character sorts after the full stop ("Disk
// full" gets one; "Done.", "Stop!" and a trailing blank do not). Compared as
// unsigned bytes, so a message ending in a non-ASCII letter gets one too.
std::string ExceptionBoxText(std::string_view message);

// Where an error that leaves an event handler is reported. The program shows
// a modal box; tests put a recorder in its place.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // text is already in its final form (see ExceptionBoxText).
  virtual void ShowError(const QString& text) = 0;
};

// The standard exception box: stop icon, caption kApplicationTitle, OK only.
class MessageBoxReporter : public ErrorReporter {
 public:
  void ShowError(const QString& text) override;
  // The box ShowError runs, unshown.
  static std::unique_ptr<QMessageBox> MakeBox(const QString& text, QWidget* parent);
};

// The reporter every guarded handler uses; a MessageBoxReporter unless one is
// installed.
ErrorReporter& ApplicationErrorReporter();

// Installs a reporter for its own lifetime and puts the previous one back.
class ScopedErrorReporter {
 public:
  explicit ScopedErrorReporter(ErrorReporter& reporter);
  ~ScopedErrorReporter();
  ScopedErrorReporter(const ScopedErrorReporter&) = delete;
  ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

 private:
  ErrorReporter* previous_;
};

// Shows the error through the application's reporter.
void ReportError(std::string_view message);

// Runs a handler; an exception that leaves it is reported and goes no
// further, so it never unwinds through the toolkit's event dispatch. True
// when the handler ran to its end.
template <typename Handler>
bool Guard(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError("Unexpected error");
  }
  return false;
}

}  // namespace zelora
