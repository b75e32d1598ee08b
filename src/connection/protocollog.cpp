#include "connection/protocollog.h"

#include <QDateTime>

namespace {

// Cutting well below the mark keeps the copying rare.
const int LOG_HIGH_MARK = 24000;
const int LOG_KEPT_AFTER_CUT = 18000;

} // namespace

// Local time goes through the C library's time-zone lookup, which checks the
// zone file on every call; the stamp only changes once a second, so the
// clock (which needs no zone) decides when to look it up again.
const QString &ProtocolLog::stamp()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = now / 1000;
    if (second != m_stampSecond || m_stamp.isEmpty()) {
        m_stampSecond = second;
        m_stamp = QLatin1Char('[') + QDateTime::fromMSecsSinceEpoch(now).time().toString(QStringLiteral("HH:mm:ss"))
            + QLatin1String("] ");
    }
    return m_stamp;
}

void ProtocolLog::append(const QString &message)
{
    // Joined, not formatted, so a "%1" in the text stays as it is.
    m_text += stamp();
    m_text += message;
    m_text += QLatin1Char('\n');
    if (m_text.size() > LOG_HIGH_MARK)
        m_text = m_text.right(LOG_KEPT_AFTER_CUT);
}

bool ProtocolLog::clear()
{
    if (m_text.isEmpty())
        return false;
    m_text.clear();
    return true;
}
