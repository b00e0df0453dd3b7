// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_bar.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStringList>

namespace zelora {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::AddPanel(const QString& text, int width) {
  panels_.push_back({text, width});
  UpdateAccessibleName();
  update();
}

// A screen reader reads the bar by its name: the panels' texts, and hears the
// hint line change with it.
void StatusBar::UpdateAccessibleName() {
  QStringList texts;
  for (const Panel& panel : panels_) {
    const QString text = panel.text.trimmed();
    if (!text.isEmpty()) texts << text;
  }
  setAccessibleName(texts.join(QStringLiteral(": ")));
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
  UpdateAccessibleName();
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

QRect StatusBar::BevelRect(int index) const {
  // A two-pixel gap on top and between the panels.
  return PanelRect(index).adjusted(0, 2, -2, 0);
}

QRect StatusBar::TextRect(int index) const { return BevelRect(index).adjusted(2, 1, -2, -1); }

QFont StatusBar::PanelFont(int index) const {
  QFont condensed = font();
  const int room = TextRect(index).width();
  const QString text = PanelText(index);
  // Narrower by whole percents until the text fits; at most down to half.
  const int stretch = condensed.stretch() > 0 ? condensed.stretch() : 100;
  for (int s = stretch; s >= stretch / 2; --s) {
    condensed.setStretch(s);
    if (QFontMetrics(condensed).horizontalAdvance(text) <= room) break;
  }
  return condensed;
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < PanelCount(); ++i) {
    qDrawShadePanel(&painter, BevelRect(i), palette(), true, 1);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(PanelFont(i));
    painter.drawText(TextRect(i), Qt::AlignLeft | Qt::AlignVCenter,
                     panels_[static_cast<std::size_t>(i)].text);
  }
}

}  // namespace zelora
