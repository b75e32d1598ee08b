#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QQmlContext>
#include <QQuickView>
#include <QScopedPointer>
#include <QTranslator>

#include <sailfishapp.h>

#include "app/tn5250client.h"
#include "app/translations.h"
#include "view/qmltypes.h"

int main(int argc, char *argv[])
{
    QScopedPointer<QGuiApplication> app(SailfishApp::application(argc, argv));
    QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));

    // The user's language, before anything shows a text: ours from the
    // installed translations, Qt's own (socket and TLS error details) from
    // Qt's, where the system has them.
    const QString translations = SailfishApp::pathTo(QStringLiteral("translations")).toLocalFile();
    if (QTranslator *translator = Translations::load(QLocale(), translations, app.data()))
        app->installTranslator(translator);
    QTranslator *qtTranslator = new QTranslator(app.data());
    if (qtTranslator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app->installTranslator(qtTranslator);
    else
        delete qtTranslator;

    registerQmlTypes();

    // Declared before the view so that it outlives it: at exit the view goes
    // first, then the client (which disconnects), then the application.
    Tn5250Client client;

    QScopedPointer<QQuickView> view(SailfishApp::createView());
    view->rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);
    view->setSource(SailfishApp::pathTo(QStringLiteral("qml/harbour-vantorel.qml")));
    view->show();
    return app->exec();
}
