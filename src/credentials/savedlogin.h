#ifndef VANTOREL_SAVEDLOGIN_H
#define VANTOREL_SAVEDLOGIN_H

#include <QString>

class CredentialStore;
class TerminalScreen;

// The saved login of a profile: the IBM i user name (in the settings file)
// and the password (in the credential store, never in the settings file or
// the log). These are the parts that need no client: whether a password is
// stored, and where a sign-on screen wants the user name and the password.
namespace SavedLogin {

// Whether the store holds a non-empty password for the profile. Only its
// existence matters: the copy read to find out is scrubbed at once.
bool passwordStored(CredentialStore &store, const QString &profileId);

// The input fields of a recognised IBM i sign-on screen, as positions in its
// format table: the password field is the first input field that hides what
// is typed, the user name field the nearest displayable input field in front
// of it. False (and -1 in both) when the screen is not one.
bool findSignOnFields(const TerminalScreen &screen, int *userField, int *passwordField);

// Whether the saved login was saved for this host and port. Host names are
// compared without regard to case or surrounding blanks, as DNS does; a
// login without a recorded host matches none.
bool savedFor(const QString &savedHost, int savedPort, const QString &host, int port);

// What stands between a recognised sign-on screen and sending the saved
// login there by itself, first reason first.
enum AutoSignOn {
    AutoSignOnAllowed,
    AutoSignOnStopped,        // the host refused it before
    AutoSignOnNoRecordedHost, // saved by a release that did not record the host
    AutoSignOnOtherHost,      // saved for another host or port
    AutoSignOnWithoutTls      // the connection is plain text and that is not allowed
};

struct SignOnTarget
{
    QString host;
    int port = 0;
    bool tls = false;
};

AutoSignOn autoSignOn(const QString &savedHost, int savedPort, const SignOnTarget &target,
                      bool allowedWithoutTls, bool stopped);

} // namespace SavedLogin

#endif
