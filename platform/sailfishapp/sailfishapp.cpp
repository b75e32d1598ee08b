#include "sailfishapp.h"
#include "sailfishapp_standin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickView>

namespace {

const char APPLICATION_NAME[] = "harbour-vantorel";

QString dataDirectory()
{
    return SailfishAppStandIn::dataDirectoryFor(QCoreApplication::applicationDirPath());
}

} // namespace

namespace SailfishAppStandIn {

QString dataDirectoryFor(const QString &applicationDirPath)
{
    // <prefix>/bin/<app> reads its data from <prefix>/share/<app>.
    QDir prefix(applicationDirPath);
    prefix.cdUp();
    const QString installed = prefix.absoluteFilePath(QStringLiteral("share/") + QLatin1String(APPLICATION_NAME));
    if (QFileInfo::exists(installed + QStringLiteral("/qml")))
        return installed;
#ifdef VANTOREL_SOURCE_DIR
    // Run from a build tree: the QML lives in the source tree.
    const QString source = QStringLiteral(VANTOREL_SOURCE_DIR);
    if (QFileInfo::exists(source + QStringLiteral("/qml")))
        return source;
#endif
    return installed;
}

} // namespace SailfishAppStandIn

namespace SailfishApp {

QGuiApplication *application(int &argc, char **argv)
{
    return new QGuiApplication(argc, argv);
}

QQuickView *createView()
{
    QQuickView *view = new QQuickView;
    view->engine()->addImportPath(dataDirectory());
    view->setResizeMode(QQuickView::SizeRootObjectToView);
    return view;
}

QUrl pathTo(const QString &filename)
{
    return QUrl::fromLocalFile(QDir(dataDirectory()).absoluteFilePath(filename));
}

} // namespace SailfishApp
