// The protocol log (line format, size bound, literal texts, clearing) and
// the support report copied to the clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"

namespace {

// A text whose every position can be told apart from its neighbours, so
// that a cut one character off shows.
QString countingText(int length)
{
    QString text;
    text.reserve(length + 8);
    for (int i = 0; text.size() < length; ++i)
        text += QString::number(i % 10007) + QLatin1Char(',');
    text.truncate(length);
    return text;
}

const int STAMP = 11; // "[HH:mm:ss] "

} // namespace

class DiagnosticsTest : public QObject
{
    Q_OBJECT

private slots:
    void lineFormat();
    void percentSignsStayLiteral_data();
    void percentSignsStayLiteral();
    void boundKeepsTheTail_data();
    void boundKeepsTheTail();
    void boundAcrossSeveralLines();
    void clearDiagnostics();
    void supportReportFreshStart();
    void supportReportWithEverything_data();
    void supportReportWithEverything();
};

void DiagnosticsTest::lineFormat()
{
    Tn5250Client client;
    client.clearDiagnostics();
    QSignalSpy spy(&client, SIGNAL(diagnosticsChanged()));
    ClientProbe(client).appendDiagnostic(QStringLiteral("first"));
    ClientProbe(client).appendDiagnostic(QStringLiteral("second line"));
    QCOMPARE(spy.count(), 2);
    const QRegularExpression format(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] first\\n\\[\\d\\d:\\d\\d:\\d\\d\\] second line\\n$"));
    QVERIFY2(format.match(client.diagnostics()).hasMatch(), qPrintable(client.diagnostics()));
}

void DiagnosticsTest::percentSignsStayLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("%1") << "value %1 kept";
    QTest::newRow("%1 and %2") << "%2%1";
    QTest::newRow("a lone percent") << "zoom 125%";
    QTest::newRow("%L1 and %99") << "%L1 %99";
}

void DiagnosticsTest::percentSignsStayLiteral()
{
    QFETCH(QString, text);
    Tn5250Client client;
    client.clearDiagnostics();
    ClientProbe(client).appendDiagnostic(text);
    QCOMPARE(ProtocolStreams::logLines(client.diagnostics()), QStringList() << text);
}

void DiagnosticsTest::boundKeepsTheTail_data()
{
    QTest::addColumn<int>("textLength");
    QTest::addColumn<bool>("cut");
    // One line is STAMP + text + "\n".
    QTest::newRow("exactly 24 000 stays whole") << 24000 - STAMP - 1 << false;
    QTest::newRow("24 001 is cut to 18 000") << 24001 - STAMP - 1 << true;
    QTest::newRow("far beyond the bound") << 100000 << true;
    QTest::newRow("18 000 stays whole") << 18000 - STAMP - 1 << false;
}

void DiagnosticsTest::boundKeepsTheTail()
{
    QFETCH(int, textLength);
    QFETCH(bool, cut);
    Tn5250Client client;
    client.clearDiagnostics();
    const QString text = countingText(textLength);
    ClientProbe(client).appendDiagnostic(text);
    const QString log = client.diagnostics();
    if (cut) {
        QCOMPARE(log.size(), 18000);
        QCOMPARE(log, text.right(17999) + QLatin1Char('\n'));
    } else {
        QCOMPARE(log.size(), textLength + STAMP + 1);
        QCOMPARE(log.mid(STAMP), text + QLatin1Char('\n'));
    }
}

void DiagnosticsTest::boundAcrossSeveralLines()
{
    Tn5250Client client;
    client.clearDiagnostics();
    QString expected;
    for (int i = 0; i < 2000; ++i) {
        const QString text = QStringLiteral("line %1 %2").arg(i).arg(countingText(i % 37));
        ClientProbe(client).appendDiagnostic(text);
        // The stamps are the same length whatever the time: rebuild the
        // expected log from the real one's last line.
        const QString log = client.diagnostics();
        QVERIFY(log.size() <= 24000);
        QVERIFY(log.endsWith(QStringLiteral("] ") + text + QLatin1Char('\n')));
        expected += log.right(text.size() + STAMP + 1);
        if (expected.size() > 24000)
            expected = expected.right(18000);
        QCOMPARE(log, expected);
    }
    QVERIFY(expected.size() >= 18000);
}

void DiagnosticsTest::clearDiagnostics()
{
    Tn5250Client client;
    client.clearDiagnostics();
    QSignalSpy spy(&client, SIGNAL(diagnosticsChanged()));
    client.clearDiagnostics();
    QCOMPARE(spy.count(), 0);
    ClientProbe(client).appendDiagnostic(QStringLiteral("x"));
    client.clearDiagnostics();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(client.diagnostics(), QString());
}

void DiagnosticsTest::supportReportFreshStart()
{
    Tn5250Client client;
    client.setTlsEnabled(true);
    client.setTerminalZoom(1.25);
    client.setCodePage(37);
    client.setAutoReconnect(false);
    client.setAutoLogin(false);
    client.clearDiagnostics();
    QGuiApplication::clipboard()->clear();

    client.copyDiagnostics();
    const QStringList expected = QStringList()
        << QStringLiteral("Vantorel 1.0.0 support report")
        << QStringLiteral("Profile: ") + client.currentProfileName()
        << QStringLiteral("State: Disconnected")
        << QStringLiteral("Transport: TN5250/TLS")
        << QStringLiteral("Display: 24x80, cursor 1,1, zoom 125%")
        << QStringLiteral("Code page: ") + EbcdicCodec::codePageLabel(37)
        << QStringLiteral("Auto reconnect: off; auto sign-on: off; saved credential: no")
        << QStringLiteral("Records: 0; last record bytes: 0; input fields: 0")
        << QStringLiteral("Settings schema: 6")
        << QString()
        << QStringLiteral("Protocol log:")
        << QStringLiteral("(empty)");
    QCOMPARE(QGuiApplication::clipboard()->text().split(QLatin1Char('\n')), expected);
    QCOMPARE(client.status(), QStringLiteral("Support report copied"));
}

void DiagnosticsTest::supportReportWithEverything_data()
{
    QTest::addColumn<QString>("errorCategory");
    QTest::addColumn<QString>("tlsProtocol");
    QTest::addColumn<QString>("tlsCipher");
    QTest::addColumn<QStringList>("optional");

    QTest::newRow("error and TLS")
        << "Network" << "TLSv1.3" << "TLS_AES_256_GCM_SHA384"
        << (QStringList() << "Last error: Network — Connection refused" << "TLS: TLSv1.3 / TLS_AES_256_GCM_SHA384");
    QTest::newRow("error only") << "Network" << QString() << QString()
                                << (QStringList() << "Last error: Network — Connection refused");
    QTest::newRow("TLS cipher only") << QString() << QString() << "TLS_AES_128_GCM_SHA256"
                                     << (QStringList() << "TLS:  / TLS_AES_128_GCM_SHA256");
    QTest::newRow("neither") << QString() << QString() << QString() << QStringList();
}

void DiagnosticsTest::supportReportWithEverything()
{
    QFETCH(QString, errorCategory);
    QFETCH(QString, tlsProtocol);
    QFETCH(QString, tlsCipher);
    QFETCH(QStringList, optional);

    Tn5250Client client;
    ClientProbe probe(client);
    client.setTlsEnabled(false);
    client.setTerminalZoom(0.875);
    client.setAutoReconnect(true);
    client.setAutoLogin(true);
    probe.setPasswordSaved(true);
    ClientProbe(client).setLastError(errorCategory, errorCategory.isEmpty() ? QString() : QStringLiteral("Connection refused"));
    probe.tlsProtocol() = tlsProtocol;
    probe.tlsCipher() = tlsCipher;
    receiveRecord(client, ProtocolStreams::record(
        0x03, ProtocolStreams::hex("04 20 00 04 11 00 08 11 02 03 1D 40 00 24 00 05 13 02 04")));
    client.clearDiagnostics();
    ClientProbe(client).appendDiagnostic(QStringLiteral("  first  "));
    ClientProbe(client).appendDiagnostic(QStringLiteral("last"));

    client.copyDiagnostics();
    const QStringList report = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QStringList expected = QStringList()
        << QStringLiteral("Vantorel 1.0.0 support report")
        << QStringLiteral("Profile: ") + client.currentProfileName()
        << QStringLiteral("State: Ready")
        << QStringLiteral("Transport: TN5250")
        << QStringLiteral("Display: 27x132, cursor 2,4, zoom 88%")
        << QStringLiteral("Code page: ") + EbcdicCodec::codePageLabel(client.codePage())
        << QStringLiteral("Auto reconnect: on; auto sign-on: on; saved credential: yes")
        << QStringLiteral("Records: 1; last record bytes: 29; input fields: 1");
    expected << optional;
    expected << QStringLiteral("Settings schema: 6") << QString() << QStringLiteral("Protocol log:");
    QCOMPARE(report.mid(0, expected.size()), expected);
    // The log follows, trimmed at both ends.
    const QStringList log = report.mid(expected.size());
    QCOMPARE(log.size(), 2);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\]   first  $")).match(log.at(0)).hasMatch(),
             qPrintable(log.at(0)));
    QVERIFY(log.at(1).endsWith(QStringLiteral("] last")));
}

QTEST_MAIN(DiagnosticsTest)
#include "tst_diagnostics.moc"
