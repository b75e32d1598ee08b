// The saved login of a profile: the IBM i user name (in the settings file)
// and the password (in the credential store, never in the settings file or
// the log). With both saved, the client fills a recognised sign-on screen on
// request, or by itself once per connection when the profile asks for it.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

#include "settings/settingskeys.h"

namespace {

// The plain text every heuristic below reads: nondisplay cells blanked, so a
// password on the screen can never make it look like a sign-on screen.
bool looksLikeSignOn(const TerminalScreen &screen)
{
    const QString text = screen.plainText(true).toUpper();
    return text.contains(QLatin1String("SIGN ON")) || text.contains(QLatin1String("SIGN-ON"))
        || (text.contains(QLatin1String("USER")) && text.contains(QLatin1String("PASSWORD")));
}

} // namespace

void Tn5250Client::setUserName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed == m_userName)
        return;
    m_userName = trimmed;
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(profileKey(QLatin1String(SettingsKeys::USER_NAME)), m_userName);
    settings.sync();
    emit settingsChanged();
}

bool Tn5250Client::saveLoginCredentials(const QString &userName, const QString &password,
                                        bool rememberPassword)
{
    // The profile may not change while the store is asked, but the keys are
    // written for the profile the request was made for all the same.
    const QString profileId = m_currentProfileId;
    if (profileId.isEmpty())
        return false;

    m_userName = userName.trimmed();
    bool ok = true;
    QString error;
    if (!rememberPassword) {
        m_credentialStore.deletePassword(profileId);
        m_passwordSaved = false;
        if (m_autoLogin) {
            // Signing on by itself needs the password that was just forgotten.
            m_autoLogin = false;
            emit settingsChanged();
        }
    } else if (!password.isEmpty()) {
        ok = m_credentialStore.storePassword(profileId, password, &error);
        if (ok)
            m_passwordSaved = true;
    } else if (!m_passwordSaved) {
        // "Remember" without a new password keeps one that is already stored.
        QString stored;
        ok = m_credentialStore.loadPassword(profileId, &stored) && !stored.isEmpty();
        scrub(stored);
        if (ok)
            m_passwordSaved = true;
        else
            error = tr("Enter a password before enabling saved password");
    }

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = SettingsKeys::profilePrefix(profileId);
    settings.setValue(prefix + QLatin1String(SettingsKeys::USER_NAME), m_userName);
    if (ok) {
        m_credentialStatus = m_passwordSaved ? tr("Password saved securely for this profile")
                                             : tr("Password not saved for this profile");
        settings.setValue(prefix + QLatin1String(SettingsKeys::PASSWORD_SAVED), m_passwordSaved);
        settings.setValue(prefix + QLatin1String(SettingsKeys::AUTO_LOGIN), m_autoLogin);
    } else {
        m_credentialStatus = tr("Secure credential save failed — %1").arg(error);
        settings.setValue(prefix + QLatin1String(SettingsKeys::PASSWORD_SAVED), m_passwordSaved);
    }
    settings.sync();
    emit settingsChanged();
    emit credentialsChanged();
    return ok;
}

void Tn5250Client::clearLoginCredentials()
{
    m_credentialStore.deletePassword(m_currentProfileId);
    m_userName.clear();
    m_autoLogin = false;
    m_passwordSaved = false;
    m_credentialStatus = tr("Saved login cleared");

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.remove(profileKey(QLatin1String(SettingsKeys::USER_NAME)));
    settings.setValue(profileKey(QLatin1String(SettingsKeys::PASSWORD_SAVED)), false);
    settings.setValue(profileKey(QLatin1String(SettingsKeys::AUTO_LOGIN)), false);
    settings.sync();
    emit settingsChanged();
    emit credentialsChanged();
}

bool Tn5250Client::performSavedLogin()
{
    if (!m_connected || !m_socket || m_screen.keyboardLocked) {
        setStatus(tr("Saved login is not available while the keyboard is locked"));
        return false;
    }
    if (m_userName.isEmpty() || !m_passwordSaved) {
        setStatus(tr("Save an IBM i user name and password first"));
        return false;
    }
    int userField = -1;
    int passwordField = -1;
    if (!detectSignOnFields(&userField, &passwordField)) {
        setStatus(tr("This screen does not look like an IBM i sign-on screen"));
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
    bool filled = fillField(userField, m_userName, &fillError);
    if (filled)
        filled = fillField(passwordField, password, &fillError);
    // The screen holds the password now (in a nondisplay field); this copy
    // is not needed any more.
    scrub(password);

    if (filled) {
        appendDiagnostic(QStringLiteral("Saved credentials filled into IBM i sign-on fields (contents redacted)"));
        emit screenChanged();
        sendEnter();
        return true;
    }
    setStatus(fillError.isEmpty() ? tr("Could not fill saved sign-on fields") : fillError);
    emit terminalBell();
    emit screenChanged();
    return false;
}

void Tn5250Client::maybeAutoLogin()
{
    if (!m_autoLogin || m_autoLoginAttempted || !m_connected || !m_socket || m_screen.keyboardLocked
        || m_userName.isEmpty() || !m_passwordSaved)
        return;
    if (!detectSignOnFields(nullptr, nullptr))
        return;
    performSavedLogin();
}

bool Tn5250Client::detectSignOnFields(int *userField, int *passwordField) const
{
    if (userField)
        *userField = -1;
    if (passwordField)
        *passwordField = -1;
    if (!looksLikeSignOn(m_screen))
        return false;

    // The password is the first input field that hides what is typed; the
    // user name the nearest displayable input field in front of it.
    const QVector<TerminalScreen::Field> &fields = m_screen.fields;
    int password = -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (!fields.at(i).bypass() && m_screen.isNondisplayAt(fields.at(i).start)) {
            password = i;
            break;
        }
    }
    if (password < 0)
        return false;
    int user = -1;
    for (int i = password - 1; i >= 0; --i) {
        if (!fields.at(i).bypass() && !m_screen.isNondisplayAt(fields.at(i).start)) {
            user = i;
            break;
        }
    }
    if (user < 0)
        return false;
    if (userField)
        *userField = user;
    if (passwordField)
        *passwordField = password;
    return true;
}

bool Tn5250Client::fillField(int fieldIndex, const QString &text, QString *error)
{
    return m_screen.setFieldText(fieldIndex, text, error);
}
