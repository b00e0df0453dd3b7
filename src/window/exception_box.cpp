#include "exception_box.h"
#include "qt_text.h"

#include <QApplication>
#include <QMessageBox>

namespace zelora {
namespace {

ErrorReporter* installed = nullptr;

}  // namespace

std::string ExceptionBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

void MessageBoxReporter::ShowError(const QString& text) {
  const std::unique_ptr<QMessageBox> box = MakeBox(text, QApplication::activeWindow());
  box->exec();
}

std::unique_ptr<QMessageBox> MessageBoxReporter::MakeBox(const QString& text, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(
      QMessageBox::Critical, ToQString(kApplicationTitle), text, QMessageBox::Ok, parent);
  box->setDefaultButton(QMessageBox::Ok);
  return box;
}

ErrorReporter& ApplicationErrorReporter() {
  static MessageBoxReporter message_box;
  return installed != nullptr ? *installed : message_box;
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter& reporter) : previous_(installed) {
  installed = &reporter;
}

ScopedErrorReporter::~ScopedErrorReporter() { installed = previous_; }

void ReportError(std::string_view message) {
  ApplicationErrorReporter().ShowError(QString::fromStdString(ExceptionBoxText(message)));
}

}  // namespace zelora
