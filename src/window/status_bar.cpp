#include "status_bar.h"

#include <qdrawutil.h>
#include <QPainter>

namespace zelora {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::AddPanel(const QString& text, int width) {
  panels_.push_back({text, width});
  update();
}

QString StatusBar::PanelText(int index) const {
  if (index < 0 || index >= PanelCount()) return {};
  return panels_[static_cast<std::size_t>(index)].text;
}

void StatusBar::SetPanelText(int index, const QString& text) {
  if (index < 0 || index >= PanelCount()) return;
  auto& panel = panels_[static_cast<std::size_t>(index)];
  if (panel.text == text) return;
  panel.text = text;
  update(PanelRect(index));
}

QRect StatusBar::PanelRect(int index) const {
  if (index < 0 || index >= PanelCount()) return {};
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels_[static_cast<std::size_t>(i)].width;
  const int right =
      index == PanelCount() - 1 ? width() : left + panels_[static_cast<std::size_t>(index)].width;
  return {left, 0, qMax(0, right - left), height()};
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < PanelCount(); ++i) {
    // A two-pixel gap on top and between the panels.
    const QRect bevel = PanelRect(i).adjusted(0, 2, -2, 0);
    qDrawShadePanel(&painter, bevel, palette(), true, 1);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(bevel.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter,
                     panels_[static_cast<std::size_t>(i)].text);
  }
}

}  // namespace zelora
