#pragma once

// Fakes that record what the window hands to the world outside it.

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "exception_box.h"
#include "help_engine.h"

namespace zelora {

// Takes the place of the exception box for as long as it lives.
class RecordingReporter : public ErrorReporter {
 public:
  RecordingReporter() : scope_(*this) {}
  void ShowError(const QString& text) override { texts.push_back(text.toStdString()); }
  std::vector<std::string> texts;

 private:
  ScopedErrorReporter scope_;
};

class RecordingHelp : public HelpEngine {
 public:
  void ShowContext(const std::string& help_file, int context) override {
    shown.emplace_back(help_file, context);
  }
  void Quit() override { ++quits; }
  std::vector<std::pair<std::string, int>> shown;
  int quits = 0;
};

}  // namespace zelora
