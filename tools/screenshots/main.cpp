// vantorel-screenshots: pictures of the terminal page in a real window.
//
//   vantorel-screenshots [--phone] OUTPUT_DIR [NAME=WIDTHxHEIGHT[@SCREEN] ...]
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
//
// --phone loads the phone's Silica shell (qml/harbour-vantorel-phone.qml)
// with the test-only Silica module of the build tree instead. Its states:
// "menu" (the pull-down menu open), "keyboard" (the page told that a virtual
// keyboard covers the lower part, which a grey panel marks), "cover" (the
// cover as the home screen shows it, over the page), "disconnect",
// or a page pushed over the terminal: "profiles", "settings", "connection",
// "signon", "display", "macros", "log".
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QMap>
#include <QMouseEvent>
#include <QQmlComponent>
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

// A tap in the middle of item.
void tap(QQuickView &view, QQuickItem *item)
{
    if (!item)
        return;
    const QPointF point = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    const QPointF global = view.mapToGlobal(point.toPoint());
    QMouseEvent press(QEvent::MouseButtonPress, point, point, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, point, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &release);
}

// The phone shell's page stack and what a shot asks of it.
QObject *pageStack(QQuickView &view)
{
    return view.rootObject()->property("pageStack").value<QObject *>();
}

QQuickItem *currentPage(QQuickView &view)
{
    return pageStack(view)->property("currentPage").value<QQuickItem *>();
}

// The cover made by the window, shown (or hidden again) in the middle of it
// as the home screen shows it while the application is in the background.
void showCover(QQuickView &view, bool shown)
{
    QQuickItem *loader = view.rootObject()->findChild<QQuickItem *>(QStringLiteral("coverLoader"));
    QQuickItem *cover = loader ? loader->property("item").value<QQuickItem *>() : nullptr;
    if (!cover)
        return;
    // The home screen shows the cover, not the page.
    pageStack(view)->setProperty("visible", !shown);
    loader->setVisible(shown);
    loader->setZ(shown ? 2000 : 0);
    loader->setPosition(QPointF((view.width() - loader->width()) / 2, (view.height() - loader->height()) / 2));
    cover->setProperty("status", shown ? 2 : 0); // Cover.Active, Cover.Inactive
}

// Back to the terminal page with its menu closed, no keyboard and no cover.
void resetPhone(QQuickView &view, QQuickItem *terminalPage, QQuickItem *keyboard)
{
    showCover(view, false);
    QObject *stack = pageStack(view);
    QMetaObject::invokeMethod(stack, "pop", Q_ARG(QVariant, QVariant::fromValue(terminalPage)),
                              Q_ARG(QVariant, QVariant()));
    terminalPage->setProperty("keyboardVisible", false);
    keyboard->setVisible(false);
    QQuickItem *item = findItem(terminalPage, QStringLiteral("menuConnection"));
    while (item && !item->property("__silica_menu").isValid())
        item = item->parentItem();
    if (item)
        QMetaObject::invokeMethod(item, "close");
}

// The pull-down menu held open, as after a pull.
void openPhoneMenu(QQuickItem *terminalPage)
{
    QQuickItem *menu = findItem(terminalPage, QStringLiteral("menuConnection"));
    while (menu && !menu->property("__silica_menu").isValid())
        menu = menu->parentItem();
    if (!menu)
        return;
    QObject *flickable = menu->property("flickable").value<QObject *>();
    menu->setProperty("_open", true);
    flickable->setProperty("topMargin", menu->height());
    flickable->setProperty("contentY", flickable->property("originY").toReal() - menu->height());
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

    QStringList arguments = app.arguments().mid(1);
    const bool phone = arguments.removeAll(QStringLiteral("--phone")) > 0;
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: vantorel-screenshots [--phone] OUTPUT_DIR [NAME=WIDTHxHEIGHT[@OPTION] ...]\n");
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
    if (phone) {
        // Something to list on the profile and macro pages.
        const QString demo = client.currentProfileId();
        if (!client.createProfile(QStringLiteral("Production")))
            return fail("no second profile");
        client.setHost(QStringLiteral("ibmi.example.com"));
        if (!client.switchProfile(demo)
            || !client.saveMacro(-1, QStringLiteral("Active jobs"), QStringLiteral("WRKACTJOB{ENTER}"))
            || !client.saveMacro(-1, QStringLiteral("Sign off"), QStringLiteral("SIGNOFF{ENTER}")))
            return fail("the profile and macros could not be saved");
    }

    QQuickView view;
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);
    if (phone) {
        view.engine()->addImportPath(QStringLiteral(VANTOREL_BINARY_DIR "/tests/silica"));
        view.setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel-phone.qml")));
    } else {
        view.setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    }
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
    QStringList pageStates = { QStringLiteral("settings"), QStringLiteral("menu"),
                               QStringLiteral("log"), QStringLiteral("disconnect") };
    // The phone's pages, pushed over the terminal page.
    const QMap<QString, QString> phonePages = {
        { QStringLiteral("profiles"), QStringLiteral("ProfilesPage.qml") },
        { QStringLiteral("settings"), QStringLiteral("SettingsPage.qml") },
        { QStringLiteral("connection"), QStringLiteral("ConnectionPage.qml") },
        { QStringLiteral("signon"), QStringLiteral("SignOnPage.qml") },
        { QStringLiteral("display"), QStringLiteral("DisplayPage.qml") },
        { QStringLiteral("macros"), QStringLiteral("MacrosPage.qml") },
        { QStringLiteral("log"), QStringLiteral("ProtocolLogPage.qml") },
    };
    QQuickItem *root = view.rootObject();
    QQuickItem *terminalPage = nullptr;
    QScopedPointer<QQuickItem> keyboard;
    if (phone) {
        pageStates << phonePages.keys() << QStringLiteral("keyboard") << QStringLiteral("cover");
        terminalPage = currentPage(view);
        // Where a phone's keyboard would be; the page is told about it as the
        // input method tells it.
        QQmlComponent panel(view.engine());
        panel.setData("import QtQuick 2.6\n"
                      "Rectangle { color: '#3a4150'; z: 1000; Text { anchors.centerIn: parent;"
                      " color: '#a0a8b8'; font.pixelSize: 24; text: 'virtual keyboard' } }",
                      QUrl());
        keyboard.reset(qobject_cast<QQuickItem *>(panel.create()));
        if (!keyboard)
            return fail("the keyboard panel could not be made");
        keyboard->setParentItem(view.contentItem());
        keyboard->setVisible(false);

    }
    QString shown;
    for (const Shot &shot : shots) {
        if (phone) {
            resetPhone(view, terminalPage, keyboard.data());
            if (phonePages.contains(shot.option))
                QMetaObject::invokeMethod(pageStack(view), "push",
                    Q_ARG(QVariant, QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/phone/")
                                                        + phonePages.value(shot.option)).toString()),
                    Q_ARG(QVariant, QVariant()), Q_ARG(QVariant, QVariant()));
            if (shot.option == QStringLiteral("menu"))
                openPhoneMenu(terminalPage);
            if (shot.option == QStringLiteral("cover")) {
                view.resize(shot.size);
                showCover(view, true);
            }
            if (shot.option == QStringLiteral("keyboard")) {
                const int height = shot.size.height() * (shot.size.height() > shot.size.width() ? 40 : 48) / 100;
                const QRect area(0, shot.size.height() - height, shot.size.width(), height);
                keyboard->setPosition(area.topLeft());
                keyboard->setSize(area.size());
                keyboard->setVisible(true);
                terminalPage->setProperty("keyboardRectangle", QRectF(area));
                terminalPage->setProperty("keyboardVisible", true);
            }
            if (shot.option == QStringLiteral("disconnect")) {
                openPhoneMenu(terminalPage);
                settle(200);
                tap(view, findItem(terminalPage, QStringLiteral("menuConnection")));
            }
        } else {
            root->setProperty("showSettings", shot.option == QStringLiteral("settings"));
            root->setProperty("showMenu", shot.option == QStringLiteral("menu"));
            root->setProperty("showLog", shot.option == QStringLiteral("log"));
            QQuickItem *confirm = findItem(root, QStringLiteral("confirmPanel"));
            if (confirm && confirm->isVisible())
                QMetaObject::invokeMethod(confirm, "answer", Q_ARG(QVariant, false));
            if (shot.option == QStringLiteral("disconnect"))
                QMetaObject::invokeMethod(findItem(root, QStringLiteral("connectButton")), "clicked");
        }

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
        // (The phone's darker background has more shades than a palette keeps.)
        const QImage grabbed = view.grabWindow();
        const QImage image = phone ? grabbed.convertToFormat(QImage::Format_RGB32)
                                   : grabbed.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        const QString file = output.absoluteFilePath(shot.name + QStringLiteral(".png"));
        const int mostCompressed = 0;
        if (image.isNull() || !image.save(file, "PNG", mostCompressed))
            return fail("a picture could not be saved");
        std::printf("%s %dx%d\n", qPrintable(file), image.width(), image.height());
    }
    return 0;
}
