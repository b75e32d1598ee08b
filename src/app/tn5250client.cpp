// Construction and destruction of the client. The members start from their
// defaults (the settings table's for every preference, the host a public
// IBM i server), the timers are single-shot children, and the settings
// file is loaded last.
#include "app/tn5250client.h"

#include <QTimer>

Tn5250Client::Tn5250Client(QObject *parent)
    : QObject(parent)
    , m_status(QStringLiteral("Disconnected"))
    , m_connectionState(QStringLiteral("Disconnected"))
    , m_reconnectTimer(new QTimer(this))
    , m_connectionTimer(new QTimer(this))
    , m_hostDataTimer(new QTimer(this))
    , m_sessionUpTimer(new QTimer(this))
{
    m_reconnectTimer->setSingleShot(true);
    m_connectionTimer->setSingleShot(true);
    connect(m_reconnectTimer, SIGNAL(timeout()), this, SLOT(reconnectTimeout()));
    connect(m_connectionTimer, SIGNAL(timeout()), this, SLOT(connectionTimeout()));
    // The next turn's share of the host's data; not a slot, so that the
    // published interface keeps its methods.
    m_hostDataTimer->setSingleShot(true);
    m_hostDataTimer->setInterval(0);
    connect(m_hostDataTimer, &QTimer::timeout, this, [this]() { readHostData(); });
    // Not a slot: the published interface keeps its entries (tests fire the
    // timer's own signal).
    m_sessionUpTimer->setSingleShot(true);
    connect(m_sessionUpTimer, &QTimer::timeout, this, &Tn5250Client::sessionStayedUp);
    loadSettings();
}

Tn5250Client::~Tn5250Client()
{
    disconnectFromHost();
}
