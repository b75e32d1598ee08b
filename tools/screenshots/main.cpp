// vantorel-screenshots: pictures of the terminal page in a real window.
//
//   vantorel-screenshots OUTPUT_DIR [NAME=WIDTHxHEIGHT[@SCREEN] ...]
//
// Loads the application's page (qml/harbour-vantorel.qml) in a QQuickView
// with a real client, connected to an in-process demo host on 127.0.0.1,
// signs on as an operator of a phone would (text committed through the input
// method, the on-screen Tab and Enter keys), then resizes the window to each
// size and saves what the window shows as OUTPUT_DIR/NAME.png. @SCREEN picks
// the demo host's menu option to show first ("24" for the function-key
// screen), or a state of the page over the screen shown before: "settings",
// "menu", "log" or "disconnect" (the question before a session is cut).
// Without it the main menu is shown. Run it under an X server
// (tools/take-screenshots.sh starts Xvfb); settings go to a throw-away folder.
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/tn5250client.h"
#include "demohost.h"
#include "view/qmltypes.h"

namespace {

const int STEP_TIMEOUT_MS = 10000;

struct Shot
{
    QString name;
    QSize size;
    QString option;
};

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()> &condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > STEP_TIMEOUT_MS)
            return false;
        settle(20);
    }
    return true;
}

void commit(QQuickView &view, const QString &text)
{
    QObject *target = view.focusObject();
    if (!target)
        return;
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(target, &event);
}

// Delegates of a list view are its visual children only, so the search
// walks the item tree.
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

bool pressKey(QQuickView &view, const QString &action)
{
    QQuickItem *key = findItem(view.rootObject(), QStringLiteral("key:") + action);
    if (!key)
        return false;
    return QMetaObject::invokeMethod(key, "clicked");
}

bool answered(Tn5250Client &client)
{
    return waitFor([&client]() { return client.keyboardLocked(); })
        && waitFor([&client]() { return !client.keyboardLocked(); });
}

int fail(const char *what)
{
    std::fprintf(stderr, "vantorel-screenshots: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir config;
    if (!config.isValid())
        return fail("cannot create a settings folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));

    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: vantorel-screenshots OUTPUT_DIR [NAME=WIDTHxHEIGHT[@OPTION] ...]\n");
        return 2;
    }
    const QDir output(arguments.first());
    QList<Shot> shots;
    const QRegularExpression shotPattern(QStringLiteral("^([\\w-]+)=(\\d+)x(\\d+)(?:@(\\w+))?$"));
    for (const QString &argument : arguments.mid(1)) {
        const QRegularExpressionMatch match = shotPattern.match(argument);
        if (!match.hasMatch())
            return fail("a shot is NAME=WIDTHxHEIGHT or NAME=WIDTHxHEIGHT@OPTION");
        shots.append({ match.captured(1), QSize(match.captured(2).toInt(), match.captured(3).toInt()),
                       match.captured(4) });
    }
    if (shots.isEmpty())
        shots.append({ QStringLiteral("desktop"), QSize(1280, 800), QString() });

    DemoHost host;
    if (!host.listen())
        return fail("the demo host cannot listen");
    host.setAccount(QStringLiteral("DEMO"), QStringLiteral("demo5250"));

    registerQmlTypes();
    Tn5250Client client;
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(host.serverPort());
    client.setTlsEnabled(false);
    client.setCurrentProfileName(QStringLiteral("Demo host"));

    QQuickView view;
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);
    view.setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    if (view.status() != QQuickView::Ready)
        return fail("the page did not load");
    view.resize(shots.first().size);
    view.show();
    view.requestActivate();

    client.connectToHost();
    if (!waitFor([&client]() { return client.terminalText().contains(QStringLiteral("Sign On"))
                                   && !client.keyboardLocked(); }))
        return fail("no sign-on screen");
    commit(view, QStringLiteral("demo"));
    if (!pressKey(view, QStringLiteral("tab")))
        return fail("no Tab key");
    commit(view, QStringLiteral("demo5250"));
    if (!pressKey(view, QStringLiteral("enter")) || !answered(client)
        || host.currentScreen() != QStringLiteral("mainmenu"))
        return fail("the sign-on did not reach the main menu");

    // Page states a shot can ask for instead of a host screen.
    const QStringList pageStates = { QStringLiteral("settings"), QStringLiteral("menu"),
                                     QStringLiteral("log"), QStringLiteral("disconnect") };
    QQuickItem *root = view.rootObject();
    QString shown;
    for (const Shot &shot : shots) {
        root->setProperty("showSettings", shot.option == QStringLiteral("settings"));
        root->setProperty("showMenu", shot.option == QStringLiteral("menu"));
        root->setProperty("showLog", shot.option == QStringLiteral("log"));
        QQuickItem *confirm = findItem(root, QStringLiteral("confirmPanel"));
        if (confirm && confirm->isVisible())
            QMetaObject::invokeMethod(confirm, "answer", Q_ARG(QVariant, false));
        if (shot.option == QStringLiteral("disconnect"))
            QMetaObject::invokeMethod(findItem(root, QStringLiteral("connectButton")), "clicked");

        if (shot.option != shown && !pageStates.contains(shot.option)) {
            if (!shown.isEmpty()) {
                pressKey(view, QStringLiteral("F3"));
                if (!answered(client))
                    return fail("F3 did not return to the menu");
            }
            if (!shot.option.isEmpty()) {
                commit(view, shot.option);
                if (!pressKey(view, QStringLiteral("enter")) || !answered(client))
                    return fail("the menu option did not answer");
            }
            shown = shot.option;
        }
        view.resize(shot.size);
        settle(400);
        // A palette of 256 colours keeps the pictures small: the page has few.
        const QImage image = view.grabWindow().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        const QString file = output.absoluteFilePath(shot.name + QStringLiteral(".png"));
        const int mostCompressed = 0;
        if (image.isNull() || !image.save(file, "PNG", mostCompressed))
            return fail("a picture could not be saved");
        std::printf("%s %dx%d\n", qPrintable(file), image.width(), image.height());
    }
    return 0;
}
