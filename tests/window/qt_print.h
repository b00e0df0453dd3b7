// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Readable gtest messages for the Qt types the window tests compare.

#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{';
  for (qsizetype i = 0; i < list.size(); ++i) *os << (i ? ", " : "") << list[i].toStdString();
  *os << '}';
}

inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

inline void PrintTo(const QPoint& p, std::ostream* os) {
  *os << '(' << p.x() << ", " << p.y() << ')';
}

inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
