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

} // namespace SavedLogin
