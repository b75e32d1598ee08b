#ifndef VANTOREL_TESTS_CLIENTPROBE_H
#define VANTOREL_TESTS_CLIENTPROBE_H

#include <QTimer>

#include "app/tn5250client.h"

// Read and write access to the client's internal state for the tests. The
// client names this class its friend; nothing in the product uses it.
class ClientProbe
{
public:
    explicit ClientProbe(Tn5250Client &client) : c(client) {}

    TerminalScreen &screen() { return c.m_screen; }
    const SavedScreens &savedScreens() const { return c.m_savedScreens; }
    TypeAheadQueue &typeAheadQueue() { return c.m_typeAheadQueue; }
    int &pendingReadMode() { return c.m_pendingReadMode; }
    bool &connected() { return c.m_connected; }
    bool &typeAheadDraining() { return c.m_typeAheadDraining; }
    bool &typeAhead() { return c.m_typeAhead; }
    bool &autoLoginAttempted() { return c.m_autoLoginAttempted; }
    bool &userDisconnectRequested() { return c.m_userDisconnectRequested; }
    bool &connectionErrorReported() { return c.m_connectionErrorReported; }
    bool &tlsValidationFailed() { return c.m_tlsValidationFailed; }
    QPointer<QAbstractSocket> &socket() { return c.m_socket; }
    QTimer *reconnectTimer() { return c.m_reconnectTimer; }
    QTimer *connectionTimer() { return c.m_connectionTimer; }
    QStringList &profileIds() { return c.m_profileIds; }
    QString &tlsProtocol() { return c.m_tlsProtocol; }
    QString &tlsCipher() { return c.m_tlsCipher; }
    bool &passwordSaved() { return c.m_passwordSaved; }

    // Operations the interface never calls.
    void startNegotiation() { c.startNegotiation(); }
    void sendRecord(quint8 opcode, const QByteArray &data, quint8 flags) { c.sendRecord(opcode, data, flags); }

private:
    Tn5250Client &c;
};

#endif
