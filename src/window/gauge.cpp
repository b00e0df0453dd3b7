// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gauge.h"

#include <QPainter>
#include <climits>
#include <stdexcept>
#include <string>

namespace zelora {
namespace {

std::string OutOfRange(int low, int high) {
  return "Value must be between " + std::to_string(low) + " and " + std::to_string(high);
}

int Percent(int minimum, int maximum, int progress) {
  if (maximum == minimum) return 0;
  const long long done = static_cast<long long>(progress) - minimum;
  const long long span = static_cast<long long>(maximum) - minimum;
  return static_cast<int>(done * 100 / span);
}

}  // namespace

Gauge::Gauge(QWidget* parent) : QWidget(parent) {}

void Gauge::SetMinimum(int minimum) {
  if (minimum > maximum_) throw std::out_of_range(OutOfRange(INT_MIN, maximum_));
  Update(minimum, maximum_, qMax(progress_, minimum));
}

void Gauge::SetMaximum(int maximum) {
  if (maximum < minimum_) throw std::out_of_range(OutOfRange(minimum_, INT_MAX));
  Update(minimum_, maximum, qMin(progress_, maximum));
}

void Gauge::SetProgress(int progress) {
  Update(minimum_, maximum_, qBound(minimum_, progress, maximum_));
}

int Gauge::PercentDone() const { return Percent(minimum_, maximum_, progress_); }

int Gauge::FilledWidth() const {
  const int inner = qMax(0, width() - 2);
  return inner * PercentDone() / 100;
}

void Gauge::Update(int minimum, int maximum, int progress) {
  const int before = PercentDone();
  minimum_ = minimum;
  maximum_ = maximum;
  progress_ = progress;
  // Drawn at once: during the demonstration page the handler keeps the
  // event loop from running, and the gauge must still follow.
  if (PercentDone() != before && isVisible()) repaint();
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(QRect(inner.left(), inner.top(), FilledWidth(), inner.height()), Qt::black);
  // White text in difference mode is black on the white ground and white on
  // the black bar.
  painter.setCompositionMode(QPainter::CompositionMode_Difference);
  painter.setPen(Qt::white);
  painter.drawText(inner, Qt::AlignCenter, QString::asprintf("%d%%", PercentDone()));
}

}  // namespace zelora
