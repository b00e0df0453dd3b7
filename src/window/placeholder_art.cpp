#include "window/placeholder_art.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace zelora {
namespace {

const QColor kDarkYellow(128, 128, 0);
const QColor kDarkMagenta(128, 0, 128);

// Draws the 16 x 16 subject of a button's glyph at the origin.
void DrawSubject(QPainter& p, std::string_view button) {
  if (button == "BtnApply") {
    p.fillRect(1, 1, 7, 5, Qt::cyan);
    p.fillRect(3, 3, 7, 5, Qt::cyan);
    p.setPen(Qt::black);
    p.drawRect(3, 3, 6, 4);
    p.fillRect(6, 10, 9, 5, Qt::white);
    p.drawRect(6, 10, 8, 5);
    p.fillRect(11, 12, 2, 2, Qt::red);
    p.drawLine(12, 2, 12, 8);
    p.drawLine(10, 6, 12, 8);
    p.drawLine(14, 6, 12, 8);
  } else if (button == "BtnDefault") {
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(2, 14, 10, 6);
    p.fillRect(10, 3, 3, 3, Qt::red);
    p.setPen(Qt::blue);
    p.drawPoint(14, 2);
    p.drawPoint(7, 2);
    p.drawPoint(14, 9);
  } else if (button == "BtnReset") {
    p.setPen(Qt::black);
    p.fillRect(4, 1, 8, 6, Qt::white);
    p.drawRect(4, 1, 7, 6);
    p.fillRect(1, 7, 14, 6, Qt::white);
    p.drawRect(1, 7, 13, 6);
    p.fillRect(3, 13, 10, 2, Qt::red);
  } else if (button == "BtnFormfeed" || button == "BtnTestPrt") {
    p.setPen(Qt::black);
    p.fillRect(1, 8, 14, 6, Qt::lightGray);
    p.drawRect(1, 8, 13, 6);
    p.fillRect(4, 1, 8, 9, Qt::white);
    p.drawRect(4, 1, 7, 9);
    p.drawLine(6, 4, 9, 4);
    p.drawLine(6, 6, 9, 6);
  } else if (button == "BtnConfig") {
    p.setPen(Qt::black);
    p.fillRect(1, 1, 9, 13, Qt::white);
    p.drawRect(1, 1, 8, 13);
    p.fillRect(2, 2, 7, 2, Qt::blue);
    p.drawLine(3, 6, 7, 6);
    p.drawLine(3, 8, 7, 8);
    p.fillRect(10, 4, 5, 11, Qt::yellow);
    p.drawRect(10, 4, 4, 10);
  } else if (button == "BtnHelp") {
    p.setPen(Qt::black);
    p.setBrush(Qt::yellow);
    p.drawEllipse(1, 1, 13, 13);
    p.setPen(QPen(Qt::red, 2));
    p.drawArc(5, 3, 6, 5, 180 * 16, -270 * 16);
    p.drawLine(8, 8, 8, 9);
    p.drawPoint(8, 12);
  } else if (button == "BtnExit") {
    p.setPen(Qt::black);
    p.fillRect(3, 1, 10, 14, QColor(128, 64, 0));
    p.drawRect(3, 1, 9, 14);
    p.fillRect(5, 2, 6, 13, Qt::white);
    p.drawPoint(10, 8);
  } else {
    p.fillRect(4, 4, 8, 8, Qt::gray);
  }
}

}  // namespace

QImage PlaceholderGlyph(std::string_view button) {
  const bool magenta = button == "BtnDefault" || button == "BtnReset";
  const QColor transparent = magenta ? kDarkMagenta : kDarkYellow;
  QImage strip(32, 16, QImage::Format_RGB32);
  strip.fill(transparent);
  {
    QPainter p(&strip);
    DrawSubject(p, button);
  }
  // The disabled image: the subject's outline in grey relief.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb pixel = strip.pixel(x, y);
      if (QColor(pixel) == transparent) continue;
      if (x + 1 < 16 && y + 1 < 16) strip.setPixel(16 + x + 1, y + 1, qRgb(255, 255, 255));
      strip.setPixel(16 + x, y, qRgb(128, 128, 128));
    }
  }
  // The transparent colour must stay in the bottom-left corner.
  strip.setPixel(0, 15, transparent.rgb());
  return strip;
}

QImage PlaceholderOrientation(bool portrait) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const QRect sheet = portrait ? QRect(6, 1, 20, 29) : QRect(1, 6, 29, 20);
  const int fold = 6;
  QPolygon outline;
  outline << sheet.topLeft() << QPoint(sheet.right() - fold, sheet.top())
          << QPoint(sheet.right(), sheet.top() + fold) << sheet.bottomRight() << sheet.bottomLeft();
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawPolygon(outline);
  p.drawLine(sheet.right() - fold, sheet.top(), sheet.right() - fold, sheet.top() + fold);
  p.drawLine(sheet.right() - fold, sheet.top() + fold, sheet.right(), sheet.top() + fold);
  QFont font("DejaVu Sans");
  font.setPixelSize(16);
  font.setBold(true);
  p.setFont(font);
  p.drawText(sheet, Qt::AlignCenter, "A");
  return image;
}

QImage PlaceholderAbout() {
  QImage image(135, 84, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 84);
  sky.setColorAt(0, QColor(0, 0, 128));
  sky.setColorAt(1, QColor(0, 128, 128));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::black);
  p.fillRect(40, 40, 56, 26, Qt::lightGray);
  p.drawRect(40, 40, 55, 25);
  p.fillRect(50, 22, 36, 20, Qt::white);
  p.drawRect(50, 22, 35, 19);
  p.fillRect(48, 60, 40, 4, Qt::darkGray);
  QFont font("DejaVu Sans");
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 2, 135, 18), Qt::AlignCenter, "Zelora");
  return image;
}

QIcon PlaceholderWindowIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setPen(Qt::black);
    p.fillRect(3, 14, 26, 12, Qt::lightGray);
    p.drawRect(3, 14, 25, 11);
    p.fillRect(8, 3, 16, 13, Qt::white);
    p.drawRect(8, 3, 15, 12);
    p.fillRect(11, 6, 10, 2, Qt::blue);
    p.fillRect(22, 19, 3, 3, Qt::green);
  }
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace zelora
