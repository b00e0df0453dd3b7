// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace zelora {

// A horizontal progress bar inside a one-pixel border with the percentage
// written over its centre, inverted so that it shows on both parts.
class Gauge : public QWidget {
  Q_OBJECT
 public:
  explicit Gauge(QWidget* parent = nullptr);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Progress() const { return progress_; }

  // A minimum above the maximum, or a maximum below the minimum, is refused
  // with std::out_of_range("Value must be between <low> and <high>") and the
  // limits stay as they were. The progress is kept within the limits.
  void SetMinimum(int minimum);
  void SetMaximum(int maximum);
  // Clamped to the range from minimum to maximum.
  void SetProgress(int progress);

  // Whole part of (progress - minimum) * 100 / (maximum - minimum); 0 when the
  // two limits are equal.
  int PercentDone() const;
  // Width in pixels of the filled part.
  int FilledWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Changes the state and redraws only when the whole percentage changed.
  void Update(int minimum, int maximum, int progress);

  int minimum_ = 0;
  int maximum_ = 100;
  int progress_ = 0;
};

}  // namespace zelora
