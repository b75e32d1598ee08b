// The stand-in for the platform's application library must find the main
// QML file where the phone's library would (an installed tree) and, on the
// desktop, from a build tree too.
#include <QDir>
#include <QFile>
#include <QQmlEngine>
#include <QQuickView>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <sailfishapp.h>
#include <sailfishapp_standin.h>

class SailfishAppTest : public QObject
{
    Q_OBJECT

private slots:
    void installedTreeWins();
    void buildTreeFallsBackToTheSources();
    void buildTreeServesWhatTheBuildMade();
    void installedTreeIgnoresTheBuildTree();
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

// The compiled translations exist only in the build tree; the QML only in
// the source tree.
void SailfishAppTest::buildTreeServesWhatTheBuildMade()
{
    QTemporaryDir build;
    QVERIFY(build.isValid());
    const QString applicationDir = build.path() + QStringLiteral("/bin");
    QTemporaryFile made(QStringLiteral(VANTOREL_BINARY_DIR "/standin-test-XXXXXX"));
    QVERIFY(made.open());
    const QString madeName = QFileInfo(made.fileName()).fileName();
    QCOMPARE(SailfishAppStandIn::pathFor(applicationDir, madeName),
             QStringLiteral(VANTOREL_BINARY_DIR "/") + madeName);
    QCOMPARE(SailfishAppStandIn::pathFor(applicationDir, QStringLiteral("qml/harbour-vantorel.qml")),
             QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml"));
}

void SailfishAppTest::installedTreeIgnoresTheBuildTree()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/harbour-vantorel/qml")));
    QTemporaryFile made(QStringLiteral(VANTOREL_BINARY_DIR "/standin-test-XXXXXX"));
    QVERIFY(made.open());
    const QString madeName = QFileInfo(made.fileName()).fileName();
    QCOMPARE(SailfishAppStandIn::pathFor(prefix.path() + QStringLiteral("/bin"), madeName),
             prefix.path() + QStringLiteral("/share/harbour-vantorel/") + madeName);
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
