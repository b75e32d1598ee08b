#ifndef VANTOREL_TN5250CLIENT_H
#define VANTOREL_TN5250CLIENT_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslError>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include "connection/protocollog.h"
#include "connection/reconnectschedule.h"
#include "credentials/credentialstore.h"
#include "protocol/datastreaminterpreter.h"
#include "protocol/savedscreens.h"
#include "protocol/telnetoptions.h"
#include "protocol/telnetparser.h"
#include "protocol/typeaheadqueue.h"
#include "screen/terminalscreen.h"
#include "settings/settingstable.h"

class QAbstractSocket;
class QSettings;
class QTimer;

// The one object behind the interface. It holds the whole client state and is
// published to QML as `tnClient`: the interface reads its properties, calls its
// invokable operations and re-reads on its parameterless change signals; the
// client never pushes data into QML.
//
// It is glue: the work is done by plain classes it owns or calls, below it
// in the layers (the telnet parser and options, the record framer, the
// data-stream interpreter, the read response, the type-ahead queue, the
// reconnect schedule, the protocol log, the settings table, the credential
// store), and the client connects them to the socket, the timers and the
// interface. Its own operations are in src/app, one file per concern:
// clienthost.cpp (the host's data, both ways), clientkeys.cpp (the
// operator's keys), clienttyping.cpp (typing, type-ahead, macros),
// clientconnection.cpp (lifecycle, reconnect, TLS), clientdiagnostics.cpp,
// clientsettings.cpp, clientprofiles.cpp, clientlogin.cpp; the views the
// page reads are in src/view (screenviews.cpp, themes.cpp).
//
// Everything runs on the GUI thread; socket and timer signals arrive through
// the event loop.
class Tn5250Client : public QObject, private TelnetParser::Events
{
    Q_OBJECT

    // --- Profiles -----------------------------------------------------------
    Q_PROPERTY(QString currentProfileId READ currentProfileId NOTIFY profilesChanged)
    Q_PROPERTY(QString currentProfileName READ currentProfileName WRITE setCurrentProfileName NOTIFY profilesChanged)
    Q_PROPERTY(QVariantList profiles READ profiles NOTIFY profilesChanged)
    Q_PROPERTY(int profileCount READ profileCount NOTIFY profilesChanged)
    // --- Preferences of the current profile and global ones -----------------
    Q_PROPERTY(QString host READ host WRITE setHost NOTIFY settingsChanged)
    Q_PROPERTY(int port READ port WRITE setPort NOTIFY settingsChanged)
    Q_PROPERTY(bool tlsEnabled READ tlsEnabled WRITE setTlsEnabled NOTIFY settingsChanged)
    Q_PROPERTY(QString deviceName READ deviceName WRITE setDeviceName NOTIFY settingsChanged)
    Q_PROPERTY(bool support132 READ support132 WRITE setSupport132 NOTIFY settingsChanged)
    Q_PROPERTY(int codePage READ codePage WRITE setCodePage NOTIFY settingsChanged)
    Q_PROPERTY(QString codePageDescription READ codePageDescription NOTIFY settingsChanged)
    Q_PROPERTY(QVariantList codePageOptions READ codePageOptions CONSTANT)
    Q_PROPERTY(double terminalZoom READ terminalZoom WRITE setTerminalZoom NOTIFY settingsChanged)
    Q_PROPERTY(bool autoConnect READ autoConnect WRITE setAutoConnect NOTIFY settingsChanged)
    Q_PROPERTY(bool autoReconnect READ autoReconnect WRITE setAutoReconnect NOTIFY settingsChanged)
    Q_PROPERTY(bool autoLogin READ autoLogin WRITE setAutoLogin NOTIFY settingsChanged)
    Q_PROPERTY(bool showKeyboardOnConnect READ showKeyboardOnConnect WRITE setShowKeyboardOnConnect NOTIFY settingsChanged)
    Q_PROPERTY(bool keepDisplayOn READ keepDisplayOn WRITE setKeepDisplayOn NOTIFY settingsChanged)
    Q_PROPERTY(bool typeAhead READ typeAhead WRITE setTypeAhead NOTIFY settingsChanged)
    Q_PROPERTY(bool confirmDisconnect READ confirmDisconnect WRITE setConfirmDisconnect NOTIFY settingsChanged)
    Q_PROPERTY(bool doubleTapEnter READ doubleTapEnter WRITE setDoubleTapEnter NOTIFY settingsChanged)
    Q_PROPERTY(bool hotspotsEnabled READ hotspotsEnabled WRITE setHotspotsEnabled NOTIFY settingsChanged)
    Q_PROPERTY(bool showFunctionBar READ showFunctionBar WRITE setShowFunctionBar NOTIFY settingsChanged)
    Q_PROPERTY(bool showActionBar READ showActionBar WRITE setShowActionBar NOTIFY settingsChanged)
    Q_PROPERTY(bool showStatusBar READ showStatusBar WRITE setShowStatusBar NOTIFY settingsChanged)
    Q_PROPERTY(int terminalTheme READ terminalTheme WRITE setTerminalTheme NOTIFY settingsChanged)
    Q_PROPERTY(int orientationLock READ orientationLock WRITE setOrientationLock NOTIFY settingsChanged)
    Q_PROPERTY(int keyboardMode READ keyboardMode WRITE setKeyboardMode NOTIFY settingsChanged)
    Q_PROPERTY(int functionKeyPage READ functionKeyPage WRITE setFunctionKeyPage NOTIFY settingsChanged)
    Q_PROPERTY(int settingsSchemaVersion READ settingsSchemaVersion CONSTANT)
    // --- Theme colours ------------------------------------------------------
    Q_PROPERTY(QString terminalForeground READ terminalForeground NOTIFY settingsChanged)
    Q_PROPERTY(QString terminalBackground READ terminalBackground NOTIFY settingsChanged)
    Q_PROPERTY(QString terminalCursorColor READ terminalCursorColor NOTIFY settingsChanged)
    // --- Saved login -------------------------------------------------------
    Q_PROPERTY(QString userName READ userName WRITE setUserName NOTIFY settingsChanged)
    Q_PROPERTY(bool passwordSaved READ passwordSaved NOTIFY credentialsChanged)
    Q_PROPERTY(QString credentialStatus READ credentialStatus NOTIFY credentialsChanged)
    Q_PROPERTY(QString version READ version CONSTANT)
    // --- Connection -----------------------------------------------------------
    Q_PROPERTY(bool connected READ connected NOTIFY connectedChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString diagnostics READ diagnostics NOTIFY diagnosticsChanged)
    Q_PROPERTY(QString connectionState READ connectionState NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString connectionStateLabel READ connectionStateLabel NOTIFY connectionInfoChanged)
    Q_PROPERTY(bool reconnecting READ reconnecting NOTIFY connectionInfoChanged)
    Q_PROPERTY(int reconnectAttempt READ reconnectAttempt NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString lastErrorCategory READ lastErrorCategory NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString lastErrorDetail READ lastErrorDetail NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsProtocol READ tlsProtocol NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsCipher READ tlsCipher NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsPeerSubject READ tlsPeerSubject NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsPeerIssuer READ tlsPeerIssuer NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsValidFrom READ tlsValidFrom NOTIFY connectionInfoChanged)
    Q_PROPERTY(QString tlsValidTo READ tlsValidTo NOTIFY connectionInfoChanged)
    // --- Macros -------------------------------------------------------------
    Q_PROPERTY(QVariantList macros READ macros NOTIFY macrosChanged)
    // --- Screen ---------------------------------------------------------------
    Q_PROPERTY(int rows READ rows NOTIFY screenChanged)
    Q_PROPERTY(int columns READ columns NOTIFY screenChanged)
    Q_PROPERTY(int cursorRow READ cursorRow NOTIFY screenChanged)
    Q_PROPERTY(int cursorColumn READ cursorColumn NOTIFY screenChanged)
    Q_PROPERTY(bool keyboardLocked READ keyboardLocked NOTIFY screenChanged)
    Q_PROPERTY(bool messageWaiting READ messageWaiting NOTIFY screenChanged)
    Q_PROPERTY(bool insertMode READ insertMode NOTIFY screenChanged)
    Q_PROPERTY(int visibleCellCount READ visibleCellCount NOTIFY screenChanged)
    Q_PROPERTY(int inputFieldCount READ inputFieldCount NOTIFY screenChanged)
    Q_PROPERTY(int rxRecordCount READ rxRecordCount NOTIFY protocolStatsChanged)
    Q_PROPERTY(int lastRecordBytes READ lastRecordBytes NOTIFY protocolStatsChanged)
    Q_PROPERTY(QString terminalText READ terminalText NOTIFY screenChanged)
    Q_PROPERTY(QVariantList inputFieldSegments READ inputFieldSegments NOTIFY screenChanged)
    Q_PROPERTY(QVariantList hotspotSegments READ hotspotSegments NOTIFY screenChanged)
    // --- Added after the published interface ------------------------------
    // The host's Write Error Code holds the keyboard until reset().
    Q_PROPERTY(bool inputError READ inputError NOTIFY screenChanged)
    // Where the saved login may go.
    Q_PROPERTY(bool autoLoginWithoutTls READ autoLoginWithoutTls WRITE setAutoLoginWithoutTls NOTIFY settingsChanged)
    Q_PROPERTY(QString savedLoginHost READ savedLoginHost NOTIFY settingsChanged)
    Q_PROPERTY(int savedLoginPort READ savedLoginPort NOTIFY settingsChanged)
    Q_PROPERTY(bool savedLoginHostMatches READ savedLoginHostMatches NOTIFY settingsChanged)
    Q_PROPERTY(QString signOnQuestion READ signOnQuestion NOTIFY settingsChanged)

public:
    explicit Tn5250Client(QObject *parent = nullptr);
    ~Tn5250Client() override;

    // --- Property readers ----------------------------------------------------
    QString currentProfileId() const { return m_currentProfileId; }
    QString currentProfileName() const { return m_settings.text(Settings::ProfileName); }
    QVariantList profiles() const;
    int profileCount() const { return m_profileIds.size(); }
    QString host() const { return m_settings.text(Settings::Host); }
    int port() const { return m_settings.number(Settings::Port); }
    bool tlsEnabled() const { return m_settings.flag(Settings::Tls); }
    QString deviceName() const { return m_settings.text(Settings::DeviceName); }
    bool support132() const { return m_settings.flag(Settings::Support132); }
    int codePage() const { return m_settings.number(Settings::CodePage); }
    QString codePageDescription() const;
    QVariantList codePageOptions() const;
    double terminalZoom() const { return m_settings.real(Settings::Zoom); }
    bool autoConnect() const { return m_settings.flag(Settings::AutoConnect); }
    bool autoReconnect() const { return m_settings.flag(Settings::AutoReconnect); }
    bool autoLogin() const { return m_settings.flag(Settings::AutoLogin); }
    bool showKeyboardOnConnect() const { return m_settings.flag(Settings::ShowKeyboardOnConnect); }
    bool keepDisplayOn() const { return m_settings.flag(Settings::KeepDisplayOn); }
    bool typeAhead() const { return m_settings.flag(Settings::TypeAhead); }
    bool confirmDisconnect() const { return m_settings.flag(Settings::ConfirmDisconnect); }
    bool doubleTapEnter() const { return m_settings.flag(Settings::DoubleTapEnter); }
    bool hotspotsEnabled() const { return m_settings.flag(Settings::Hotspots); }
    bool showFunctionBar() const { return m_settings.flag(Settings::ShowFunctionBar); }
    bool showActionBar() const { return m_settings.flag(Settings::ShowActionBar); }
    bool showStatusBar() const { return m_settings.flag(Settings::ShowStatusBar); }
    int terminalTheme() const { return m_settings.number(Settings::Theme); }
    int orientationLock() const { return m_settings.number(Settings::OrientationLock); }
    int keyboardMode() const { return m_settings.number(Settings::KeyboardMode); }
    int functionKeyPage() const { return m_settings.number(Settings::FunctionKeyPage); }
    int settingsSchemaVersion() const { return 6; }
    QString terminalForeground() const;
    QString terminalBackground() const;
    QString terminalCursorColor() const;
    QString userName() const { return m_settings.text(Settings::UserName); }
    bool passwordSaved() const { return m_settings.flag(Settings::PasswordSaved); }
    QString credentialStatus() const { return m_credentialStatus; }
    QString version() const { return QStringLiteral("1.0.0"); }
    bool connected() const { return m_connected; }
    QString status() const { return m_status; }
    QString diagnostics() const { return m_log.text(); }
    QString connectionState() const { return m_connectionState; }
    QString connectionStateLabel() const;
    bool reconnecting() const;
    int reconnectAttempt() const { return m_reconnectSchedule.attempts(); }
    QString lastErrorCategory() const { return m_lastErrorCategory; }
    QString lastErrorDetail() const { return m_lastErrorDetail; }
    QString tlsProtocol() const { return m_tlsProtocol; }
    QString tlsCipher() const { return m_tlsCipher; }
    QString tlsPeerSubject() const { return m_tlsPeerSubject; }
    QString tlsPeerIssuer() const { return m_tlsPeerIssuer; }
    QString tlsValidFrom() const { return m_tlsValidFrom; }
    QString tlsValidTo() const { return m_tlsValidTo; }
    QVariantList macros() const;
    int rows() const { return m_screen.rows; }
    int columns() const { return m_screen.columns; }
    int cursorRow() const { return m_screen.cursorRow() + 1; }
    int cursorColumn() const { return m_screen.cursorColumn() + 1; }
    bool keyboardLocked() const { return m_screen.keyboardLocked; }
    bool messageWaiting() const { return m_screen.messageWaiting; }
    bool insertMode() const { return m_screen.insertMode; }
    // Lets the page tell an empty presentation space from a drawn one.
    int visibleCellCount() const { return m_screen.visibleCellCount(); }
    int inputFieldCount() const { return m_screen.fields.size(); }
    int rxRecordCount() const { return m_rxRecordCount; }
    int lastRecordBytes() const { return m_lastRecordBytes; }
    QString terminalText() const;
    QVariantList inputFieldSegments() const;
    QVariantList hotspotSegments() const;
    bool inputError() const { return m_screen.inputError; }

    bool autoLoginWithoutTls() const { return m_settings.flag(Settings::AutoLoginWithoutTls); }
    // The host and port the saved password was saved for (empty and 0 for a
    // login saved before they were recorded).
    QString savedLoginHost() const { return m_settings.text(Settings::LoginHost); }
    int savedLoginPort() const { return m_settings.number(Settings::LoginPort); }
    // Whether a sign-on now would go to that host and port: the current
    // connection's, or without one the profile's.
    bool savedLoginHostMatches() const;
    // What to ask before "Sign on" sends the saved login to another host (or
    // to one not recorded yet); empty when performSavedLogin needs no
    // question. The answer "yes" is performConfirmedSavedLogin.
    QString signOnQuestion() const;

    // The presentation space, for the painted view.
    const TerminalScreen &terminalScreen() const { return m_screen; }

    // --- Property setters (src/app/clientsettings.cpp; setCurrentProfileName
    //     in clientprofiles.cpp, setUserName in clientlogin.cpp) ------------
    void setCurrentProfileName(const QString &name);
    void setHost(const QString &host);
    void setPort(int port);
    void setTlsEnabled(bool enabled);
    void setDeviceName(const QString &name);
    void setSupport132(bool enabled);
    void setCodePage(int codePage);
    void setTerminalZoom(double zoom);
    void setAutoConnect(bool on);
    void setAutoReconnect(bool on);
    void setAutoLogin(bool on);
    void setShowKeyboardOnConnect(bool on);
    void setKeepDisplayOn(bool on);
    void setTypeAhead(bool on);
    void setConfirmDisconnect(bool on);
    void setDoubleTapEnter(bool on);
    void setHotspotsEnabled(bool on);
    void setShowFunctionBar(bool on);
    void setShowActionBar(bool on);
    void setShowStatusBar(bool on);
    void setTerminalTheme(int theme);
    void setOrientationLock(int value);
    void setKeyboardMode(int value);
    void setFunctionKeyPage(int value);
    void setUserName(const QString &name);
    void setAutoLoginWithoutTls(bool on);

signals:
    void profilesChanged();
    void settingsChanged();
    void connectedChanged();
    void statusChanged();
    void diagnosticsChanged();
    void screenChanged();
    void terminalBell();
    void protocolStatsChanged();
    void credentialsChanged();
    void requestKeyboard();
    void connectionInfoChanged();
    void macrosChanged();

private slots:
    void socketReadyRead();
    void socketConnected();
    void socketEncrypted();
    void socketDisconnected();
    void socketError();
    void sslErrors(const QList<QSslError> &errors);
    void reconnectTimeout();
    void connectionTimeout();

public:
    // --- The QML interface: invokable operations, in published order --------
    Q_INVOKABLE bool switchProfile(const QString &profileId);
    Q_INVOKABLE bool createProfile(const QString &name);
    Q_INVOKABLE bool duplicateCurrentProfile();
    Q_INVOKABLE bool deleteCurrentProfile();
    Q_INVOKABLE void connectToHost();
    Q_INVOKABLE void disconnectFromHost();
    Q_INVOKABLE void saveSettings();
    Q_INVOKABLE bool inputText(const QString &text);
    Q_INVOKABLE void sendFunctionKey(int number);
    Q_INVOKABLE void sendEnter();
    Q_INVOKABLE void sendClear();
    Q_INVOKABLE void sendHelp();
    Q_INVOKABLE void sendPageUp();
    Q_INVOKABLE void sendPageDown();
    Q_INVOKABLE void sendSystemRequest();
    Q_INVOKABLE void sendAttention();
    Q_INVOKABLE void tab();
    Q_INVOKABLE void backtab();
    Q_INVOKABLE void backspace();
    Q_INVOKABLE void deleteCharacter();
    Q_INVOKABLE void fieldExit();
    Q_INVOKABLE void fieldPlus();
    Q_INVOKABLE void fieldMinus();
    Q_INVOKABLE void home();
    Q_INVOKABLE void newLine();
    Q_INVOKABLE void toggleInsertMode();
    Q_INVOKABLE void eraseToEndOfField();
    Q_INVOKABLE void eraseInput();
    Q_INVOKABLE void sendPaKey(int number);
    Q_INVOKABLE void sendTestRequest();
    Q_INVOKABLE void moveCursorLeft();
    Q_INVOKABLE void moveCursorRight();
    Q_INVOKABLE void moveCursorUp();
    Q_INVOKABLE void moveCursorDown();
    Q_INVOKABLE void setCursorCell(int rowOneBased, int colOneBased);
    Q_INVOKABLE QString screenText() const;
    Q_INVOKABLE void copyScreen();
    Q_INVOKABLE void pasteClipboard();
    Q_INVOKABLE void clearDiagnostics();
    Q_INVOKABLE void copyDiagnostics();
    Q_INVOKABLE void showDisplayTest();
    Q_INVOKABLE bool saveLoginCredentials(const QString &userName, const QString &password, bool rememberPassword);
    Q_INVOKABLE void clearLoginCredentials();
    Q_INVOKABLE bool performSavedLogin();
    Q_INVOKABLE void sendPrint();
    Q_INVOKABLE void endOfField();
    Q_INVOKABLE void runMacro(const QString &macro);
    Q_INVOKABLE bool saveMacro(int index, const QString &name, const QString &sequence);
    Q_INVOKABLE bool deleteMacro(int index);
    Q_INVOKABLE bool runMacroAt(int index);
    // --- Added after the published interface (src/app/clientkeys.cpp) -----
    // The 5250 Reset key: leaves an input error, ends insert mode.
    Q_INVOKABLE void reset();
    // The saved login after the question.
    // "Sign on" after the user has answered signOnQuestion: sends the saved
    // login to the current host although it was saved for another one. A
    // login saved before hosts were recorded is bound to this host from now
    // on; one saved for another host stays bound to that one.
    Q_INVOKABLE bool performConfirmedSavedLogin();

    // --- Outside the QML interface ---------------------------------------
    // The bytes the socket delivers, as socketReadyRead hands them on; the
    // benchmarks and the tests feed host streams in here.
    void processTelnetBytes(const QByteArray &bytes);
    // How long one turn of the event loop may parse the socket's data, in
    // ms: far more than a real host's screen needs, little enough that the
    // interface stays live under a host that streams without pause.
    static const int HOST_TURN_MS = 20;

private:
    friend class ClientProbe; // tests/common/clientprobe.h

    // The host's data and the answers to it (src/app/clienthost.cpp)
    void telnetRecord(const QByteArray &record) override;
    void telnetNegotiation(quint8 verb, quint8 option) override;
    void telnetSubnegotiation(const QByteArray &bytes) override;
    void telnetDropped(const QString &diagnostic) override;
    bool telnetPaused() override;
    void readHostData();
    bool hostTurnOver() const;
    int feedHostBytes(const QByteArray &bytes, int from, bool budgeted);
    void checkUnsentOutput();
    void startNegotiation();
    void sendTelnet(const QByteArray &bytes, const QString &logLine = QString());
    void processRecord(const QByteArray &record);
    // False when the record was refused or the sending ended the connection.
    bool sendRecord(quint8 opcode, const QByteArray &data, quint8 flags);
    void process5250Data(quint8 opcode, const QByteArray &data);
    void afterRecord(const DataStreamInterpreter::Effects &effects);

    // The operator's keys and text (src/app/clientkeys.cpp, clienttyping.cpp)
    void sendAid(quint8 aid, int function, bool noData);
    bool sendCheckedEnter();
    bool refusedForInputError();
    void applyFieldExit(bool minus);
    void queueTypeAheadText(const QString &text);
    void queueTypeAheadAid(quint8 aid, int function, bool noData);
    void drainTypeAhead();

    // Connection lifecycle, reconnect, TLS (src/app/clientconnection.cpp)
    void setStatus(const QString &text);
    void setConnectionState(const QString &state);
    void setLastError(const QString &category, const QString &detail);
    void beginConnection(bool reconnect);
    void sessionEstablished();
    void sessionStayedUp();
    bool stillCurrent(quint32 serial) const { return serial == m_connectionSerial; }
    void clearSessionPresentation();
    void resetProtocolState();
    void dropSocket(bool abortSocket);
    void handleSocketClosed();
    void scheduleReconnect(const QString &reason);
    void cancelReconnect();
    void updateTlsDetails();
    void resetTlsDetails();

    // Protocol log (src/app/clientdiagnostics.cpp)
    void appendDiagnostic(const QString &text);

    // Settings and the saved login (src/app/clientsettings.cpp, clientlogin.cpp)
    void loadSettings();
    void loadCurrentProfile(QSettings &settings);
    bool changeSetting(Settings::Key key, const QVariant &value);
    void setSetting(Settings::Key key, const QVariant &value);
    void probeSavedPassword(QSettings &settings);
    void maybeAutoLogin();
    enum SignOnRequest { AutomaticSignOn, SignOnByHand, ConfirmedSignOn };
    bool signOnWithSavedLogin(SignOnRequest request);
    void checkSignOnAnswer();
    void setAutoLoginStopped(bool stopped);
    QString signOnHost() const;
    int signOnPort() const;

    // --- Profiles, preferences and the saved login ------------------------------
    QString m_currentProfileId;
    QStringList m_profileIds;
    Settings::Values m_settings;
    QString m_credentialStatus;
    bool m_autoLoginAttempted = false;
    // A saved login was sent; the host's next screen tells whether it took it.
    bool m_signOnAnswerPending = false;
    // --- Type-ahead -------------------------------------------------------------
    bool m_typeAheadDraining = false;
    TypeAheadQueue m_typeAheadQueue;
    CredentialStore m_credentialStore;
    // --- Connection ---------------------------------------------------------
    bool m_connected = false;
    QString m_status;
    ProtocolLog m_log;
    QString m_connectionState;
    ReconnectSchedule m_reconnectSchedule;
    bool m_userDisconnectRequested = false;
    bool m_connectionErrorReported = false;
    bool m_tlsValidationFailed = false;
    // The attempt failed with an error that waiting does not mend.
    bool m_errorNotRetried = false;
    // Raised whenever a connection starts or the user ends one. A handler
    // notes it before it emits (QML runs inside the emit and may connect or
    // disconnect) and stops when it has changed: the connection it was
    // working on is no longer the current one.
    quint32 m_connectionSerial = 0;
    quint32 m_feedSerial = 0;
    // Where the current connection goes, as it started.
    QString m_sessionHost;
    int m_sessionPort = 0;
    bool m_sessionTls = false;
    QString m_lastErrorCategory;
    QString m_lastErrorDetail;
    QString m_tlsProtocol;
    QString m_tlsCipher;
    QString m_tlsPeerSubject;
    QString m_tlsPeerIssuer;
    QString m_tlsValidFrom;
    QString m_tlsValidTo;
    QTimer *m_reconnectTimer = nullptr;
    QTimer *m_connectionTimer = nullptr;
    // A session that stays up this long counts as working: the reconnect
    // waits start from the beginning again.
    QTimer *m_sessionUpTimer = nullptr;
    QPointer<QAbstractSocket> m_socket;
    // --- Presentation space -------------------------------------------------
    TerminalScreen m_screen;
    SavedScreens m_savedScreens;
    // --- Views of the screen, each built at most once per change of it
    //     (src/view/screenviews.cpp) ------------------------------------------
    struct ScreenViews
    {
        TerminalScreen screen; // the copy they were built from
        int codePage = -1;
        bool hasText = false;
        bool hasSegments = false;
        bool hasHotspots = false;
        QString text;
        QVariantList segments;
        QVariantList hotspots;
    };
    mutable ScreenViews m_views;
    ScreenViews &currentViews() const;
    // --- Protocol engine ------------------------------------------------------
    TelnetParser m_telnetParser;
    TelnetOptions m_telnetOptions;
    bool m_negotiationStarted = false;
    // The host's data not yet parsed, of the socket it was read from, and
    // the continuation that parses it in the next turn (clienthost.cpp).
    QTimer *m_hostDataTimer = nullptr;
    QByteArray m_unparsedHostBytes;
    int m_unparsedOffset = 0;
    QPointer<QAbstractSocket> m_unparsedFrom;
    QAbstractSocket *m_feedingSocket = nullptr;
    bool m_feedBudgeted = false;
    QElapsedTimer m_hostTurn;
    int m_hostTurnMs = HOST_TURN_MS;
    int m_pendingReadMode = 0;
    int m_rxRecordCount = 0;
    int m_lastRecordBytes = 0;
};

// Switches TCP keep-alive on for a connection (src/app/clientconnection.cpp).
void enableKeepAlive(QAbstractSocket *socket);
// Bounds what a connection's socket holds unread (src/app/clienthost.cpp).
void limitReadBuffer(QAbstractSocket *socket);

#endif
