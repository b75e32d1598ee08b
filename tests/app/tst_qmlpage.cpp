// The page the application loads must load: every binding it has resolves
// against the client's published interface, and it shows the terminal item
// bound to the client. A misspelt property in the QML is caught here instead
// of on the phone.

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QtQml>
#include <QtTest>

#include "app/tn5250client.h"
#include "view/qmltypes.h"
#include "view/terminalitem.h"

class TestQmlPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageLoadsWithoutWarnings();

private:
    QTemporaryDir m_config;
};

void TestQmlPage::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    registerQmlTypes();
}

void TestQmlPage::pageLoadsWithoutWarnings()
{
    Tn5250Client client;
    QQmlEngine engine;
    QList<QQmlError> warnings;
    connect(&engine, &QQmlEngine::warnings, [&warnings](const QList<QQmlError> &list) {
        warnings += list;
    });
    engine.rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);

    QQmlComponent component(&engine, QUrl::fromLocalFile(
        QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    QScopedPointer<QObject> root(component.create());
    QVERIFY2(root, qPrintable(component.errorString()));

    // Exercise the bindings that depend on the screen and the connection state.
    client.showDisplayTest();
    QCoreApplication::processEvents();

    QString text;
    for (const QQmlError &error : warnings)
        text += error.toString() + QLatin1Char('\n');
    QVERIFY2(warnings.isEmpty(), qPrintable(text));

    TerminalItem *terminal = root->findChild<TerminalItem *>();
    QVERIFY(terminal);
    QCOMPARE(terminal->client(), &client);
}

QTEST_MAIN(TestQmlPage)
#include "tst_qmlpage.moc"
