// TLS connections against the demo host with certificates made for this run:
// an unknown authority and a wrong host name each stop the connection for
// good; a trusted chain reaches "Ready" and fills the six TLS details; a
// handshake that never finishes times out.

#include <QPointer>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QSslCipher>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "common/silenthost.h"
#include "common/testcertificates.h"
#include "demohost.h"

using namespace ConnectionTest;

class TestTls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void validationFailure_data();
    void validationFailure();
    void trustedCertificateReachesReady();
    void handshakeTimeout_data();
    void handshakeTimeout();
    void tlsAgainstPlainHost_data();
    void tlsAgainstPlainHost();

private:
    TestCertificates m_certificates;
    QScopedPointer<QTemporaryDir> m_config;
};

void TestTls::initTestCase()
{
    QString error;
    QVERIFY2(m_certificates.create(&error), qPrintable(error));
}

void TestTls::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestTls::cleanup()
{
    m_certificates.restoreDefault();
}

void TestTls::validationFailure_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("trustAuthority");
    QTest::addColumn<QList<int> >("errors");
    QTest::addColumn<QString>("subject");
    QTest::newRow("unknown certificate authority")
        << int(TestCertificates::SelfSigned) << false
        << (QList<int>() << int(QSslError::SelfSignedCertificate)) << "self-signed.invalid";
    QTest::newRow("host name does not match")
        << int(TestCertificates::WrongName) << true
        << (QList<int>() << int(QSslError::HostNameMismatch)) << "wrong-name.invalid";
}

void TestTls::validationFailure()
{
    QFETCH(int, kind);
    QFETCH(bool, trustAuthority);
    QFETCH(QList<int>, errors);
    QFETCH(QString, subject);
    if (trustAuthority)
        m_certificates.trustAuthority();

    DemoHost host;
    host.setTlsCredentials(m_certificates.certificate(TestCertificates::Kind(kind)),
                           m_certificates.key(TestCertificates::Kind(kind)));
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    // Automatic reconnect on: a certificate problem must still not retry.
    configure(client, host.serverPort(), true, true);
    ConnectionWatch watch(&client);

    client.connectToHost();
    QTRY_COMPARE(client.lastErrorCategory(), QStringLiteral("TLS certificate validation"));
    QStringList texts;
    for (int error : errors)
        texts << QSslError(QSslError::SslError(error)).errorString();
    const QString detail = texts.join(QStringLiteral("; "));
    QCOMPARE(client.lastErrorDetail(), detail);
    QCOMPARE(client.connectionState(), QStringLiteral("Error"));
    QCOMPARE(client.status(), QStringLiteral("TLS certificate validation failed"));
    QVERIFY(logLines(client).contains(QStringLiteral("TLS certificate validation failed: %1").arg(detail)));
    QVERIFY(!probe.reconnectTimer()->isActive());
    QVERIFY(!probe.connectionTimer()->isActive());
    // The certificate that failed is shown.
    QCOMPARE(client.tlsPeerSubject(), subject);

    // The socket closes; that changes neither the verdict nor the plan.
    QTRY_VERIFY(!probe.socket());
    QTRY_COMPARE(host.openSessionCount(), 0);
    QCOMPARE(client.connectionState(), QStringLiteral("Error"));
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("TLS certificate validation"));
    QCOMPARE(client.status(), QStringLiteral("TLS certificate validation failed"));
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.reconnectAttempt(), 0);
    QVERIFY(!client.connected());
    QVERIFY(!watch.states().contains(QStringLiteral("Negotiating")));
    QVERIFY(!watch.states().contains(QStringLiteral("Reconnect wait")));
    // The host never got as far as a telnet session.
    QVERIFY(host.terminalType().isEmpty());
}

void TestTls::trustedCertificateReachesReady()
{
    m_certificates.trustAuthority();
    DemoHost host;
    host.setTlsCredentials(m_certificates.certificate(TestCertificates::Server),
                           m_certificates.key(TestCertificates::Server));
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), true, false);
    ConnectionWatch watch(&client);
    const QList<QSslCertificate> defaultAuthorities = QSslConfiguration::defaultConfiguration().caCertificates();

    client.connectToHost();
    // Verification is on, against the host name, with only what the process
    // trusts anyway: the client adds no authority of its own.
    QSslSocket *socket = qobject_cast<QSslSocket *>(probe.socket().data());
    QVERIFY(socket);
    QCOMPARE(socket->peerVerifyMode(), QSslSocket::VerifyPeer);
    QCOMPARE(socket->peerVerifyName(), QStringLiteral("127.0.0.1"));
    QCOMPARE(socket->sslConfiguration().caCertificates(), defaultAuthorities);

    QTRY_COMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(watch.states(), QStringList() << "Connecting" << "Negotiating" << "Ready");
    QVERIFY(client.lastErrorCategory().isEmpty());
    QCOMPARE(socket->socketOption(QAbstractSocket::KeepAliveOption).toInt(), 1);

    const QSslCertificate certificate = m_certificates.certificate(TestCertificates::Server);
    QVERIFY(!client.tlsProtocol().isEmpty());
    QVERIFY(!client.tlsCipher().isEmpty());
    QCOMPARE(client.tlsProtocol(), socket->sessionCipher().protocolString());
    QCOMPARE(client.tlsCipher(), socket->sessionCipher().name());
    // Two common names, joined; the authority has only an organisation.
    QStringList subjects = client.tlsPeerSubject().split(QStringLiteral(", "));
    subjects.sort();
    QCOMPARE(subjects, QStringList() << "demo.host.one" << "demo.host.two");
    QCOMPARE(client.tlsPeerIssuer(), QStringLiteral("Vantorel Test Authority"));
    QCOMPARE(client.tlsValidFrom(), certificate.effectiveDate().toString(Qt::ISODate));
    QCOMPARE(client.tlsValidTo(), certificate.expiryDate().toString(Qt::ISODate));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d")).match(client.tlsValidTo()).hasMatch());
    QVERIFY(logLines(client).contains(
        QStringLiteral("TLS established (%1 / %2)").arg(client.tlsProtocol(), client.tlsCipher())));

    // A new attempt starts with empty details.
    QSignalSpy info(&client, SIGNAL(connectionInfoChanged()));
    client.setTlsEnabled(false);
    client.setPort(unusedPort());
    client.connectToHost();
    QVERIFY(client.tlsProtocol().isEmpty());
    QVERIFY(client.tlsCipher().isEmpty());
    QVERIFY(client.tlsPeerSubject().isEmpty());
    QVERIFY(client.tlsPeerIssuer().isEmpty());
    QVERIFY(client.tlsValidFrom().isEmpty());
    QVERIFY(client.tlsValidTo().isEmpty());
    QVERIFY(info.count() >= 1);
}

void TestTls::handshakeTimeout_data()
{
    addAutoReconnectRows();
}

void TestTls::handshakeTimeout()
{
    QFETCH(bool, autoReconnect);
    SilentHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.port(), true, autoReconnect);
    ConnectionWatch watch(&client);

    client.connectToHost();
    QTRY_COMPARE(host.acceptedCount(), 1);
    QTRY_COMPARE(probe.socket()->state(), QAbstractSocket::ConnectedState);
    // TCP is up, the handshake is not: the 15 seconds still run.
    QVERIFY(probe.connectionTimer()->isActive());
    QCOMPARE(probe.connectionTimer()->interval(), 15000);
    QCOMPARE(client.connectionState(), QStringLiteral("Connecting"));

    probe.connectionTimer()->stop();
    QVERIFY(QMetaObject::invokeMethod(&client, "connectionTimeout"));
    // Said as what it is: the port took the connection but no handshake.
    const QString category = QStringLiteral("TLS handshake timeout");
    QCOMPARE(client.lastErrorCategory(), category);
    QCOMPARE(client.lastErrorDetail(), QStringLiteral("The server did not answer the TLS handshake within 15 seconds "
                                                      "(the port may not be a TLS port)"));
    QVERIFY(watch.statuses().contains(
        QStringLiteral("The server did not answer the TLS handshake (the port may not be a TLS port)")));
    const QStringList log = logLines(client);
    QVERIFY(log.contains(QStringLiteral("TLS handshake not answered within 15 seconds")));
    // The abort closed the socket; the close did not overwrite the timeout.
    QVERIFY(log.contains(QStringLiteral("Connection closed unexpectedly")));
    QVERIFY(!probe.socket());
    QVERIFY(!client.connected());
    if (autoReconnect) {
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
        QVERIFY(log.contains(QStringLiteral("Reconnect attempt 1 scheduled in 2 s (timeout)")));
        QCOMPARE(client.status(), QStringLiteral("Connection lost — reconnecting in 2 s"));
        QCOMPARE(probe.reconnectTimer()->interval(), 2000);
    } else {
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
        QCOMPARE(client.status(), QStringLiteral("Disconnected — %1").arg(category));
        QVERIFY(!probe.reconnectTimer()->isActive());
    }
    QTRY_COMPARE(host.peerClosedCount(), 1);
    QCOMPARE(client.lastErrorCategory(), category);
}

void TestTls::tlsAgainstPlainHost_data()
{
    addAutoReconnectRows();
}

// A TLS profile pointed at a port that answers in plain text: what comes
// back is no TLS record, so the handshake fails. Waiting does not mend that:
// with or without automatic reconnect the attempt ends in "Error", also
// after the close that follows, and nothing is scheduled.
void TestTls::tlsAgainstPlainHost()
{
    QFETCH(bool, autoReconnect);
    SilentHost host;
    host.setGreeting("This port speaks plain text only.\r\n");
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.port(), true, autoReconnect);
    ConnectionWatch watch(&client);

    client.connectToHost();
    QTRY_COMPARE(client.lastErrorCategory(), QStringLiteral("TLS handshake failed"));
    const QString status = QStringLiteral("TLS handshake failed: %1").arg(client.lastErrorDetail());
    QVERIFY(watch.statuses().contains(status));
    QTRY_VERIFY(!probe.socket());
    QVERIFY(logLines(client).contains(QStringLiteral("Connection closed unexpectedly")));
    QCOMPARE(watch.states(), QStringList() << "Connecting" << "Error");
    QCOMPARE(client.status(), status);
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.reconnectAttempt(), 0);
    QVERIFY(!client.connected());
}

QTEST_GUILESS_MAIN(TestTls)
#include "tst_tls.moc"
