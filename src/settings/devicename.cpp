#include "settings/devicename.h"

QString sanitizeDeviceName(const QString &text)
{
    const QString upper = text.trimmed().toUpper();
    QString result;
    result.reserve(10);
    for (const QChar c : upper) {
        const ushort u = c.unicode();
        const bool allowed = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == '_';
        if (!allowed)
            continue;
        result.append(c);
        if (result.size() == 10)
            break;
    }
    return result;
}
