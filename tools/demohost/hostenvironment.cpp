#include "hostenvironment.h"

#include "hostprotocol.h"

using namespace HostProtocol;

namespace {

// IBM i's national-language table for a 5250 display: keyboard type and
// character set per code page. Kept apart from the terminal's own table, so
// that the two ends check each other.
struct Language
{
    int codePage;
    const char *keyboard;
    const char *characterSet;
};

const Language LANGUAGES[] = {
    { 37, "USB", "697" },  { 273, "AGB", "697" }, { 277, "DMB", "697" }, { 278, "FNB", "697" },
    { 280, "ITB", "697" }, { 284, "SPB", "697" }, { 285, "UKB", "697" }, { 297, "FAB", "697" },
    { 500, "INB", "697" }, { 870, "CSB", "959" }, { 871, "ICB", "697" },
};

const unsigned char SEED[] = { 0x00, 0x9C, 0x03, 0xFF, 0x41, 0x01, 0x7F, 0x02 };

const int DEFAULT_CODE_PAGE = 37;

const Language *languageOf(int codePage)
{
    for (const Language &language : LANGUAGES) {
        if (language.codePage == codePage)
            return &language;
    }
    return nullptr;
}

} // namespace

namespace HostEnvironment {

QByteArray seed()
{
    return QByteArray(reinterpret_cast<const char *>(SEED), int(sizeof(SEED)));
}

QByteArray sendRequest(const QByteArray &seedBytes)
{
    QByteArray request;
    request.append(char(SUB_SEND));
    request.append(char(ENV_USERVAR));
    request.append("IBMRSEED");
    for (char c : seedBytes) {
        if (quint8(c) <= ENV_USERVAR)
            request.append(char(ENV_ESC));
        request.append(c);
    }
    request.append(char(ENV_VAR));
    request.append(char(ENV_USERVAR));
    return request;
}

ResponseCheck check(const QList<QPair<QString, QByteArray> > &variables, int *codePage)
{
    ResponseCheck result;
    result.performed = true;
    QByteArray device;
    QByteArray keyboard;
    QByteArray page;
    QByteArray characterSet;
    int keyboards = 0;
    int pages = 0;
    int sets = 0;
    for (const QPair<QString, QByteArray> &variable : variables) {
        if (variable.first == QLatin1String("USERVAR DEVNAME")) {
            device = variable.second;
        } else if (variable.first == QLatin1String("USERVAR KBDTYPE")) {
            keyboard = variable.second;
            ++keyboards;
        } else if (variable.first == QLatin1String("USERVAR CODEPAGE")) {
            page = variable.second;
            ++pages;
        } else if (variable.first == QLatin1String("USERVAR CHARSET")) {
            characterSet = variable.second;
            ++sets;
        }
    }
    QStringList &problems = result.problems;
    if (device.isEmpty())
        problems << QStringLiteral("no device name");
    if (keyboards != 1 || pages != 1 || sets != 1) {
        problems << QStringLiteral("KBDTYPE, CODEPAGE and CHARSET not sent together once");
    } else {
        bool numeric = false;
        const Language *language = languageOf(QString::fromLatin1(page).toInt(&numeric));
        if (!numeric || !language)
            problems << QStringLiteral("code page %1 is not in the national-language table")
                            .arg(QString::fromLatin1(page));
        else if (keyboard != language->keyboard || characterSet != language->characterSet)
            problems << QStringLiteral("code page %1 goes with keyboard %2 and character set %3, not %4 and %5")
                            .arg(language->codePage)
                            .arg(QLatin1String(language->keyboard), QLatin1String(language->characterSet),
                                 QString::fromLatin1(keyboard), QString::fromLatin1(characterSet));
    }
    // Only a complete, consistent triple changes the job's code page; a
    // missing device name does not matter to it.
    const bool tripleOk = problems.isEmpty() || (problems.size() == 1 && device.isEmpty());
    if (codePage)
        *codePage = tripleOk ? QString::fromLatin1(page).toInt() : DEFAULT_CODE_PAGE;
    return result;
}

} // namespace HostEnvironment
