#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickView>
#include <QScopedPointer>

#include <sailfishapp.h>

#include "app/tn5250client.h"
#include "view/qmltypes.h"

int main(int argc, char *argv[])
{
    QScopedPointer<QGuiApplication> app(SailfishApp::application(argc, argv));
    QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));

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
