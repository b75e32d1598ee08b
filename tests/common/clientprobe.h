#ifndef VANTOREL_TESTS_CLIENTPROBE_H
#define VANTOREL_TESTS_CLIENTPROBE_H

#include <QTimer>

#include "app/tn5250client.h"

// What the tests of the client itself need beyond its interface: the state
// a test sets up or reads directly (the screen a key works on, the socket,
// the timers) and the few operations it drives without a host. The client
// names this class its friend; nothing in the product uses it. The classes
// the client is made of are tested on their own, without it.
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
    bool &autoLoginAttempted() { return c.m_autoLoginAttempted; }
    QPointer<QAbstractSocket> &socket() { return c.m_socket; }
    QTimer *reconnectTimer() { return c.m_reconnectTimer; }
    QTimer *connectionTimer() { return c.m_connectionTimer; }
    QTimer *hostDataTimer() { return c.m_hostDataTimer; }
    // The time one turn parses the host's data; 0 makes every record,
    // command and subnegotiation from the socket wait for its own turn.
    int &hostTurnMs() { return c.m_hostTurnMs; }
    QTimer *sessionUpTimer() { return c.m_sessionUpTimer; }
    QString &tlsProtocol() { return c.m_tlsProtocol; }
    // Where the current connection went, as a connection start records it.
    void setSessionTarget(const QString &host, int port, bool tls)
    {
        c.m_sessionHost = host;
        c.m_sessionPort = port;
        c.m_sessionTls = tls;
    }
    QString &tlsCipher() { return c.m_tlsCipher; }
    // In memory only, as the file would have it after a load.
    void setTypeAhead(bool on) { c.m_settings.assign(Settings::TypeAhead, on); }
    void setPasswordSaved(bool saved) { c.m_settings.assign(Settings::PasswordSaved, saved); }

    // Operations the interface never calls.
    void setStatus(const QString &text) { c.setStatus(text); }
    void setConnectionState(const QString &state) { c.setConnectionState(state); }
    void setLastError(const QString &category, const QString &detail) { c.setLastError(category, detail); }
    void appendDiagnostic(const QString &text) { c.appendDiagnostic(text); }
    void resetProtocolState() { c.resetProtocolState(); }
    void scheduleReconnect(const QString &reason) { c.scheduleReconnect(reason); }
    void startNegotiation() { c.startNegotiation(); }
    void sendRecord(quint8 opcode, const QByteArray &data, quint8 flags) { c.sendRecord(opcode, data, flags); }
    void sendAid(quint8 aid, int function, bool noData) { c.sendAid(aid, function, noData); }
    void drainTypeAhead() { c.drainTypeAhead(); }
    void maybeAutoLogin() { c.maybeAutoLogin(); }

private:
    Tn5250Client &c;
};

#endif
