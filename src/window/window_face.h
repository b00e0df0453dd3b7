// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "window_layout.h"

class QLocale;
class QTranslator;

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

}  // namespace zelora
