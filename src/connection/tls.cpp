// TLS: the end of the handshake, certificate validation failures and the six
// read-only details (protocol, cipher, peer subject and issuer, validity)
// that the interface and the support report show.
//
// The socket made in lifecycle.cpp verifies the chain against the platform's
// certificate authorities and the host name against the profile's host.
// There is deliberately no way to accept a certificate that fails: a failure
// ends the attempt, and no reconnect is scheduled until the user connects
// again, since waiting does not mend a certificate.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>
#include <QSslCertificate>
#include <QSslCipher>
#include <QSslSocket>
#include <QStringList>
#include <QTimer>

namespace {

// Common names, or the organisation when a certificate has no common name.
QString certificateNames(const QStringList &commonNames, const QStringList &organisations)
{
    return (commonNames.isEmpty() ? organisations : commonNames).join(QStringLiteral(", "));
}

} // namespace

void Tn5250Client::socketEncrypted()
{
    QSslSocket *origin = qobject_cast<QSslSocket *>(sender());
    if (!origin || !m_socket || origin != m_socket.data())
        return;
    m_connectionTimer->stop();
    enableKeepAlive(origin);
    updateTlsDetails();

    QStringList parts;
    if (!m_tlsProtocol.isEmpty())
        parts << m_tlsProtocol;
    if (!m_tlsCipher.isEmpty())
        parts << m_tlsCipher;
    appendDiagnostic(QStringLiteral("TLS established%1")
                         .arg(parts.isEmpty() ? QString()
                                              : QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(" / ")))));
    startNegotiation();
}

void Tn5250Client::sslErrors(const QList<QSslError> &errors)
{
    QSslSocket *origin = qobject_cast<QSslSocket *>(sender());
    if (!origin || !m_socket || origin != m_socket.data())
        return;
    m_connectionTimer->stop();

    QStringList texts;
    for (const QSslError &error : errors)
        texts << error.errorString();
    const QString joined = texts.join(QStringLiteral("; "));

    m_connectionErrorReported = true;
    m_tlsValidationFailed = true;
    // Filled first so that the interface can show the certificate that failed.
    updateTlsDetails();
    setLastError(tr("TLS certificate validation"), joined);
    appendDiagnostic(QStringLiteral("TLS certificate validation failed: %1").arg(joined));
    setConnectionState(QStringLiteral("Error"));
    setStatus(tr("TLS certificate validation failed"));
    // The socket stays current; its error and close that follow are handled
    // by the lifecycle, which schedules nothing after a validation failure.
    origin->abort();
}

void Tn5250Client::updateTlsDetails()
{
    QSslSocket *socket = qobject_cast<QSslSocket *>(m_socket.data());
    if (!socket)
        return;
    const QSslCipher cipher = socket->sessionCipher();
    m_tlsCipher = cipher.name();
    m_tlsProtocol = cipher.protocolString();

    const QSslCertificate certificate = socket->peerCertificate();
    if (!certificate.isNull()) {
        m_tlsPeerSubject = certificateNames(certificate.subjectInfo(QSslCertificate::CommonName),
                                            certificate.subjectInfo(QSslCertificate::Organization));
        m_tlsPeerIssuer = certificateNames(certificate.issuerInfo(QSslCertificate::CommonName),
                                           certificate.issuerInfo(QSslCertificate::Organization));
        m_tlsValidFrom = certificate.effectiveDate().toString(Qt::ISODate);
        m_tlsValidTo = certificate.expiryDate().toString(Qt::ISODate);
    }
    emit connectionInfoChanged();
}

void Tn5250Client::resetTlsDetails()
{
    m_tlsProtocol.clear();
    m_tlsCipher.clear();
    m_tlsPeerSubject.clear();
    m_tlsPeerIssuer.clear();
    m_tlsValidFrom.clear();
    m_tlsValidTo.clear();
    emit connectionInfoChanged();
}
