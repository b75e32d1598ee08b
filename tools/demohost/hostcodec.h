#ifndef VANTOREL_DEMOHOST_HOSTCODEC_H
#define VANTOREL_DEMOHOST_HOSTCODEC_H

#include <QByteArray>
#include <QString>

// EBCDIC for one host session, in the code page that the terminal reported
// through NEW-ENVIRON (CODEPAGE), as an IBM i picks the job's CCSID from it.
// Independent of the process-wide code page of the terminal side, so an
// in-process test host and client never disturb each other.
class HostCodec
{
public:
    explicit HostCodec(int codePage = 37);

    int codePage() const { return m_codePage; }
    // Characters the code page lacks become '?'.
    QByteArray encode(const QString &text) const;
    QString decode(const QByteArray &bytes) const;

private:
    int m_codePage;
    const ushort *m_table;
};

#endif
