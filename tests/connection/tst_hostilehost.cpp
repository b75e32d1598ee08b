// The client against a broken or hostile demo host (DemoHost's hostile
// modes) over real TCP, and against a host that drops the connection a
// hundred times: every case ends in a state the user can read, nothing
// loops, nothing piles up.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "demohost.h"
#include "demosession.h"

using namespace ConnectionTest;

namespace {

// Resident memory of this process in KB, from /proc (0 when unreadable).
qint64 residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * 4 : 0;
}

bool underAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

int countLines(const QStringList &lines, const QString &part)
{
    int count = 0;
    for (const QString &line : lines)
        count += line.contains(part) ? 1 : 0;
    return count;
}

} // namespace

class TestHostileHost : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hostileModes_data();
    void hostileModes();
    void hundredDropsWithReconnect();

private:
    QScopedPointer<QTemporaryDir> m_config;
};

void TestHostileHost::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestHostileHost::hostileModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("signOnShown");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("logged");

    QTest::newRow("data without end of record: dropped, then the session goes on")
        << int(HostileModes::NoEndOfRecord) << true << "Ready" << ""
        << "Dropped oversized TN5250 record (more than 65535 bytes without IAC EOR)";
    QTest::newRow("endless subnegotiation: dropped, then the session goes on")
        << int(HostileModes::EndlessSubnegotiation) << true << "Ready" << ""
        << "Dropped oversized telnet subnegotiation (more than 65535 bytes without IAC SE)";
    QTest::newRow("one byte at a time") << int(HostileModes::SlowDrip) << true << "Ready" << ""
                                        << "RX opcode 0x03";
    QTest::newRow("every WILL and DO repeated: answered once each")
        << int(HostileModes::RepeatNegotiation) << true << "Ready" << "" << "RX opcode 0x03";
    QTest::newRow("drop in the middle of a record")
        << int(HostileModes::DropMidRecord) << false << "Reconnect wait" << "Remote host closed connection"
        << "Connection closed unexpectedly";
    QTest::newRow("closed as soon as accepted") << int(HostileModes::CloseAtOnce) << false << "Reconnect wait"
                                                << "Remote host closed connection" << "Connection closed unexpectedly";
    QTest::newRow("Read Screen flood never read: the connection ends")
        << int(HostileModes::ReadScreenFlood) << false << "Error" << "Host not reading"
        << "Host is not reading: ";
}

void TestHostileHost::hostileModes()
{
    QFETCH(int, mode);
    QFETCH(bool, signOnShown);
    QFETCH(QString, state);
    QFETCH(QString, category);
    QFETCH(QString, logged);

    DemoHost host;
    host.setHostileMode(HostileModes::Mode(mode));
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    // Automatic reconnect on: the cases that end must end for good or with
    // a scheduled retry, never in a loop of their own.
    configure(client, host.serverPort(), false, true);
    client.connectToHost();

    if (signOnShown) {
        QTRY_VERIFY_WITH_TIMEOUT(client.terminalText().contains(QStringLiteral("Sign On")), 60000);
        QTRY_COMPARE(client.connectionState(), state);
        QVERIFY(client.lastErrorCategory().isEmpty());
    } else {
        QTRY_VERIFY2_WITH_TIMEOUT(client.lastErrorCategory() == category,
                                  qPrintable(logLines(client).join(QLatin1Char('\n')) + host.logLines().join(QLatin1Char('\n'))), 20000);
        QVERIFY(!client.connected());
        QVERIFY(!probe.socket());
        QVERIFY(!client.terminalText().contains(QStringLiteral("Sign On")));
        // A host that does not read is not retried; a drop is.
        QCOMPARE(client.connectionState(), state);
        QCOMPARE(probe.reconnectTimer()->isActive(), state != QLatin1String("Error"));
    }
    const QStringList lines = logLines(client);
    QVERIFY2(countLines(lines, logged) > 0, qPrintable(lines.join(QLatin1Char('\n'))));
    if (mode == HostileModes::RepeatNegotiation) {
        // Each of the terminal's offers and agreements was confirmed once
        // more; a terminal answering confirmations would have made the host
        // repeat until it gave up.
        const QStringList hostLines = host.logLines();
        QVERIFY(countLines(hostLines, QStringLiteral("Hostile: repeated")) <= 12);
        QCOMPARE(countLines(hostLines, QStringLiteral("giving up")), 0);
    }
    if (mode == HostileModes::ReadScreenFlood) {
        // The answers of each record were bounded, and the rest said so.
        QVERIFY(countLines(lines, QStringLiteral("Skipped ")) > 0);
        QCOMPARE(client.status(), QStringLiteral("Host not reading: More than 4 MB of the terminal's output waited unsent"));
    }
    client.disconnectFromHost();
}

// A hundred times: the host drops the session on the sign-on screen, and the
// client's scheduled reconnect (started at once here instead of after its
// delay) gets the sign-on screen back.
void TestHostileHost::hundredDropsWithReconnect()
{
    DemoHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), false, true);
    const int timers = client.findChildren<QTimer *>().size();
    client.connectToHost();

    qint64 residentAfterWarmUp = 0;
    for (int cycle = 1; cycle <= 100; ++cycle) {
        QTRY_COMPARE(client.connectionState(), QStringLiteral("Ready"));
        QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
        QCOMPARE(host.openSessionCount(), 1);
        host.closeSessions();
        QTRY_VERIFY(probe.reconnectTimer()->isActive());
        QCOMPARE(client.lastErrorCategory(), QStringLiteral("Remote host closed connection"));
        QVERIFY(!probe.socket());
        QVERIFY(!client.terminalText().contains(QStringLiteral("Sign On")));
        // The closed sockets are gone once their deferred deletes ran.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(client.findChildren<QAbstractSocket *>().size(), 0);
        QCOMPARE(client.findChildren<QTimer *>().size(), timers);
        QVERIFY(!probe.connectionTimer()->isActive());
        if (cycle == 20)
            residentAfterWarmUp = residentKilobytes();
        probe.reconnectTimer()->start(0);
    }
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(host.sessionCount(), 101);
    // None of the sessions stayed up long enough to reset the back-off; the
    // last one does once its wait is over (cut short here).
    QCOMPARE(client.reconnectAttempt(), 100);
    QVERIFY(probe.sessionUpTimer()->isActive());
    probe.sessionUpTimer()->start(0);
    QTRY_COMPARE(client.reconnectAttempt(), 0);
    // The protocol log keeps its bound however many sessions it saw.
    QVERIFY(client.diagnostics().size() <= 24000);
    if (!underAddressSanitizer() && residentAfterWarmUp > 0) {
        // Eighty more sessions may cost the allocator some slack, not a
        // session's worth of memory each.
        const qint64 growth = residentKilobytes() - residentAfterWarmUp;
        QVERIFY2(growth < 8 * 1024, qPrintable(QStringLiteral("grew by %1 KB").arg(growth)));
    }
    client.disconnectFromHost();
}

QTEST_GUILESS_MAIN(TestHostileHost)
#include "tst_hostilehost.moc"
