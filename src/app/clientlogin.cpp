// The saved login of a profile as the interface uses it: saving and
// clearing it, the password probe at every profile load, and filling a
// recognised sign-on screen on request, or by itself once per connection
// when the profile asks for it (the after-record step calls
// maybeAutoLogin). The user name is kept in the settings file, the password
// only in the credential store, never in the settings file or the log.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

#include "credentials/savedlogin.h"
#include "settings/settingskeys.h"

void Tn5250Client::setUserName(const QString &name)
{
    setSetting(Settings::UserName, name);
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
        m_credentialStore.deletePassword(profileId);
        m_settings.assign(Settings::PasswordSaved, false);
        if (autoLogin()) {
            // Signing on by itself needs the password that was just forgotten.
            m_settings.assign(Settings::AutoLogin, false);
            emit settingsChanged();
        }
    } else if (!password.isEmpty()) {
        ok = m_credentialStore.storePassword(profileId, password, &error);
        if (ok)
            m_settings.assign(Settings::PasswordSaved, true);
    } else if (!passwordSaved()) {
        // "Remember" without a new password keeps one that is already stored.
        ok = SavedLogin::passwordStored(m_credentialStore, profileId);
        if (ok)
            m_settings.assign(Settings::PasswordSaved, true);
        else
            error = tr("Enter a password before enabling saved password");
    }

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(Settings::path(Settings::UserName, profileId), this->userName());
    if (ok) {
        m_credentialStatus = passwordSaved() ? tr("Password saved securely for this profile")
                                             : tr("Password not saved for this profile");
        settings.setValue(Settings::path(Settings::PasswordSaved, profileId), passwordSaved());
        settings.setValue(Settings::path(Settings::AutoLogin, profileId), autoLogin());
    } else {
        m_credentialStatus = tr("Secure credential save failed — %1").arg(error);
        settings.setValue(Settings::path(Settings::PasswordSaved, profileId), passwordSaved());
    }
    settings.sync();
    emit settingsChanged();
    emit credentialsChanged();
    return ok;
}

void Tn5250Client::clearLoginCredentials()
{
    m_credentialStore.deletePassword(m_currentProfileId);
    m_settings.assign(Settings::UserName, QString());
    m_settings.assign(Settings::AutoLogin, false);
    m_settings.assign(Settings::PasswordSaved, false);
    m_credentialStatus = tr("Saved login cleared");

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.remove(Settings::path(Settings::UserName, m_currentProfileId));
    settings.setValue(Settings::path(Settings::PasswordSaved, m_currentProfileId), false);
    settings.setValue(Settings::path(Settings::AutoLogin, m_currentProfileId), false);
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
    if (!autoLogin() || m_autoLoginAttempted || !m_connected || !m_socket || m_screen.keyboardLocked
        || userName().isEmpty() || !passwordSaved())
        return;
    if (!SavedLogin::findSignOnFields(m_screen, nullptr, nullptr))
        return;
    performSavedLogin();
}
