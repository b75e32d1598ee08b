// PROVISIONAL STUB: replaced by the real implementation.
// (setStatus, setConnectionState, setLastError, clearSessionPresentation and
// resetProtocolState below are final.)
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QString Tn5250Client::connectionStateLabel() const { return m_connectionState; }
bool Tn5250Client::reconnecting() const { return false; }
void Tn5250Client::connectToHost() {}
void Tn5250Client::disconnectFromHost() {}
void Tn5250Client::beginConnection(bool) {}
void Tn5250Client::dropSocket(bool) {}
void Tn5250Client::socketConnected() {}
void Tn5250Client::socketDisconnected() {}
void Tn5250Client::socketError() {}
void Tn5250Client::connectionTimeout() {}

void Tn5250Client::setStatus(const QString &text)
{
    if (text == m_status)
        return;
    m_status = text;
    emit statusChanged();
}

void Tn5250Client::setConnectionState(const QString &state)
{
    if (state == m_connectionState)
        return;
    m_connectionState = state;
    emit connectionInfoChanged();
}

void Tn5250Client::setLastError(const QString &category, const QString &detail)
{
    if (category == m_lastErrorCategory && detail == m_lastErrorDetail)
        return;
    m_lastErrorCategory = category;
    m_lastErrorDetail = detail;
    emit connectionInfoChanged();
}

// Empties what the interface shows of the last host connection.
void Tn5250Client::clearSessionPresentation()
{
    m_screen.clear(true);
    m_screen.keyboardLocked = true;
    m_screen.messageWaiting = false;
    m_savedScreens.clear();
    m_typeAheadQueue.clear();
    m_autoLoginAttempted = false;
    emit screenChanged();
}

// Back to the state before any host data: a new connection negotiates from
// scratch and starts on an empty, locked 24 x 80 screen.
void Tn5250Client::resetProtocolState()
{
    m_telnetState = 0;
    m_telnetCommand = 0;
    m_recordBuffer.clear();
    m_subnegotiationBuffer.clear();
    m_negotiationStarted = false;
    m_localBinary = false;
    m_remoteBinary = false;
    m_localEor = false;
    m_remoteEor = false;
    m_terminalTypeRequested = false;
    m_pendingReadMode = 0;
    m_rxRecordCount = 0;
    m_lastRecordBytes = 0;
    emit protocolStatsChanged();
    m_savedScreens.clear();
    m_typeAheadQueue.clear();
    m_autoLoginAttempted = false;
    m_typeAheadDraining = false;
    m_screen.resize(24, 80);
    m_screen.keyboardLocked = true;
    emit screenChanged();
}
