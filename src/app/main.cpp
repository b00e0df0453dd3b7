#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMessageBox::information(nullptr, "Zelora", "The window comes in the next step.");
  return 0;
}
