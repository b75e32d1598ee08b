// The desktop page in a real window, worked as its users work it: a client
// connected to the in-process demo host over 127.0.0.1, text typed through
// the input method (as a phone's on-screen keyboard sends it), taps, the
// on-screen keys, the settings panel and a pinch. Runs under an X server
// (the test run starts Xvfb).

#include <QInputMethodEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/connectionwatch.h"
#include "demohost.h"
#include "view/qmltypes.h"
#include "view/terminalinput.h"

using namespace ConnectionTest;

namespace {

const char USER[] = "DEMO";
const char PASSWORD[] = "demo5250";

QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (!item)
        return nullptr;
    if (item->objectName() == name)
        return item;
    // List delegates are visual children only, so the item tree is walked.
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

QPoint centreOf(const QQuickItem *item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

QString screenLine(const Tn5250Client &client, int row)
{
    return client.terminalText().split(QLatin1Char('\n')).value(row - 1);
}

} // namespace

class TestTerminalPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void signsOnThroughTheInputMethod();
    void signOnButtonAsksForAnotherHost_data();
    void signOnButtonAsksForAnotherHost();
    void settingsInputsGiveTheKeysBack();
    void everyKeyReachableOnASmallScreen();
    void pinchZoomsAndQuitKeepsTypedSettings();

private:
    void loadPage(const QSize &size);
    QQuickItem *item(const QString &name) const;
    TerminalInput *terminalInput() const;
    void click(QQuickItem *target);
    void tapCell(int row, int column);
    void commit(const QString &text, const QString &preedit = QString());
    void typeKeys(const QString &text);
    void connectToSignOn();
    void signOn();

    QScopedPointer<QTemporaryDir> m_config;
    QScopedPointer<DemoHost> m_host;
    QScopedPointer<Tn5250Client> m_client;
    QScopedPointer<QQuickView> m_view;
    QList<QQmlError> m_warnings;
};

void TestTerminalPage::initTestCase()
{
    registerQmlTypes();
}

void TestTerminalPage::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
    m_host.reset(new DemoHost);
    QVERIFY(m_host->listen());
    QVERIFY(m_host->setAccount(QLatin1String(USER), QLatin1String(PASSWORD)));
    m_client.reset(new Tn5250Client);
    configure(*m_client, m_host->serverPort(), false, false);
    m_warnings.clear();
}

void TestTerminalPage::cleanup()
{
    m_view.reset();
    m_client.reset();
    m_host.reset();
    QString text;
    for (const QQmlError &error : m_warnings)
        text += error.toString() + QLatin1Char('\n');
    QVERIFY2(m_warnings.isEmpty(), qPrintable(text));
}

void TestTerminalPage::loadPage(const QSize &size)
{
    m_view.reset(new QQuickView);
    connect(m_view->engine(), &QQmlEngine::warnings, this,
            [this](const QList<QQmlError> &warnings) { m_warnings += warnings; });
    m_view->setResizeMode(QQuickView::SizeRootObjectToView);
    m_view->rootContext()->setContextProperty(QStringLiteral("tnClient"), m_client.data());
    m_view->setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    QCOMPARE(m_view->status(), QQuickView::Ready);
    m_view->resize(size);
    m_view->show();
    m_view->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_view.data()));
}

QQuickItem *TestTerminalPage::item(const QString &name) const
{
    return findItem(m_view->rootObject(), name);
}

TerminalInput *TestTerminalPage::terminalInput() const
{
    return qobject_cast<TerminalInput *>(item(QStringLiteral("terminalInput")));
}

void TestTerminalPage::click(QQuickItem *target)
{
    QVERIFY(target);
    QVERIFY2(target->isVisible(), qPrintable(target->objectName()));
    QTest::mouseClick(m_view.data(), Qt::LeftButton, Qt::NoModifier, centreOf(target));
}

// A tap in the middle of a screen cell (one-based).
void TestTerminalPage::tapCell(int row, int column)
{
    QQuickItem *view = item(QStringLiteral("terminalView"));
    QVERIFY(view);
    const qreal cellWidth = view->property("cellWidth").toReal();
    const qreal cellHeight = view->property("cellHeight").toReal();
    QQuickItem *screen = view->property("screenItem").value<QQuickItem *>();
    QVERIFY(screen);
    const QPointF point = screen->mapToScene(QPointF((column - 0.5) * cellWidth, (row - 0.5) * cellHeight));
    QTest::mouseClick(m_view.data(), Qt::LeftButton, Qt::NoModifier, point.toPoint());
}

// What an on-screen keyboard sends: committed text and the text it is still
// composing, to whatever holds the focus.
void TestTerminalPage::commit(const QString &text, const QString &preedit)
{
    QObject *focus = QGuiApplication::focusObject();
    QVERIFY(focus);
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    QVERIFY(query.value(Qt::ImEnabled).toBool());
    QList<QInputMethodEvent::Attribute> attributes;
    QInputMethodEvent event(preedit, attributes);
    event.setCommitString(text);
    QVERIFY(QCoreApplication::sendEvent(focus, &event));
}

// Hardware keys, one per character.
void TestTerminalPage::typeKeys(const QString &text)
{
    for (const QChar character : text)
        QTest::keyClick(m_view.data(), character.toLatin1());
}

void TestTerminalPage::connectToSignOn()
{
    click(item(QStringLiteral("connectButton")));
    QTRY_VERIFY(m_client->terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!m_client->keyboardLocked());
    QCOMPARE(m_client->connectionState(), QStringLiteral("Ready"));
}

void TestTerminalPage::signOn()
{
    connectToSignOn();
    if (QTest::currentTestFailed())
        return;
    commit(QStringLiteral("demo"));
    tapCell(7, 53);
    commit(QLatin1String(PASSWORD));
    click(item(QStringLiteral("key:enter")));
    QTRY_COMPARE(m_host->currentScreen(), QStringLiteral("mainmenu"));
    QTRY_VERIFY(!m_client->keyboardLocked());
}

void TestTerminalPage::signsOnThroughTheInputMethod()
{
    loadPage(QSize(1280, 800));
    connectToSignOn();
    if (QTest::currentTestFailed())
        return;
    TerminalInput *input = terminalInput();
    QVERIFY(input);
    QCOMPARE(QGuiApplication::focusObject(), input);

    // Composed text is shown at the cursor, not typed; committed text is.
    commit(QString(), QStringLiteral("de"));
    QQuickItem *preedit = item(QStringLiteral("preedit"));
    QVERIFY(preedit);
    QCOMPARE(preedit->property("text").toString(), QStringLiteral("de"));
    QVERIFY(preedit->parentItem()->isVisible());
    QCOMPARE(screenLine(*m_client, 6).mid(52, 10).trimmed(), QString());
    commit(QStringLiteral("demo"));
    QVERIFY(!preedit->parentItem()->isVisible());
    QCOMPARE(screenLine(*m_client, 6).mid(52, 10).trimmed(), QStringLiteral("DEMO"));

    // A tap puts the cursor on the password field; the password stays off
    // the screen.
    tapCell(7, 53);
    QCOMPARE(m_client->cursorRow(), 7);
    QCOMPARE(m_client->cursorColumn(), 53);
    QCOMPARE(QGuiApplication::focusObject(), input);
    commit(QLatin1String(PASSWORD));
    QVERIFY(!m_client->terminalText().contains(QLatin1String(PASSWORD)));

    // A line break from the keyboard is Enter.
    commit(QStringLiteral("\n"));
    QTRY_COMPARE(m_host->currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(m_host->lastResponse().fieldText(QStringLiteral("user")), QLatin1String(USER));
    QCOMPARE(m_host->lastResponse().fieldText(QStringLiteral("password")), QLatin1String(PASSWORD));
    QTRY_VERIFY(m_client->terminalText().contains(QStringLiteral("IBM i Main Menu")));
    QCOMPARE(m_host->failedSignOns(), 0);
}

void TestTerminalPage::signOnButtonAsksForAnotherHost_data()
{
    QTest::addColumn<bool>("savedHere");
    QTest::newRow("login saved for this host") << true;
    QTest::newRow("login saved for another port") << false;
}

// "Sign on" goes for the saved login at once where it was saved for;
// anywhere else the page asks first, and "Cancel" does nothing. (No secrets
// service here: the store's answer shows how far the sign-on went.)
void TestTerminalPage::signOnButtonAsksForAnotherHost()
{
    QFETCH(bool, savedHere);
    const int port = m_client->port();
    const int savedPort = savedHere ? port : (port == 65535 ? 65534 : port + 1);
    m_client->saveSettings();
    m_client.reset();
    {
        QSettings file(m_config->path() + QStringLiteral("/orvik/harbour-vantorel/harbour-vantorel.conf"),
                       QSettings::IniFormat);
        file.setValue(QStringLiteral("profiles/Default/login/userName"), QLatin1String(USER));
        file.setValue(QStringLiteral("profiles/Default/login/passwordSaved"), true);
        file.setValue(QStringLiteral("profiles/Default/login/host"), QStringLiteral("127.0.0.1"));
        file.setValue(QStringLiteral("profiles/Default/login/port"), savedPort);
    }
    m_client.reset(new Tn5250Client);
    QCOMPARE(m_client->port(), port);
    QVERIFY(m_client->passwordSaved());
    loadPage(QSize(1280, 800));
    connectToSignOn();
    if (QTest::currentTestFailed())
        return;
    QQuickItem *confirmPanel = item(QStringLiteral("confirmPanel"));
    QVERIFY(confirmPanel);
    const QString storeAsked = QStringLiteral("Could not retrieve saved password");

    click(item(QStringLiteral("signOnButton")));
    if (savedHere) {
        QVERIFY(!confirmPanel->isVisible());
        QCOMPARE(m_client->status(), storeAsked);
        return;
    }
    QTRY_VERIFY(confirmPanel->isVisible());
    QCOMPARE(item(QStringLiteral("question"))->property("text").toString(),
             QStringLiteral("The saved login is for 127.0.0.1:%1. Send it to 127.0.0.1:%2 instead?")
                 .arg(savedPort).arg(port));
    click(item(QStringLiteral("cancelButton")));
    QTRY_VERIFY(!confirmPanel->isVisible());
    QVERIFY(m_client->status() != storeAsked);

    click(item(QStringLiteral("signOnButton")));
    QTRY_VERIFY(confirmPanel->isVisible());
    click(item(QStringLiteral("confirmButton")));
    QTRY_COMPARE(m_client->status(), storeAsked);
    QCOMPARE(m_host->responses().size(), 0);
    // Still bound to the host it was saved for.
    QCOMPARE(m_client->savedLoginPort(), savedPort);
}

void TestTerminalPage::settingsInputsGiveTheKeysBack()
{
    loadPage(QSize(1280, 800));
    signOn();
    if (QTest::currentTestFailed())
        return;
    QSignalSpy responses(m_host.data(), SIGNAL(responseReceived()));
    const QString deviceBefore = m_client->deviceName();
    // The hidden protocol log has no text to lay out on every log line.
    QVERIFY(!item(QStringLiteral("logText")));

    // Typing into a settings box, Return included, stays in the box.
    click(item(QStringLiteral("settingsButton")));
    QQuickItem *deviceInput = item(QStringLiteral("deviceNameInput"))->property("input").value<QQuickItem *>();
    click(deviceInput);
    QTRY_VERIFY(deviceInput->hasActiveFocus());
    typeKeys(QStringLiteral("qpad"));
    QTest::keyClick(m_view.data(), Qt::Key_Return);
    QCOMPARE(m_client->deviceName(), deviceBefore + QStringLiteral("QPAD"));
    typeKeys(QStringLiteral("7"));

    // Hiding the settings hands the keys back to the terminal; what was
    // typed in the box is kept.
    click(item(QStringLiteral("settingsButton")));
    QVERIFY(!item(QStringLiteral("settingsPanel"))->isVisible());
    QCOMPARE(QGuiApplication::focusObject(), terminalInput());
    const QString committedDevice = deviceBefore + QStringLiteral("QPAD7");
    QCOMPARE(m_client->deviceName(), committedDevice);
    QCOMPARE(responses.count(), 0);
    QCOMPARE(m_host->currentScreen(), QStringLiteral("mainmenu"));

    typeKeys(QStringLiteral("24"));
    QTest::keyClick(m_view.data(), Qt::Key_Return);
    QTRY_COMPARE(m_host->currentScreen(), QStringLiteral("functionkeys"));
    QCOMPARE(m_client->deviceName(), committedDevice);

    // The whole label "F5=Refresh" is the key, not only "F5=".
    QTRY_VERIFY(!m_client->keyboardLocked());
    const QStringList lines = m_client->terminalText().split(QLatin1Char('\n'));
    int row = 0;
    int column = 0;
    for (int i = 0; i < lines.size() && row == 0; ++i) {
        const int at = lines.at(i).indexOf(QStringLiteral("F5=Refresh"));
        if (at >= 0) {
            row = i + 1;
            column = at + 1;
        }
    }
    QVERIFY(row > 0);
    const int responsesBefore = responses.count();
    tapCell(row, column + int(qstrlen("F5=Refre")));
    QTRY_COMPARE(responses.count(), responsesBefore + 1);
    QCOMPARE(m_host->lastResponse().aid, quint8(0x35));
    QTRY_VERIFY(m_client->terminalText().contains(QStringLiteral("Screen refreshed.")));
}

void TestTerminalPage::everyKeyReachableOnASmallScreen()
{
    loadPage(QSize(360, 640));
    TerminalInput *input = terminalInput();
    QVERIFY(input);
    QSignalSpy triggered(input, SIGNAL(keyTriggered(QString)));
    // Touch targets of at least 7 mm.
    const qreal minimumSize = 7 * m_view->screen()->physicalDotsPerInch() / 25.4;

    struct Page
    {
        const char *bar;
        int functionKeyPage;
        QStringList actions;
    };
    QStringList functionKeys;
    QStringList shiftedKeys;
    for (int number = 1; number <= 12; ++number) {
        functionKeys << QStringLiteral("F%1").arg(number);
        shiftedKeys << QStringLiteral("F%1").arg(number + 12);
    }
    const QList<Page> pages = {
        { "functionBar", 0, functionKeys },
        { "functionBar", 1, shiftedKeys },
        { "functionBar", 2, { "PA1", "PA2", "PA3", "sysreq", "attn", "print", "help", "clear", "testRequest" } },
        { "actionBar", -1, { "enter", "reset", "tab", "backtab", "fieldExit", "fieldPlus", "fieldMinus", "eraseEof",
                             "eraseInput", "insert", "home", "endOfField", "left", "up", "down", "right",
                             "delete", "pageUp", "pageDown", "copy", "paste" } },
    };

    for (const Page &page : pages) {
        QQuickItem *bar = item(QLatin1String(page.bar));
        QVERIFY(bar);
        QVERIFY(bar->isVisible());
        if (page.functionKeyPage >= 0) {
            // The switch at the start of the bar steps to the page.
            for (int step = 0; step < 3 && m_client->functionKeyPage() != page.functionKeyPage; ++step)
                click(findItem(bar, QStringLiteral("pageSwitch")));
            QCOMPARE(m_client->functionKeyPage(), page.functionKeyPage);
        }
        QQuickItem *list = bar->property("list").value<QQuickItem *>();
        QVERIFY(list);
        const QRectF visible = sceneRect(list);
        QVERIFY(visible.right() <= m_view->width());

        for (const QString &action : page.actions) {
            // Dragging the bar brings the key into view: leftwards while it
            // lies beyond the right edge (or is not made yet), rightwards
            // when it lies before the left edge.
            QQuickItem *key = nullptr;
            for (int drag = 0; drag < 8; ++drag) {
                key = findItem(list, QStringLiteral("key:") + action);
                if (key && visible.contains(sceneRect(key)))
                    break;
                // A drag moves the content only once it has gone past the
                // start distance.
                const int margin = 2 * QGuiApplication::styleHints()->startDragDistance() + 4;
                int distance = -int(visible.width() * 0.7);
                if (key && sceneRect(key).left() < visible.left())
                    distance = int(visible.left() - sceneRect(key).left()) + margin;
                const QPoint from = visible.center().toPoint() - QPoint(distance / 2, 0);
                QTest::mousePress(m_view.data(), Qt::LeftButton, Qt::NoModifier, from);
                for (int step = 1; step <= 6; ++step)
                    QTest::mouseMove(m_view.data(), from + QPoint(distance * step / 6, 0), 5);
                // Held still before letting go: a drag, not a flick.
                QTest::mouseMove(m_view.data(), from + QPoint(distance, 0), 150);
                QTest::mouseRelease(m_view.data(), Qt::LeftButton, Qt::NoModifier, from + QPoint(distance, 0));
                QTRY_VERIFY(!list->property("moving").toBool());
            }
            QVERIFY2(key && visible.contains(sceneRect(key)), qPrintable(action));
            QVERIFY2(key->height() >= minimumSize && key->width() >= minimumSize, qPrintable(action));
            triggered.clear();
            click(key);
            QCOMPARE(triggered.count(), 1);
            QCOMPARE(triggered.first().first().toString(), action);
        }
    }
}

void TestTerminalPage::pinchZoomsAndQuitKeepsTypedSettings()
{
    loadPage(QSize(540, 960));
    connectToSignOn();
    if (QTest::currentTestFailed())
        return;
    const double zoomBefore = m_client->terminalZoom();

    // Two fingers moving apart over the terminal.
    QQuickItem *view = item(QStringLiteral("terminalView"));
    QVERIFY(view);
    const QPoint centre = centreOf(view);
    QTouchDevice *touchscreen = QTest::createTouchDevice();
    QTest::touchEvent(m_view.data(), touchscreen).press(0, centre - QPoint(40, 0)).press(1, centre + QPoint(40, 0));
    for (int step = 1; step <= 10; ++step) {
        QTest::touchEvent(m_view.data(), touchscreen)
            .move(0, centre - QPoint(40 + 8 * step, 0)).move(1, centre + QPoint(40 + 8 * step, 0));
    }
    QTest::touchEvent(m_view.data(), touchscreen)
        .release(0, centre - QPoint(120, 0)).release(1, centre + QPoint(120, 0));
    QTRY_VERIFY(m_client->terminalZoom() > zoomBefore * 1.2);
    const double zoomAfter = m_client->terminalZoom();
    QVERIFY(view->property("cellWidth").toReal() > view->property("fitCellWidth").toReal() * 1.2);

    // A host and TLS set in the settings, the host left without Return, and
    // the window closed.
    click(item(QStringLiteral("settingsButton")));
    QQuickItem *hostInput = item(QStringLiteral("hostInput"))->property("input").value<QQuickItem *>();
    click(hostInput);
    QTRY_VERIFY(hostInput->hasActiveFocus());
    QTest::keyClick(m_view.data(), Qt::Key_A, Qt::ControlModifier);
    typeKeys(QStringLiteral("as400.example.net"));
    click(item(QStringLiteral("tlsToggle")));
    QVERIFY(m_client->tlsEnabled());
    click(hostInput);
    QTest::keyClick(m_view.data(), Qt::Key_End);
    typeKeys(QStringLiteral(".uk"));
    m_view->close();
    QTRY_COMPARE(m_client->host(), QStringLiteral("as400.example.net.uk"));
    const QString settingsFile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/harbour-vantorel.conf");
    m_view.reset();
    m_client.reset();

    // What the next start reads.
    QSettings settings(settingsFile, QSettings::NativeFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/connection/host")).toString(),
             QStringLiteral("as400.example.net.uk"));
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/connection/tls")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/display/zoom")).toDouble(), zoomAfter);
    Tn5250Client restarted;
    QCOMPARE(restarted.host(), QStringLiteral("as400.example.net.uk"));
    QVERIFY(restarted.tlsEnabled());
}

QTEST_MAIN(TestTerminalPage)
#include "tst_terminalpage.moc"
