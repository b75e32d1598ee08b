#include "credentials/savedlogin.h"

#include "credentials/credentialstore.h"
#include "screen/terminalscreen.h"

namespace SavedLogin {

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

bool passwordStored(CredentialStore &store, const QString &profileId)
{
    QString probed;
    const bool stored = store.loadPassword(profileId, &probed) && !probed.isEmpty();
    // Only the existence of the password mattered; its copy must not linger
    // in released memory.
    scrub(probed);
    return stored;
}

bool findSignOnFields(const TerminalScreen &screen, int *userField, int *passwordField)
{
    if (userField)
        *userField = -1;
    if (passwordField)
        *passwordField = -1;
    if (!looksLikeSignOn(screen))
        return false;

    const QVector<TerminalScreen::Field> &fields = screen.fields;
    int password = -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (!fields.at(i).bypass() && screen.isNondisplayAt(fields.at(i).start)) {
            password = i;
            break;
        }
    }
    if (password < 0)
        return false;
    int user = -1;
    for (int i = password - 1; i >= 0; --i) {
        if (!fields.at(i).bypass() && !screen.isNondisplayAt(fields.at(i).start)) {
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

bool savedFor(const QString &savedHost, int savedPort, const QString &host, int port)
{
    const QString saved = savedHost.trimmed();
    return !saved.isEmpty() && savedPort > 0 && savedPort == port
        && saved.compare(host.trimmed(), Qt::CaseInsensitive) == 0;
}

// The password goes by itself only where it was saved for, and in clear
// text only when the user said so: a host name changed since, or a TLS
// switch turned off, must not hand it to another server or to the network.
AutoSignOn autoSignOn(const QString &savedHost, int savedPort, const SignOnTarget &target,
                      bool allowedWithoutTls, bool stopped)
{
    if (stopped)
        return AutoSignOnStopped;
    if (savedHost.trimmed().isEmpty() || savedPort <= 0)
        return AutoSignOnNoRecordedHost;
    if (!savedFor(savedHost, savedPort, target.host, target.port))
        return AutoSignOnOtherHost;
    if (!target.tls && !allowedWithoutTls)
        return AutoSignOnWithoutTls;
    return AutoSignOnAllowed;
}

} // namespace SavedLogin
