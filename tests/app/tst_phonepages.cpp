// The phone's Silica shell on the desktop, worked as its users work it: the
// shell loaded with the test-only Sailfish.Silica module (tests/silica) and a
// real client against the in-process demo host on 127.0.0.1, in a real window
// at a phone's 540 x 960. Menus are pulled down, list items held, fields
// typed into and dialogs accepted with the mouse and keys. Passwords go to
// the private keyring this test runs with (tools/with-private-keyring.sh).

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
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

// Delegates and pages are visual children only, so the item tree is walked;
// hidden items (the pages under the top one) are left out.
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (!item || !item->isVisible())
        return nullptr;
    if (item->objectName() == name)
        return item;
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

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/harbour-vantorel.conf");
}

QVariant storedProfileValue(const QString &profileId, const QString &key)
{
    QSettings settings(settingsFile(), QSettings::NativeFormat);
    return settings.value(QStringLiteral("profiles/%1/%2").arg(profileId, key));
}

QStringList profileIds(const Tn5250Client &client)
{
    QStringList ids;
    for (const QVariant &profile : client.profiles())
        ids << profile.toMap().value(QStringLiteral("id")).toString();
    return ids;
}

} // namespace

class TestPhonePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyPageLoads_data();
    void everyPageLoads();
    void choosingAProfileSwitchesToIt_data();
    void choosingAProfileSwitchesToIt();
    void connectionPageKeepsEachEdit();
    void savedSignOnEmptiesThePasswordAndSignsOn_data();
    void savedSignOnEmptiesThePasswordAndSignsOn();
    void deleteWaitsForTheRemorse();
    void keyBarsSitAboveTheKeyboard_data();
    void keyBarsSitAboveTheKeyboard();
    void coverShowsTheSessionAndConnects();
    void protocolLogOpensAtTheNewestLines();

private:
    void loadShell(const QSize &size = QSize(540, 960));
    QQuickItem *page() const;
    QQuickItem *item(const QString &name) const;
    void click(QQuickItem *target);
    void click(const QString &name);
    void pullDownAndChoose(const QString &menuItem);
    void holdAndChoose(const QString &listItem, const QString &menuItem);
    void typeInto(const QString &field, const QString &text, bool pressReturn = true);
    void goBack();
    void settle();
    void connectToSignOn();

    QScopedPointer<QTemporaryDir> m_config;
    QScopedPointer<DemoHost> m_host;
    QScopedPointer<Tn5250Client> m_client;
    QScopedPointer<QQuickView> m_view;
    QList<QQmlError> m_warnings;
    int m_frames = 0;
};

void TestPhonePages::initTestCase()
{
    registerQmlTypes();
}

void TestPhonePages::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
    m_host.reset(new DemoHost);
    QVERIFY(m_host->listen());
    QVERIFY(m_host->setAccount(QLatin1String(USER), QLatin1String(PASSWORD)));
    m_client.reset(new Tn5250Client);
    configure(*m_client, m_host->serverPort(), false, false);
    m_client->saveSettings();
    m_warnings.clear();
}

void TestPhonePages::cleanup()
{
    m_view.reset();
    m_client.reset();
    m_host.reset();
    QString text;
    for (const QQmlError &error : m_warnings)
        text += error.toString() + QLatin1Char('\n');
    QVERIFY2(m_warnings.isEmpty(), qPrintable(text));
}

// The shell as the phone build installs it, with the test Silica module in
// place of the platform's.
void TestPhonePages::loadShell(const QSize &size)
{
    m_view.reset(new QQuickView);
    connect(m_view->engine(), &QQmlEngine::warnings, this,
            [this](const QList<QQmlError> &warnings) { m_warnings += warnings; });
    connect(m_view.data(), &QQuickWindow::frameSwapped, this, [this]() { ++m_frames; }, Qt::QueuedConnection);
    m_view->engine()->addImportPath(QStringLiteral(VANTOREL_SILICA_IMPORT_PATH));
    m_view->setResizeMode(QQuickView::SizeRootObjectToView);
    m_view->rootContext()->setContextProperty(QStringLiteral("tnClient"), m_client.data());
    m_view->setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel-phone.qml")));
    QCOMPARE(m_view->status(), QQuickView::Ready);
    m_view->resize(size);
    m_view->show();
    m_view->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_view.data()));
    QTRY_VERIFY(page());
}

QQuickItem *TestPhonePages::page() const
{
    QObject *stack = m_view->rootObject()->property("pageStack").value<QObject *>();
    return stack ? stack->property("currentPage").value<QQuickItem *>() : nullptr;
}

QQuickItem *TestPhonePages::item(const QString &name) const
{
    return findItem(page(), name);
}

// Waits until the window has shown what the last step changed: a page just
// pushed is laid out only before the next frame. (Two frames, as the first
// may have been under way already.)
void TestPhonePages::settle()
{
    for (int frame = 0; frame < 2; ++frame) {
        const int before = m_frames;
        m_view->update();
        QTRY_VERIFY(m_frames > before);
    }
}

void TestPhonePages::click(QQuickItem *target)
{
    QVERIFY(target);
    settle();
    // What a user scrolls into view first.
    for (QQuickItem *view = target->parentItem(); view; view = view->parentItem()) {
        if (!view->inherits("QQuickFlickable") || view->property("contentHeight").toReal() <= view->height())
            continue;
        const QRectF place = target->mapRectToItem(view, QRectF(0, 0, target->width(), target->height()));
        if (place.top() >= 0 && place.bottom() <= view->height())
            continue;
        const qreal contentY = view->property("contentY").toReal() + place.center().y() - view->height() / 2;
        const qreal lowest = view->property("originY").toReal();
        const qreal highest = lowest + view->property("contentHeight").toReal() - view->height();
        view->setProperty("contentY", qBound(lowest, contentY, highest));
    }
    QVERIFY2(target->isVisible() && target->isEnabled(), qPrintable(target->objectName()));
    QVERIFY2(QRectF(QPointF(0, 0), m_view->size()).contains(centreOf(target)), qPrintable(target->objectName()));
    QTest::mouseClick(m_view.data(), Qt::LeftButton, Qt::NoModifier, centreOf(target));
}

void TestPhonePages::click(const QString &name)
{
    settle();
    click(item(name));
}

// Pulls the page's content down until its menu stays open, then taps the item.
void TestPhonePages::pullDownAndChoose(const QString &menuItem)
{
    QQuickItem *flickable = nullptr;
    for (QQuickItem *candidate : page()->findChildren<QQuickItem *>()) {
        if (candidate->inherits("QQuickFlickable") && candidate->property("contentY").isValid()
            && candidate->findChild<QQuickItem *>(menuItem)) {
            flickable = candidate;
            break;
        }
    }
    QVERIFY2(flickable, qPrintable(menuItem));
    const QRectF area = sceneRect(flickable);
    const QPoint from(int(area.center().x()), int(area.top() + area.height() * 0.1));
    const int distance = int(area.height() * 0.8);
    QTest::mousePress(m_view.data(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(m_view.data(), from + QPoint(0, distance * step / 10), 10);
    QTest::mouseMove(m_view.data(), from + QPoint(0, distance), 150);
    QTest::mouseRelease(m_view.data(), Qt::LeftButton, Qt::NoModifier, from + QPoint(0, distance));
    QTRY_VERIFY(!flickable->property("moving").toBool());
    QTRY_VERIFY(item(menuItem));
    click(menuItem);
}

// Holds a list item until its menu opens, then taps the menu's item.
void TestPhonePages::holdAndChoose(const QString &listItem, const QString &menuItem)
{
    settle();
    QQuickItem *entry = item(listItem);
    QVERIFY2(entry, qPrintable(listItem));
    QTest::mousePress(m_view.data(), Qt::LeftButton, Qt::NoModifier,
                      entry->mapToScene(QPointF(entry->width() / 2, entry->property("contentHeight").toReal() / 2)).toPoint());
    QTRY_VERIFY(entry->property("menuOpen").toBool());
    QTest::mouseRelease(m_view.data(), Qt::LeftButton, Qt::NoModifier,
                        entry->mapToScene(QPointF(entry->width() / 2, entry->property("contentHeight").toReal() / 2)).toPoint());
    click(findItem(entry, menuItem));
}

// A tap on the field, everything in it replaced by text, and the keyboard's
// Enter key (or not).
void TestPhonePages::typeInto(const QString &field, const QString &text, bool pressReturn)
{
    QQuickItem *target = item(field);
    click(target);
    QTRY_VERIFY(target->hasActiveFocus());
    QTest::keyClick(m_view.data(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_view.data(), Qt::Key_Delete);
    for (const QChar character : text)
        QTest::keyClick(m_view.data(), character.toLatin1());
    if (pressReturn)
        QTest::keyClick(m_view.data(), Qt::Key_Return);
}

// What a swipe back does.
void TestPhonePages::goBack()
{
    click(findItem(m_view->rootObject(), QStringLiteral("pageStackBack")));
}

void TestPhonePages::connectToSignOn()
{
    pullDownAndChoose(QStringLiteral("menuConnection"));
    QTRY_VERIFY(m_client->terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!m_client->keyboardLocked());
}

void TestPhonePages::everyPageLoads_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("page");

    // A step pulls a menu item ("menu:NAME") or taps an item (its name).
    QTest::newRow("the terminal") << QStringList() << "terminalPage";
    QTest::newRow("profiles") << QStringList { "menu:menuProfiles" } << "profilesPage";
    QTest::newRow("a new profile's name")
        << QStringList { "menu:menuProfiles", "menu:menuNewProfile" } << "profileNameDialog";
    QTest::newRow("the question before a disconnect") << QStringList { "menu:menuConnection" } << "confirmDialog";
    QTest::newRow("the protocol log") << QStringList { "menu:menuProtocolLog" } << "protocolLogPage";
    QTest::newRow("settings") << QStringList { "menu:menuSettings" } << "settingsPage";
    const QList<QPair<QString, QString>> settingsPages = {
        { "settings:connection", "connectionPage" }, { "settings:signon", "signOnPage" },
        { "settings:macros", "macrosPage" },         { "settings:display", "displayPage" },
        { "settings:automation", "automationPage" }, { "settings:tls", "tlsPage" },
        { "settings:log", "protocolLogPage" },       { "settings:about", "aboutPage" },
    };
    for (const auto &entry : settingsPages) {
        QTest::newRow(qPrintable(QStringLiteral("settings, ") + entry.second))
            << QStringList { "menu:menuSettings", entry.first } << entry.second;
    }
    QTest::newRow("a macro's dialog")
        << QStringList { "menu:menuSettings", "settings:macros", "menu:menuNewMacro" } << "macroDialog";
}

// Each page opened as a user opens it, while connected and with content to
// show (two profiles, a macro): it is the page on top, and nothing on the
// way warned (checked in cleanup()).
void TestPhonePages::everyPageLoads()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, page);
    QVERIFY(m_client->saveMacro(-1, QStringLiteral("Work with jobs"), QStringLiteral("WRKACTJOB{ENTER}")));
    const QString first = m_client->currentProfileId();
    QVERIFY(m_client->createProfile(QStringLiteral("Second")));
    QVERIFY(m_client->switchProfile(first));
    loadShell();
    connectToSignOn();
    if (QTest::currentTestFailed())
        return;

    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("menu:")))
            pullDownAndChoose(step.mid(5));
        else
            click(step);
        if (QTest::currentTestFailed())
            return;
    }
    QTRY_COMPARE(this->page()->objectName(), page);
    QCOMPARE(this->page()->property("status").toInt(), 2); // PageStatus.Active
    QVERIFY(this->page()->width() > 0 && this->page()->height() > 0);
    QVERIFY(this->page()->isVisible());
}

void TestPhonePages::choosingAProfileSwitchesToIt_data()
{
    QTest::addColumn<bool>("connected");
    QTest::newRow("not connected: at once") << false;
    QTest::newRow("connected: after the question") << true;
}

void TestPhonePages::choosingAProfileSwitchesToIt()
{
    QFETCH(bool, connected);
    const QString first = m_client->currentProfileId();
    QVERIFY(m_client->createProfile(QStringLiteral("Second")));
    const QString second = m_client->currentProfileId();
    QVERIFY(m_client->switchProfile(first));
    loadShell();
    if (connected)
        connectToSignOn();
    pullDownAndChoose(QStringLiteral("menuProfiles"));
    if (QTest::currentTestFailed())
        return;

    click(QStringLiteral("profile:") + second);
    if (connected) {
        // The session is still there until the question is answered.
        QTRY_COMPARE(page()->objectName(), QStringLiteral("confirmDialog"));
        QCOMPARE(m_client->currentProfileId(), first);
        QCOMPARE(m_client->connectionState(), QStringLiteral("Ready"));
        click(QStringLiteral("dialogAccept"));
    }
    QTRY_COMPARE(m_client->currentProfileId(), second);
    QVERIFY(!m_client->connected());
    QTRY_COMPARE(page()->objectName(), QStringLiteral("profilesPage"));
    // The list marks the new one.
    QTRY_VERIFY(findItem(item(QStringLiteral("profile:") + second), QStringLiteral("activeMark")));
    QVERIFY(!findItem(item(QStringLiteral("profile:") + first), QStringLiteral("activeMark")));
}

// Settings > Connection: each edit is in the settings file as soon as it
// finishes; a port out of range is not taken; the code page is one tap in
// its list.
void TestPhonePages::connectionPageKeepsEachEdit()
{
    loadShell();
    pullDownAndChoose(QStringLiteral("menuSettings"));
    click(QStringLiteral("settings:connection"));
    QTRY_COMPARE(page()->objectName(), QStringLiteral("connectionPage"));
    if (QTest::currentTestFailed())
        return;
    const QString profile = m_client->currentProfileId();

    typeInto(QStringLiteral("hostField"), QStringLiteral("as400.example.net"));
    QCOMPARE(m_client->host(), QStringLiteral("as400.example.net"));
    QCOMPARE(storedProfileValue(profile, QStringLiteral("connection/host")).toString(), QStringLiteral("as400.example.net"));

    const int portBefore = m_client->port();
    typeInto(QStringLiteral("portField"), QStringLiteral("99999"));
    QCOMPARE(m_client->port(), portBefore);
    QVERIFY(item(QStringLiteral("portField"))->property("errorHighlight").toBool());
    QCOMPARE(item(QStringLiteral("portField"))->property("text").toString(), QStringLiteral("99999"));
    typeInto(QStringLiteral("portField"), QStringLiteral("2323"));
    QCOMPARE(m_client->port(), 2323);
    QVERIFY(!item(QStringLiteral("portField"))->property("errorHighlight").toBool());
    QCOMPARE(storedProfileValue(profile, QStringLiteral("connection/port")).toInt(), 2323);

    QVERIFY(!m_client->tlsEnabled());
    click(QStringLiteral("tlsSwitch"));
    QVERIFY(m_client->tlsEnabled());
    QCOMPARE(storedProfileValue(profile, QStringLiteral("connection/tls")).toBool(), true);

    QCOMPARE(m_client->codePage(), 37);
    click(QStringLiteral("codePageBox"));
    QTRY_VERIFY(item(QStringLiteral("codePage:273")));
    click(QStringLiteral("codePage:273"));
    QCOMPARE(m_client->codePage(), 273);
    QCOMPARE(storedProfileValue(profile, QStringLiteral("terminal/codePage")).toInt(), 273);
    QCOMPARE(item(QStringLiteral("codePageBox"))->property("value").toString(), m_client->codePageDescription());

    // A device name typed and left without Enter: the page closing keeps it.
    typeInto(QStringLiteral("deviceField"), QStringLiteral("phone-01"), false);
    goBack();
    QTRY_COMPARE(page()->objectName(), QStringLiteral("settingsPage"));
    QCOMPARE(m_client->deviceName(), QStringLiteral("PHONE01"));
    QCOMPARE(storedProfileValue(profile, QStringLiteral("connection/deviceName")).toString(), QStringLiteral("PHONE01"));
}

void TestPhonePages::savedSignOnEmptiesThePasswordAndSignsOn_data()
{
    QTest::addColumn<bool>("savedHere");
    QTest::newRow("saved for this host: signs on at once") << true;
    QTest::newRow("saved for another port: asks first, Cancel does nothing") << false;
}

// Settings > Sign-on: saving stores the user and the password (in the
// keyring) and empties the password field; the saved login then signs on
// from the menu, after a question where it was saved for another host.
void TestPhonePages::savedSignOnEmptiesThePasswordAndSignsOn()
{
    QFETCH(bool, savedHere);
    const int port = m_client->port();
    const int savedPort = port == 65535 ? 65534 : port + 1;
    if (!savedHere)
        m_client->setPort(savedPort);
    loadShell();
    pullDownAndChoose(QStringLiteral("menuSettings"));
    click(QStringLiteral("settings:signon"));
    QTRY_COMPARE(page()->objectName(), QStringLiteral("signOnPage"));
    if (QTest::currentTestFailed())
        return;
    const QString profile = m_client->currentProfileId();

    typeInto(QStringLiteral("userField"), QStringLiteral("demo"));
    typeInto(QStringLiteral("passwordField"), QLatin1String(PASSWORD), false);
    // (On already where an earlier row left the password in this run's keyring.)
    if (!item(QStringLiteral("rememberSwitch"))->property("checked").toBool())
        click(QStringLiteral("rememberSwitch"));
    click(QStringLiteral("saveLogin"));
    QCOMPARE(item(QStringLiteral("passwordField"))->property("text").toString(), QString());
    QVERIFY(m_client->passwordSaved());
    QCOMPARE(m_client->userName(), QStringLiteral("demo"));
    QCOMPARE(storedProfileValue(profile, QStringLiteral("login/userName")).toString(), QStringLiteral("demo"));
    QCOMPARE(storedProfileValue(profile, QStringLiteral("login/passwordSaved")).toBool(), true);
    QCOMPARE(item(QStringLiteral("credentialStatus"))->property("text").toString(), m_client->credentialStatus());
    QCOMPARE(item(QStringLiteral("savedLoginHost"))->property("text").toString(),
             QStringLiteral("Signs on by itself only to 127.0.0.1:%1").arg(savedHere ? port : savedPort));
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains(PASSWORD));

    goBack();
    goBack();
    QTRY_COMPARE(page()->objectName(), QStringLiteral("terminalPage"));
    // Back on the terminal, the keys go to the terminal again.
    QTRY_COMPARE(m_view->activeFocusItem(), item(QStringLiteral("terminalInput")));
    m_client->setPort(port);
    connectToSignOn();
    pullDownAndChoose(QStringLiteral("menuSignOn"));
    if (!savedHere) {
        QTRY_COMPARE(page()->objectName(), QStringLiteral("confirmDialog"));
        QCOMPARE(item(QStringLiteral("question"))->property("text").toString(),
                 QStringLiteral("The saved login is for 127.0.0.1:%1. Send it to 127.0.0.1:%2 instead?")
                     .arg(savedPort).arg(port));
        click(QStringLiteral("dialogCancel"));
        QTRY_COMPARE(page()->objectName(), QStringLiteral("terminalPage"));
        QCOMPARE(m_host->currentScreen(), QStringLiteral("signon"));
        QCOMPARE(m_host->responses().size(), 0);
        pullDownAndChoose(QStringLiteral("menuSignOn"));
        QTRY_COMPARE(page()->objectName(), QStringLiteral("confirmDialog"));
        click(QStringLiteral("dialogAccept"));
    }
    QTRY_COMPARE(m_host->currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(m_host->failedSignOns(), 0);
    // Still bound to the host it was saved for.
    QCOMPARE(m_client->savedLoginPort(), savedHere ? port : savedPort);
}

// Delete in a profile's menu: the profile stays while the remorse runs and
// when it is cancelled; once it has run, the profile is gone and the one in
// use before is still in use.
void TestPhonePages::deleteWaitsForTheRemorse()
{
    const QString first = m_client->currentProfileId();
    QVERIFY(m_client->createProfile(QStringLiteral("Second")));
    const QString second = m_client->currentProfileId();
    QVERIFY(m_client->createProfile(QStringLiteral("Third")));
    QVERIFY(m_client->switchProfile(first));
    loadShell();
    pullDownAndChoose(QStringLiteral("menuProfiles"));
    if (QTest::currentTestFailed())
        return;

    holdAndChoose(QStringLiteral("profile:") + second, QStringLiteral("profileDelete"));
    QQuickItem *remorse = item(QStringLiteral("remorse"));
    QVERIFY(remorse);
    QVERIFY(remorse->property("pending").toBool());
    QCOMPARE(m_client->profileCount(), 3);
    click(remorse);
    QVERIFY(!remorse->property("pending").toBool());
    QCOMPARE(m_client->profileCount(), 3);

    holdAndChoose(QStringLiteral("profile:") + second, QStringLiteral("profileDelete"));
    QCOMPARE(m_client->profileCount(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(m_client->profileCount(), 2, 15000);
    QVERIFY(!profileIds(*m_client).contains(second));
    QCOMPARE(m_client->currentProfileId(), first);
    QTRY_VERIFY(!item(QStringLiteral("profile:") + second));
}

void TestPhonePages::keyBarsSitAboveTheKeyboard_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("keyboard");
    QTest::addColumn<bool>("operatorLineStays");
    QTest::newRow("portrait") << QSize(540, 960) << QRect(0, 560, 540, 400) << true;
    // The operator line makes room for the terminal there.
    QTest::newRow("landscape") << QSize(960, 540) << QRect(0, 290, 960, 250) << false;
}

// With the keyboard open (the page is told where, as the input method would
// tell it), the key bars end just above it and their keys still work;
// closed, they are back at the bottom.
void TestPhonePages::keyBarsSitAboveTheKeyboard()
{
    QFETCH(QSize, window);
    QFETCH(QRect, keyboard);
    QFETCH(bool, operatorLineStays);
    loadShell(window);
    QQuickItem *terminalPage = page();
    QQuickItem *operatorLine = item(QStringLiteral("operatorLine"));
    QVERIFY(operatorLine);
    QQuickItem *actionBar = item(QStringLiteral("actionBar"));
    QQuickItem *functionBar = item(QStringLiteral("functionBar"));
    QVERIFY(actionBar && functionBar);
    const qreal bottomBefore = sceneRect(actionBar).bottom();
    QVERIFY(bottomBefore > keyboard.top());

    terminalPage->setProperty("keyboardRectangle", QRectF(keyboard));
    terminalPage->setProperty("keyboardVisible", true);
    QTRY_VERIFY(sceneRect(actionBar).bottom() <= keyboard.top());
    QVERIFY(sceneRect(actionBar).bottom() > keyboard.top() - actionBar->height() / 2);
    QVERIFY(sceneRect(functionBar).bottom() <= sceneRect(actionBar).top());
    QQuickItem *view = item(QStringLiteral("terminalView"));
    QVERIFY(view->height() > 0);
    QVERIFY(sceneRect(view).bottom() <= sceneRect(functionBar).top());
    QCOMPARE(operatorLine->isVisible(), operatorLineStays);

    TerminalInput *input = qobject_cast<TerminalInput *>(item(QStringLiteral("terminalInput")));
    QVERIFY(input);
    QSignalSpy triggered(input, SIGNAL(keyTriggered(QString)));
    click(findItem(actionBar, QStringLiteral("key:tab")));
    click(findItem(functionBar, QStringLiteral("key:F3")));
    click(findItem(actionBar, QStringLiteral("key:reset")));
    QCOMPARE(triggered.count(), 3);
    QCOMPARE(triggered.at(0).first().toString(), QStringLiteral("tab"));
    QCOMPARE(triggered.at(1).first().toString(), QStringLiteral("F3"));
    QCOMPARE(triggered.at(2).first().toString(), QStringLiteral("reset"));

    terminalPage->setProperty("keyboardVisible", false);
    QTRY_COMPARE(sceneRect(actionBar).bottom(), bottomBefore);
    QVERIFY(operatorLine->isVisible());
}

// The cover, as the home screen shows it: the profile, the state and the
// screen's top lines; its action connects, and disconnects after the
// question (which brings the application to the front).
void TestPhonePages::coverShowsTheSessionAndConnects()
{
    m_client->setCurrentProfileName(QStringLiteral("Demo host"));
    loadShell();
    QQuickItem *loader = m_view->rootObject()->findChild<QQuickItem *>(QStringLiteral("coverLoader"));
    QVERIFY(loader);
    QQuickItem *cover = loader->property("item").value<QQuickItem *>();
    QVERIFY(cover);
    cover->setProperty("status", 2); // Cover.Active: the application is in the background
    QCOMPARE(cover->findChild<QQuickItem *>(QStringLiteral("coverProfile"))->property("text").toString(),
             QStringLiteral("Demo host"));
    QObject *action = cover->findChild<QObject *>(QStringLiteral("coverConnection"));
    QVERIFY(action);

    QVERIFY(QMetaObject::invokeMethod(action, "triggered"));
    QTRY_VERIFY(m_client->terminalText().contains(QStringLiteral("Sign On")));
    QCOMPARE(cover->findChild<QQuickItem *>(QStringLiteral("coverState"))->property("text").toString(),
             m_client->connectionStateLabel());
    QStringList lines = cover->property("screenLines").toStringList();
    QVERIFY2(lines.contains(QStringLiteral("Sign On")), qPrintable(lines.join(QLatin1Char('|'))));

    QVERIFY(QMetaObject::invokeMethod(action, "triggered"));
    QTRY_COMPARE(page()->objectName(), QStringLiteral("confirmDialog"));
    QVERIFY(m_client->connected());
    click(QStringLiteral("dialogAccept"));
    QTRY_VERIFY(!m_client->connected());
    QCOMPARE(page()->objectName(), QStringLiteral("terminalPage"));
}

// A log longer than the page opens at its end, where the newest lines are.
// (A short window: a sign-on's log fills about one phone page.)
void TestPhonePages::protocolLogOpensAtTheNewestLines()
{
    loadShell(QSize(540, 480));
    connectToSignOn();
    pullDownAndChoose(QStringLiteral("menuProtocolLog"));
    QTRY_COMPARE(page()->objectName(), QStringLiteral("protocolLogPage"));
    QQuickItem *log = item(QStringLiteral("logText"));
    QVERIFY(log);
    QTRY_VERIFY(log->height() > page()->height());
    QTRY_VERIFY(sceneRect(log).bottom() <= page()->height());
    QVERIFY(sceneRect(log).bottom() > page()->height() / 2);
}

QTEST_MAIN(TestPhonePages)
#include "tst_phonepages.moc"
