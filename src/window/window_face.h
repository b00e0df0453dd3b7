// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

#include "window_layout.h"

class QLocale;

namespace zelora {

// The face of the window: the language its texts are shown in. The layout
// holds the Russian texts; every other face is a Qt translation of them,
// context "TZLR", the Russian text as source and the English caption table's
// ID as disambiguation (equal Russian texts may have different English ones).
inline constexpr char kTranslationContext[] = "TZLR";

// Where the compiled translations are, and their names: zelora_<language>.qm.
inline constexpr char kTranslationFolder[] = ":/i18n";
inline constexpr char kTranslationName[] = "zelora";

// The language of the layout's own texts.
inline constexpr char kLayoutLanguage[] = "ru";

// The text in the face showing: its translation by the translators installed
// in the application, the Russian text when none has one.
QString FaceText(const LayoutText& text);

// Loads the translation for the first of the locale's user-interface
// languages only: a desktop in another language that lists English second
// keeps the Russian face, as does the C locale. False (and the translator
// left empty) when there is no translation for that language.
bool LoadFace(QTranslator& translator, const QLocale& locale);

// The language of a face: the translation's, or the layout's for an empty
// translator.
QString FaceLanguage(const QTranslator& translator);

// The texts around the window's own, in the face's language: Qt's own
// (standard buttons, the edit fields' menu, the tab bar's scroll buttons),
// from the translations Qt installs, and the program's English texts outside
// the layout (the help window), from :/i18n/program_<language>.qm. Installed
// into the application while the object lives; a language without them
// leaves Qt's and the program's English.
class SurroundingTexts {
 public:
  explicit SurroundingTexts(const QString& language);
  ~SurroundingTexts();
  SurroundingTexts(const SurroundingTexts&) = delete;
  SurroundingTexts& operator=(const SurroundingTexts&) = delete;

 private:
  QTranslator toolkit_;
  QTranslator program_;
};

}  // namespace zelora
