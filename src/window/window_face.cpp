// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_face.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelora {

QString FaceText(const LayoutText& text) {
  const QByteArray source(text.russian.data(), static_cast<qsizetype>(text.russian.size()));
  if (text.english_id == 0) {
    // Nothing to translate; asked for, a translator would hand back one of
    // the texts whose Russian original is empty.
    if (source.isEmpty()) return {};
    return QCoreApplication::translate(kTranslationContext, source.constData());
  }
  const QByteArray id = QByteArray::number(text.english_id);
  return QCoreApplication::translate(kTranslationContext, source.constData(), id.constData());
}

bool LoadFace(QTranslator& translator, const QLocale& locale) {
  const QStringList languages = locale.uiLanguages();
  if (languages.isEmpty()) return false;
  // QTranslator would go on to the second language and beyond; the face
  // follows the first only. Its own fallbacks (en-GB, en) stay.
  return translator.load(QLocale(languages.front()), QString::fromLatin1(kTranslationName),
                         QStringLiteral("_"), QString::fromLatin1(kTranslationFolder));
}

QString FaceLanguage(const QTranslator& translator) {
  if (translator.isEmpty() || translator.language().isEmpty()) {
    return QString::fromLatin1(kLayoutLanguage);
  }
  return translator.language();
}

SurroundingTexts::SurroundingTexts(const QString& language) {
  // Qt's own English needs no translation, and loading one would only
  // install an empty translator.
  if (language == QLatin1String("en")) return;
  if (toolkit_.load(QStringLiteral("qtbase_") + language,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&toolkit_);
  }
  if (program_.load(QStringLiteral("program_") + language,
                    QString::fromLatin1(kTranslationFolder))) {
    QCoreApplication::installTranslator(&program_);
  }
}

SurroundingTexts::~SurroundingTexts() {
  QCoreApplication::removeTranslator(&program_);
  QCoreApplication::removeTranslator(&toolkit_);
}

}  // namespace zelora
