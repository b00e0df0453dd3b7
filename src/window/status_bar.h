// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

namespace zelora {

// A row of panels with lowered bevels and left-aligned text; the last panel
// reaches to the right edge whatever its stored width. No size grip.
class StatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent = nullptr);

  void AddPanel(const QString& text, int width);
  QString PanelText(int index) const;
  void SetPanelText(int index, const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Panel {
    QString text;
    int width;
  };
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QRect PanelRect(int index) const;
  QRect BevelRect(int index) const;
  // Where a panel's text is drawn, inside its bevel.
  QRect TextRect(int index) const;
  // The font a panel's text is drawn in: the bar's own, condensed just enough
  // for a text wider than the panel to fit instead of being cut off.
  QFont PanelFont(int index) const;
  void UpdateAccessibleName();

  std::vector<Panel> panels_;
};

}  // namespace zelora
