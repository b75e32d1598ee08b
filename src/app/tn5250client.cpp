#include "app/tn5250client.h"

#include <QTimer>

namespace {

// The host a first start offers: a public IBM i server, so that a new user
// can try the application before entering a host of their own.
const char DEFAULT_HOST[] = "pub400.com";

} // namespace

QString Tn5250Client::defaultHost()
{
    return QLatin1String(DEFAULT_HOST);
}

Tn5250Client::Tn5250Client(QObject *parent)
    : QObject(parent)
    , m_status(QStringLiteral("Disconnected"))
    , m_connectionState(QStringLiteral("Disconnected"))
    , m_reconnectTimer(new QTimer(this))
    , m_connectionTimer(new QTimer(this))
{
    m_host = defaultHost();
    m_reconnectTimer->setSingleShot(true);
    m_connectionTimer->setSingleShot(true);
    connect(m_reconnectTimer, SIGNAL(timeout()), this, SLOT(reconnectTimeout()));
    connect(m_connectionTimer, SIGNAL(timeout()), this, SLOT(connectionTimeout()));
    loadSettings();
}

Tn5250Client::~Tn5250Client()
{
    disconnectFromHost();
}
