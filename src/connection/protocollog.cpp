#include "connection/protocollog.h"

#include <QTime>

namespace {

// Cutting well below the mark keeps the copying rare.
const int LOG_HIGH_MARK = 24000;
const int LOG_KEPT_AFTER_CUT = 18000;

} // namespace

void ProtocolLog::append(const QString &message)
{
    // Time and text are filled in one step, so a "%1" in the text stays as
    // it is.
    m_text += QStringLiteral("[%1] %2\n").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), message);
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
