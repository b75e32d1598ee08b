// The QML interface of the client is a published contract: the pages bind to
// these names, call the operations positionally and rely on the change
// signals. This test reads Tn5250Client's meta-object and compares it, entry
// by entry and in order, with the interface as published, and then with the
// entries added after it (never in between).

#include <QMetaMethod>
#include <QMetaProperty>
#include <QtTest>

#include "app/tn5250client.h"

namespace {

struct PropertySpec
{
    const char *name;
    const char *type;
    const char *access; // "RW", "R" or "const"
    const char *notify; // signal name, or "" for constant properties
};

const PropertySpec PROPERTIES[] = {
    {"currentProfileId", "QString", "R", "profilesChanged"},
    {"currentProfileName", "QString", "RW", "profilesChanged"},
    {"profiles", "QVariantList", "R", "profilesChanged"},
    {"profileCount", "int", "R", "profilesChanged"},
    {"host", "QString", "RW", "settingsChanged"},
    {"port", "int", "RW", "settingsChanged"},
    {"tlsEnabled", "bool", "RW", "settingsChanged"},
    {"deviceName", "QString", "RW", "settingsChanged"},
    {"support132", "bool", "RW", "settingsChanged"},
    {"codePage", "int", "RW", "settingsChanged"},
    {"codePageDescription", "QString", "R", "settingsChanged"},
    {"codePageOptions", "QVariantList", "const", ""},
    {"terminalZoom", "double", "RW", "settingsChanged"},
    {"autoConnect", "bool", "RW", "settingsChanged"},
    {"autoReconnect", "bool", "RW", "settingsChanged"},
    {"autoLogin", "bool", "RW", "settingsChanged"},
    {"showKeyboardOnConnect", "bool", "RW", "settingsChanged"},
    {"keepDisplayOn", "bool", "RW", "settingsChanged"},
    {"typeAhead", "bool", "RW", "settingsChanged"},
    {"confirmDisconnect", "bool", "RW", "settingsChanged"},
    {"doubleTapEnter", "bool", "RW", "settingsChanged"},
    {"hotspotsEnabled", "bool", "RW", "settingsChanged"},
    {"showFunctionBar", "bool", "RW", "settingsChanged"},
    {"showActionBar", "bool", "RW", "settingsChanged"},
    {"showStatusBar", "bool", "RW", "settingsChanged"},
    {"terminalTheme", "int", "RW", "settingsChanged"},
    {"orientationLock", "int", "RW", "settingsChanged"},
    {"keyboardMode", "int", "RW", "settingsChanged"},
    {"functionKeyPage", "int", "RW", "settingsChanged"},
    {"settingsSchemaVersion", "int", "const", ""},
    {"terminalForeground", "QString", "R", "settingsChanged"},
    {"terminalBackground", "QString", "R", "settingsChanged"},
    {"terminalCursorColor", "QString", "R", "settingsChanged"},
    {"userName", "QString", "RW", "settingsChanged"},
    {"passwordSaved", "bool", "R", "credentialsChanged"},
    {"credentialStatus", "QString", "R", "credentialsChanged"},
    {"version", "QString", "const", ""},
    {"connected", "bool", "R", "connectedChanged"},
    {"status", "QString", "R", "statusChanged"},
    {"diagnostics", "QString", "R", "diagnosticsChanged"},
    {"connectionState", "QString", "R", "connectionInfoChanged"},
    {"connectionStateLabel", "QString", "R", "connectionInfoChanged"},
    {"reconnecting", "bool", "R", "connectionInfoChanged"},
    {"reconnectAttempt", "int", "R", "connectionInfoChanged"},
    {"lastErrorCategory", "QString", "R", "connectionInfoChanged"},
    {"lastErrorDetail", "QString", "R", "connectionInfoChanged"},
    {"tlsProtocol", "QString", "R", "connectionInfoChanged"},
    {"tlsCipher", "QString", "R", "connectionInfoChanged"},
    {"tlsPeerSubject", "QString", "R", "connectionInfoChanged"},
    {"tlsPeerIssuer", "QString", "R", "connectionInfoChanged"},
    {"tlsValidFrom", "QString", "R", "connectionInfoChanged"},
    {"tlsValidTo", "QString", "R", "connectionInfoChanged"},
    {"macros", "QVariantList", "R", "macrosChanged"},
    {"rows", "int", "R", "screenChanged"},
    {"columns", "int", "R", "screenChanged"},
    {"cursorRow", "int", "R", "screenChanged"},
    {"cursorColumn", "int", "R", "screenChanged"},
    {"keyboardLocked", "bool", "R", "screenChanged"},
    {"messageWaiting", "bool", "R", "screenChanged"},
    {"insertMode", "bool", "R", "screenChanged"},
    {"visibleCellCount", "int", "R", "screenChanged"},
    {"inputFieldCount", "int", "R", "screenChanged"},
    {"rxRecordCount", "int", "R", "protocolStatsChanged"},
    {"lastRecordBytes", "int", "R", "protocolStatsChanged"},
    {"terminalText", "QString", "R", "screenChanged"},
    {"inputFieldSegments", "QVariantList", "R", "screenChanged"},
    {"hotspotSegments", "QVariantList", "R", "screenChanged"},
    // Added after the published interface.
    {"inputError", "bool", "R", "screenChanged"},
    // Where the saved login may go.
    {"autoLoginWithoutTls", "bool", "RW", "settingsChanged"},
    {"savedLoginHost", "QString", "R", "settingsChanged"},
    {"savedLoginPort", "int", "R", "settingsChanged"},
    {"savedLoginHostMatches", "bool", "R", "settingsChanged"},
    {"signOnQuestion", "QString", "R", "settingsChanged"},
};

const int PUBLISHED_PROPERTIES = 67;
const int PUBLISHED_INVOKABLES = 50;

struct MethodSpec
{
    const char *signature;  // normalised: name(type,type)
    const char *returnType; // "void", "bool", "QString"
    const char *parameterNames; // comma-separated
};

const MethodSpec SIGNALS[] = {
    {"profilesChanged()", "void", ""},
    {"settingsChanged()", "void", ""},
    {"connectedChanged()", "void", ""},
    {"statusChanged()", "void", ""},
    {"diagnosticsChanged()", "void", ""},
    {"screenChanged()", "void", ""},
    {"terminalBell()", "void", ""},
    {"protocolStatsChanged()", "void", ""},
    {"credentialsChanged()", "void", ""},
    {"requestKeyboard()", "void", ""},
    {"connectionInfoChanged()", "void", ""},
    {"macrosChanged()", "void", ""},
};

const MethodSpec SLOTS[] = {
    {"socketReadyRead()", "void", ""},
    {"socketConnected()", "void", ""},
    {"socketEncrypted()", "void", ""},
    {"socketDisconnected()", "void", ""},
    {"socketError()", "void", ""},
    {"sslErrors(QList<QSslError>)", "void", "errors"},
    {"reconnectTimeout()", "void", ""},
    {"connectionTimeout()", "void", ""},
};

const MethodSpec INVOKABLES[] = {
    {"switchProfile(QString)", "bool", "profileId"},
    {"createProfile(QString)", "bool", "name"},
    {"duplicateCurrentProfile()", "bool", ""},
    {"deleteCurrentProfile()", "bool", ""},
    {"connectToHost()", "void", ""},
    {"disconnectFromHost()", "void", ""},
    {"saveSettings()", "void", ""},
    {"inputText(QString)", "bool", "text"},
    {"sendFunctionKey(int)", "void", "number"},
    {"sendEnter()", "void", ""},
    {"sendClear()", "void", ""},
    {"sendHelp()", "void", ""},
    {"sendPageUp()", "void", ""},
    {"sendPageDown()", "void", ""},
    {"sendSystemRequest()", "void", ""},
    {"sendAttention()", "void", ""},
    {"tab()", "void", ""},
    {"backtab()", "void", ""},
    {"backspace()", "void", ""},
    {"deleteCharacter()", "void", ""},
    {"fieldExit()", "void", ""},
    {"fieldPlus()", "void", ""},
    {"fieldMinus()", "void", ""},
    {"home()", "void", ""},
    {"newLine()", "void", ""},
    {"toggleInsertMode()", "void", ""},
    {"eraseToEndOfField()", "void", ""},
    {"eraseInput()", "void", ""},
    {"sendPaKey(int)", "void", "number"},
    {"sendTestRequest()", "void", ""},
    {"moveCursorLeft()", "void", ""},
    {"moveCursorRight()", "void", ""},
    {"moveCursorUp()", "void", ""},
    {"moveCursorDown()", "void", ""},
    {"setCursorCell(int,int)", "void", "rowOneBased,colOneBased"},
    {"screenText()", "QString", ""},
    {"copyScreen()", "void", ""},
    {"pasteClipboard()", "void", ""},
    {"clearDiagnostics()", "void", ""},
    {"copyDiagnostics()", "void", ""},
    {"showDisplayTest()", "void", ""},
    {"saveLoginCredentials(QString,QString,bool)", "bool", "userName,password,rememberPassword"},
    {"clearLoginCredentials()", "void", ""},
    {"performSavedLogin()", "bool", ""},
    {"sendPrint()", "void", ""},
    {"endOfField()", "void", ""},
    {"runMacro(QString)", "void", "macro"},
    {"saveMacro(int,QString,QString)", "bool", "index,name,sequence"},
    {"deleteMacro(int)", "bool", "index"},
    {"runMacroAt(int)", "bool", "index"},
    // Added after the published interface.
    {"reset()", "void", ""},
    {"performConfirmedSavedLogin()", "bool", ""},
};

template <typename T, int N>
constexpr int countOf(const T (&)[N])
{
    return N;
}

} // namespace

class TestMetaObject : public QObject
{
    Q_OBJECT

private slots:
    void propertyCount();
    void properties_data();
    void properties();
    void methodCounts();
    void methods_data();
    void methods();
    void methodsOutsideTheInterface();
};

void TestMetaObject::propertyCount()
{
    const QMetaObject &mo = Tn5250Client::staticMetaObject;
    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), countOf(PROPERTIES));
    QCOMPARE(countOf(PROPERTIES), PUBLISHED_PROPERTIES + 6);
    // The published ones come first, ending where they always ended.
    QCOMPARE(QByteArray(mo.property(mo.propertyOffset() + PUBLISHED_PROPERTIES - 1).name()),
             QByteArray("hotspotSegments"));
}

void TestMetaObject::properties_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < countOf(PROPERTIES); ++i)
        QTest::newRow(PROPERTIES[i].name) << i;
}

void TestMetaObject::properties()
{
    QFETCH(int, index);
    const PropertySpec &spec = PROPERTIES[index];
    const QMetaObject &mo = Tn5250Client::staticMetaObject;
    const QMetaProperty property = mo.property(mo.propertyOffset() + index);

    QCOMPARE(QByteArray(property.name()), QByteArray(spec.name));
    QCOMPARE(QByteArray(property.typeName()), QByteArray(spec.type));
    QVERIFY(property.isReadable());

    const QByteArray access(spec.access);
    QCOMPARE(property.isWritable(), access == "RW");
    QCOMPARE(property.isConstant(), access == "const");
    if (access == "const") {
        QVERIFY(!property.hasNotifySignal());
    } else {
        QVERIFY(property.hasNotifySignal());
        QCOMPARE(QByteArray(property.notifySignal().name()), QByteArray(spec.notify));
    }
}

void TestMetaObject::methodCounts()
{
    const QMetaObject &mo = Tn5250Client::staticMetaObject;
    int signalCount = 0;
    int slotCount = 0;
    int invokableCount = 0;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        switch (mo.method(i).methodType()) {
        case QMetaMethod::Signal:
            ++signalCount;
            break;
        case QMetaMethod::Slot:
            ++slotCount;
            break;
        case QMetaMethod::Method:
            ++invokableCount;
            break;
        case QMetaMethod::Constructor:
            QFAIL("the client has no invokable constructor");
        }
    }
    QCOMPARE(signalCount, 12);
    QCOMPARE(slotCount, 8);
    QCOMPARE(invokableCount, PUBLISHED_INVOKABLES + 2);
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 12 + 8 + PUBLISHED_INVOKABLES + 2);
}

void TestMetaObject::methods_data()
{
    QTest::addColumn<int>("relativeIndex");
    QTest::addColumn<int>("methodType");
    QTest::addColumn<int>("access");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<QByteArray>("returnType");
    QTest::addColumn<QByteArray>("parameterNames");

    int index = 0;
    for (const MethodSpec &spec : SIGNALS)
        QTest::newRow(spec.signature) << index++ << int(QMetaMethod::Signal) << int(QMetaMethod::Public)
                                      << QByteArray(spec.signature) << QByteArray(spec.returnType)
                                      << QByteArray(spec.parameterNames);
    for (const MethodSpec &spec : SLOTS)
        QTest::newRow(spec.signature) << index++ << int(QMetaMethod::Slot) << int(QMetaMethod::Private)
                                      << QByteArray(spec.signature) << QByteArray(spec.returnType)
                                      << QByteArray(spec.parameterNames);
    for (const MethodSpec &spec : INVOKABLES)
        QTest::newRow(spec.signature) << index++ << int(QMetaMethod::Method) << int(QMetaMethod::Public)
                                      << QByteArray(spec.signature) << QByteArray(spec.returnType)
                                      << QByteArray(spec.parameterNames);
}

void TestMetaObject::methods()
{
    QFETCH(int, relativeIndex);
    QFETCH(int, methodType);
    QFETCH(int, access);
    QFETCH(QByteArray, signature);
    QFETCH(QByteArray, returnType);
    QFETCH(QByteArray, parameterNames);

    const QMetaObject &mo = Tn5250Client::staticMetaObject;
    const QMetaMethod method = mo.method(mo.methodOffset() + relativeIndex);
    QCOMPARE(method.methodSignature(), signature);
    QCOMPARE(int(method.methodType()), methodType);
    QCOMPARE(int(method.access()), access);
    QCOMPARE(QByteArray(method.typeName()), returnType);

    QList<QByteArray> names = method.parameterNames();
    QList<QByteArray> expected = parameterNames.isEmpty() ? QList<QByteArray>()
                                                          : parameterNames.split(',');
    QCOMPARE(names, expected);
    QCOMPARE(method.parameterCount(), expected.size());
}

// Nothing beyond the published interface leaks into the meta-object: no
// enumerations, class infos or constructors, and the property setters are
// reached through the properties, not as methods of their own.
void TestMetaObject::methodsOutsideTheInterface()
{
    const QMetaObject &mo = Tn5250Client::staticMetaObject;
    QCOMPARE(mo.superClass(), &QObject::staticMetaObject);
    QCOMPARE(mo.classInfoCount() - mo.classInfoOffset(), 0);
    QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 0);
    QCOMPARE(mo.constructorCount(), 0);
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QByteArray name = mo.method(i).name();
        const bool looksLikeSetter = name.size() > 3 && name.startsWith("set")
                && QChar::fromLatin1(name.at(3)).isUpper();
        QVERIFY2(!looksLikeSetter || name == "setCursorCell",
                 ("property setters are not published as methods: " + name).constData());
    }
}

QTEST_GUILESS_MAIN(TestMetaObject)
#include "tst_metaobject.moc"
