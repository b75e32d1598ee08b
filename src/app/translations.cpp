#include "app/translations.h"

#include <QLocale>
#include <QTranslator>

namespace {

const char FILE_PREFIX[] = "harbour-vantorel";

} // namespace

namespace Translations {

QTranslator *load(const QLocale &locale, const QString &directory, QObject *parent)
{
    QTranslator *translator = new QTranslator(parent);
    if (translator->load(locale, QLatin1String(FILE_PREFIX), QStringLiteral("-"), directory))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace Translations
