// The saved login of a profile as the interface uses it: saving and
// clearing it, the password probe at every profile load, and filling a
// recognised sign-on screen on request, or by itself once per connection
// when the profile asks for it (the after-record step calls
// maybeAutoLogin). The user name is kept in the settings file, the password
// only in the credential store, never in the settings file or the log.
//
// The password goes only where the user meant it to go. The login records
// the host and port it was saved for; automatic sign-on happens only there,
// over TLS unless the user allowed it without, and stops for good (until the
// user signs on by hand or saves the login again) once the host has refused
// it: an IBM i disables a user profile after a few failed sign-ons. "Sign on"
// by hand elsewhere needs the user's answer to signOnQuestion first.
//
// Logins saved by releases that did not record the host are not bound to
// whatever host the profile shows at the first start: that host may already
// be the wrong one. Automatic sign-on waits instead, with a word in the
// credential status, until the user has once signed on by hand and confirmed
// the host; that confirmation binds the login to it.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

#include "credentials/savedlogin.h"
#include "settings/settingskeys.h"

namespace {

// Why automatic sign-on left a sign-on screen alone, for the credential
// status (translated) and the protocol log (not translated).
const char STOPPED_TEXT[] = QT_TRANSLATE_NOOP("Tn5250Client",
    "Automatic sign-on is off since the host refused the saved login: sign on by hand or save the login again");
const char NO_RECORDED_HOST_TEXT[] = QT_TRANSLATE_NOOP("Tn5250Client",
    "Automatic sign-on waits until you confirm the host: sign on by hand once");
const char OTHER_HOST_TEXT[] = QT_TRANSLATE_NOOP("Tn5250Client",
    "Automatic sign-on skipped: the saved login is for %1:%2, not %3:%4");
const char WITHOUT_TLS_TEXT[] = QT_TRANSLATE_NOOP("Tn5250Client",
    "Automatic sign-on skipped: the connection has no TLS, and signing on without TLS is not allowed");

const char *logLine(SavedLogin::AutoSignOn verdict)
{
    switch (verdict) {
    case SavedLogin::AutoSignOnStopped:
        return "Automatic sign-on not performed: the host refused the saved login before";
    case SavedLogin::AutoSignOnNoRecordedHost:
        return "Automatic sign-on not performed: the saved login has no recorded host";
    case SavedLogin::AutoSignOnOtherHost:
        return "Automatic sign-on not performed: the saved login is for another host";
    case SavedLogin::AutoSignOnWithoutTls:
        return "Automatic sign-on not performed: no TLS, and signing on without TLS is not allowed";
    case SavedLogin::AutoSignOnAllowed:
        break;
    }
    return "";
}

} // namespace

void Tn5250Client::setUserName(const QString &name)
{
    setSetting(Settings::UserName, name);
}

void Tn5250Client::setAutoLoginWithoutTls(bool on)
{
    setSetting(Settings::AutoLoginWithoutTls, on);
}

// Where a sign-on now would go: the running connection's host as it started
// (the host field may have been edited since), or the profile's.
QString Tn5250Client::signOnHost() const
{
    return m_socket || m_connected ? m_sessionHost : host();
}

int Tn5250Client::signOnPort() const
{
    return m_socket || m_connected ? m_sessionPort : port();
}

bool Tn5250Client::savedLoginHostMatches() const
{
    return SavedLogin::savedFor(savedLoginHost(), savedLoginPort(), signOnHost(), signOnPort());
}

QString Tn5250Client::signOnQuestion() const
{
    if (!passwordSaved() || userName().isEmpty() || savedLoginHostMatches())
        return QString();
    const QString target = QString::number(signOnPort());
    if (savedLoginHost().isEmpty())
        return tr("The saved login has no recorded host yet. Send it to %1:%2?").arg(signOnHost(), target);
    return tr("The saved login is for %1:%2. Send it to %3:%4 instead?")
        .arg(savedLoginHost(), QString::number(savedLoginPort()), signOnHost(), target);
}

void Tn5250Client::setAutoLoginStopped(bool stopped)
{
    if (m_settings.flag(Settings::AutoLoginStopped) == stopped)
        return;
    m_settings.assign(Settings::AutoLoginStopped, stopped);
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(Settings::path(Settings::AutoLoginStopped, m_currentProfileId), stopped);
    settings.sync();
}

// The flag in the file can lag behind the secure store (a password kept by
// an older release, or a flag lost with the file). The store is asked, and
// the flag corrected when it does hold a password, at every profile load.
void Tn5250Client::probeSavedPassword(QSettings &settings)
{
    if (!passwordSaved() && SavedLogin::passwordStored(m_credentialStore, m_currentProfileId)) {
        m_settings.assign(Settings::PasswordSaved, true);
        settings.setValue(Settings::path(Settings::PasswordSaved, m_currentProfileId), true);
        settings.sync();
    }
    m_credentialStatus = passwordSaved() ? tr("Password saved securely for this profile")
                                         : tr("Password not saved for this profile");
    if (passwordSaved() && autoLogin() && m_settings.flag(Settings::AutoLoginStopped))
        m_credentialStatus = tr(STOPPED_TEXT);
}

bool Tn5250Client::saveLoginCredentials(const QString &userName, const QString &password,
                                        bool rememberPassword)
{
    // The profile may not change while the store is asked, but the keys are
    // written for the profile the request was made for all the same.
    const QString profileId = m_currentProfileId;
    if (profileId.isEmpty())
        return false;

    m_settings.assign(Settings::UserName, userName.trimmed());
    bool ok = true;
    QString error;
    if (!rememberPassword) {
        // A password the store could not delete is still there (and would
        // come back at the next load): the flag keeps saying so.
        ok = m_credentialStore.deletePassword(profileId, &error);
        if (ok) {
            m_settings.assign(Settings::PasswordSaved, false);
            m_settings.assign(Settings::LoginHost, QString());
            m_settings.assign(Settings::LoginPort, SettingsKeys::NO_LOGIN_PORT);
        } else {
            error = tr("The saved password could not be deleted — %1").arg(error);
        }
        if (autoLogin()) {
            // Signing on by itself needs the password that was just forgotten.
            m_settings.assign(Settings::AutoLogin, false);
            emit settingsChanged();
        }
    } else if (!password.isEmpty()) {
        ok = m_credentialStore.storePassword(profileId, password, &error);
        if (ok) {
            // A new password is meant for where the user is now.
            m_settings.assign(Settings::PasswordSaved, true);
            m_settings.assign(Settings::LoginHost, signOnHost());
            m_settings.assign(Settings::LoginPort, signOnPort());
        }
    } else if (!passwordSaved()) {
        // "Remember" without a new password keeps one that is already stored,
        // and the host it was saved for.
        ok = SavedLogin::passwordStored(m_credentialStore, profileId);
        if (ok)
            m_settings.assign(Settings::PasswordSaved, true);
        else
            error = tr("Enter a password before enabling saved password");
    }
    // Saving the login again is the user's word that automatic sign-on may
    // try it once more.
    if (ok && rememberPassword)
        m_settings.assign(Settings::AutoLoginStopped, false);

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(Settings::path(Settings::UserName, profileId), this->userName());
    const Settings::Key loginKeys[] = { Settings::PasswordSaved, Settings::LoginHost, Settings::LoginPort,
                                        Settings::AutoLoginStopped };
    for (Settings::Key key : loginKeys)
        settings.setValue(Settings::path(key, profileId), m_settings.value(key));
    if (ok) {
        m_credentialStatus = passwordSaved() ? tr("Password saved securely for this profile")
                                             : tr("Password not saved for this profile");
        settings.setValue(Settings::path(Settings::AutoLogin, profileId), autoLogin());
    } else if (!rememberPassword) {
        m_credentialStatus = error;
        settings.setValue(Settings::path(Settings::AutoLogin, profileId), autoLogin());
    } else {
        m_credentialStatus = tr("Secure credential save failed — %1").arg(error);
    }
    settings.sync();
    emit settingsChanged();
    emit credentialsChanged();
    return ok;
}

void Tn5250Client::clearLoginCredentials()
{
    QString error;
    const bool deleted = m_credentialStore.deletePassword(m_currentProfileId, &error);
    m_settings.assign(Settings::UserName, QString());
    m_settings.assign(Settings::AutoLogin, false);
    if (deleted) {
        m_settings.assign(Settings::PasswordSaved, false);
        m_settings.assign(Settings::LoginHost, QString());
        m_settings.assign(Settings::LoginPort, SettingsKeys::NO_LOGIN_PORT);
        m_settings.assign(Settings::AutoLoginStopped, false);
        m_credentialStatus = tr("Saved login cleared");
    } else {
        // Saying "cleared" here would be untrue: the password is still in
        // the store (a locked keyring, say), and the flag keeps saying so.
        m_credentialStatus = tr("The saved password could not be deleted — %1").arg(error);
    }

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.remove(Settings::path(Settings::UserName, m_currentProfileId));
    const Settings::Key loginKeys[] = { Settings::PasswordSaved, Settings::AutoLogin, Settings::LoginHost,
                                        Settings::LoginPort, Settings::AutoLoginStopped };
    for (Settings::Key key : loginKeys)
        settings.setValue(Settings::path(key, m_currentProfileId), m_settings.value(key));
    settings.sync();
    emit settingsChanged();
    emit credentialsChanged();
}

bool Tn5250Client::performSavedLogin()
{
    return signOnWithSavedLogin(SignOnByHand);
}

bool Tn5250Client::performConfirmedSavedLogin()
{
    return signOnWithSavedLogin(ConfirmedSignOn);
}

bool Tn5250Client::signOnWithSavedLogin(SignOnRequest request)
{
    if (!m_connected || !m_socket || m_screen.keyboardLocked) {
        setStatus(tr("Saved login is not available while the keyboard is locked"));
        return false;
    }
    if (userName().isEmpty() || !passwordSaved()) {
        setStatus(tr("Save an IBM i user name and password first"));
        return false;
    }
    int userField = -1;
    int passwordField = -1;
    if (!SavedLogin::findSignOnFields(m_screen, &userField, &passwordField)) {
        setStatus(tr("This screen does not look like an IBM i sign-on screen"));
        return false;
    }
    // By hand on another host (or one not recorded yet) only once the user
    // has answered signOnQuestion.
    if (request == SignOnByHand && !savedLoginHostMatches()) {
        setStatus(savedLoginHost().isEmpty()
                      ? tr("Confirm the host before the saved login is sent to it")
                      : tr("The saved login is for %1:%2; confirm before it is sent to %3:%4")
                            .arg(savedLoginHost(), QString::number(savedLoginPort()), signOnHost(),
                                 QString::number(signOnPort())));
        return false;
    }

    // Counted as this connection's attempt before the store is asked: a store
    // that cannot give the password must not be asked again on every record
    // the host sends while its sign-on screen stays up.
    m_autoLoginAttempted = true;
    QString password;
    QString error;
    if (!m_credentialStore.loadPassword(m_currentProfileId, &password, &error)) {
        scrub(password);
        m_credentialStatus = tr("Secure credential retrieval failed — %1").arg(error);
        emit credentialsChanged();
        setStatus(tr("Could not retrieve saved password"));
        return false;
    }

    QString fillError;
    bool filled = m_screen.setFieldText(userField, userName(), &fillError);
    if (filled)
        filled = m_screen.setFieldText(passwordField, password, &fillError);
    // The screen holds the password now (in a nondisplay field); this copy
    // is not needed any more.
    scrub(password);

    if (!filled) {
        setStatus(fillError.isEmpty() ? tr("Could not fill saved sign-on fields") : fillError);
        emit terminalBell();
        emit screenChanged();
        return false;
    }
    if (request != AutomaticSignOn) {
        // Signing on by hand lifts a stop that a refusal left.
        setAutoLoginStopped(false);
        if (request == ConfirmedSignOn && savedLoginHost().isEmpty()) {
            // The confirmation that an older login waited for.
            m_settings.assign(Settings::LoginHost, signOnHost());
            m_settings.assign(Settings::LoginPort, signOnPort());
            QSettings settings(settingsFilePath(), QSettings::NativeFormat);
            settings.setValue(Settings::path(Settings::LoginHost, m_currentProfileId), savedLoginHost());
            settings.setValue(Settings::path(Settings::LoginPort, m_currentProfileId), savedLoginPort());
            settings.sync();
            emit settingsChanged();
        }
    }
    const quint32 serial = m_connectionSerial;
    appendDiagnostic(QStringLiteral("Saved credentials filled into IBM i sign-on fields (contents redacted)"));
    if (stillCurrent(serial))
        emit screenChanged();
    if (!stillCurrent(serial))
        return false;
    sendEnter();
    // Sent when the keyboard locked for the answer; the host's next screen
    // then tells whether it took the login (checkSignOnAnswer).
    m_signOnAnswerPending = stillCurrent(serial) && m_screen.keyboardLocked;
    return true;
}

// The first screen the host sends for a saved sign-on: the sign-on screen
// again (with its message, "Password not correct for user profile.", say)
// is a refusal, anything else a sign-on that went through.
void Tn5250Client::checkSignOnAnswer()
{
    if (!m_signOnAnswerPending || m_screen.keyboardLocked)
        return;
    m_signOnAnswerPending = false;
    if (SavedLogin::findSignOnFields(m_screen, nullptr, nullptr)) {
        // Each refused attempt counts towards the host disabling the user
        // profile; the saved password is not tried again by itself.
        setAutoLoginStopped(true);
        m_credentialStatus = tr(STOPPED_TEXT);
        appendDiagnostic(QStringLiteral("The host refused the saved sign-on; automatic sign-on stopped for this profile"));
        emit credentialsChanged();
        return;
    }
    // A session the user is signed on to works: the reconnect waits start
    // from the beginning again.
    if (m_reconnectSchedule.attempts() != 0) {
        m_reconnectSchedule.reset();
        emit connectionInfoChanged();
    }
}

void Tn5250Client::maybeAutoLogin()
{
    if (!autoLogin() || m_autoLoginAttempted || !m_connected || !m_socket || m_screen.keyboardLocked
        || userName().isEmpty() || !passwordSaved())
        return;
    if (!SavedLogin::findSignOnFields(m_screen, nullptr, nullptr))
        return;

    SavedLogin::SignOnTarget target;
    target.host = signOnHost();
    target.port = signOnPort();
    target.tls = m_sessionTls;
    const SavedLogin::AutoSignOn verdict = SavedLogin::autoSignOn(
        savedLoginHost(), savedLoginPort(), target, autoLoginWithoutTls(), m_settings.flag(Settings::AutoLoginStopped));
    if (verdict == SavedLogin::AutoSignOnAllowed) {
        signOnWithSavedLogin(AutomaticSignOn);
        return;
    }
    // Decided for this connection: said once, not at every record.
    m_autoLoginAttempted = true;
    switch (verdict) {
    case SavedLogin::AutoSignOnStopped:
        m_credentialStatus = tr(STOPPED_TEXT);
        break;
    case SavedLogin::AutoSignOnNoRecordedHost:
        m_credentialStatus = tr(NO_RECORDED_HOST_TEXT);
        break;
    case SavedLogin::AutoSignOnOtherHost:
        m_credentialStatus = tr(OTHER_HOST_TEXT).arg(savedLoginHost(), QString::number(savedLoginPort()),
                                                     target.host, QString::number(target.port));
        break;
    case SavedLogin::AutoSignOnWithoutTls:
        m_credentialStatus = tr(WITHOUT_TLS_TEXT);
        break;
    case SavedLogin::AutoSignOnAllowed:
        break;
    }
    const quint32 serial = m_connectionSerial;
    appendDiagnostic(QLatin1String(logLine(verdict)));
    if (stillCurrent(serial))
        emit credentialsChanged();
}
