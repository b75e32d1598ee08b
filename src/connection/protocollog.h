#ifndef VANTOREL_PROTOCOLLOG_H
#define VANTOREL_PROTOCOLLOG_H

#include <QString>

// The protocol log: one in-memory text of time-stamped lines "[HH:mm:ss]
// message", untranslated. It never holds a password: the callers log
// redacted texts only. It is cut back to its tail once it grows past its
// high mark, so that a chatty host cannot make it grow without bound.
class ProtocolLog
{
public:
    void append(const QString &message);
    // False when there was nothing to clear.
    bool clear();
    const QString &text() const { return m_text; }

private:
    const QString &stamp();

    QString m_text;
    QString m_stamp;          // "[HH:mm:ss] " of m_stampSecond
    qint64 m_stampSecond = -1; // seconds since the epoch
};

#endif
