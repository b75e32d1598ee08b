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

QString pathFor(const QString &applicationDirPath, const QString &filename)
{
    const QString data = dataDirectoryFor(applicationDirPath);
#if defined(VANTOREL_SOURCE_DIR) && defined(VANTOREL_BINARY_DIR)
    // A build-tree run: what the build makes (the compiled translations)
    // is in the build tree, everything else in the source tree.
    if (data == QLatin1String(VANTOREL_SOURCE_DIR)) {
        const QString built = QDir(QStringLiteral(VANTOREL_BINARY_DIR)).absoluteFilePath(filename);
        if (QFileInfo::exists(built))
            return built;
    }
#endif
    return QDir(data).absoluteFilePath(filename);
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
    return QUrl::fromLocalFile(SailfishAppStandIn::pathFor(QCoreApplication::applicationDirPath(), filename));
}

} // namespace SailfishApp
