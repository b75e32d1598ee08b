#ifndef VANTOREL_TRANSLATIONS_H
#define VANTOREL_TRANSLATIONS_H

#include <QString>

class QLocale;
class QObject;
class QTranslator;

// The application's texts in the user's language. The translations are
// compiled files named harbour-vantorel-<language>.qm (harbour-vantorel-de.qm),
// the names under which the phone looks them up; a locale with a country
// falls back to its language (de_AT to de).
namespace Translations {

// A translator holding the translation for `locale` from `directory`, with
// `parent` as its owner, or null when there is none for that language (the
// English source texts then stay).
QTranslator *load(const QLocale &locale, const QString &directory, QObject *parent);

} // namespace Translations

#endif
