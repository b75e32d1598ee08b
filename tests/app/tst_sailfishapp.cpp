// The stand-in for the platform's application library must find the main
// QML file where the phone's library would (an installed tree) and, on the
// desktop, from a build tree too.
#include <QDir>
#include <QFile>
#include <QQmlEngine>
#include <QQuickView>
#include <QTemporaryDir>
#include <QtTest>

#include <sailfishapp.h>
#include <sailfishapp_standin.h>

class SailfishAppTest : public QObject
{
    Q_OBJECT

private slots:
    void installedTreeWins();
    void buildTreeFallsBackToTheSources();
    void pathToNamesTheMainQmlFile();
    void viewImportsFromTheDataDirectory();
};

void SailfishAppTest::installedTreeWins()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/harbour-vantorel/qml")));
    QCOMPARE(SailfishAppStandIn::dataDirectoryFor(prefix.path() + QStringLiteral("/bin")),
             prefix.path() + QStringLiteral("/share/harbour-vantorel"));
}

void SailfishAppTest::buildTreeFallsBackToTheSources()
{
    QTemporaryDir build;
    QVERIFY(build.isValid());
    QCOMPARE(SailfishAppStandIn::dataDirectoryFor(build.path() + QStringLiteral("/bin")),
             QStringLiteral(VANTOREL_SOURCE_DIR));
}

void SailfishAppTest::pathToNamesTheMainQmlFile()
{
    const QUrl url = SailfishApp::pathTo(QStringLiteral("qml/harbour-vantorel.qml"));
    QVERIFY(url.isLocalFile());
    QVERIFY2(QFile::exists(url.toLocalFile()), qPrintable(url.toString()));
    QVERIFY(url.toLocalFile().endsWith(QLatin1String("/qml/harbour-vantorel.qml")));
}

void SailfishAppTest::viewImportsFromTheDataDirectory()
{
    QScopedPointer<QQuickView> view(SailfishApp::createView());
    QVERIFY(view);
    const QString dataDirectory = SailfishAppStandIn::dataDirectoryFor(QCoreApplication::applicationDirPath());
    QVERIFY(view->engine()->importPathList().contains(dataDirectory));
}

QTEST_MAIN(SailfishAppTest)
#include "tst_sailfishapp.moc"
