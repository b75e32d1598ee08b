#ifndef VANTOREL_DEMOHOST_DEMOACCOUNT_H
#define VANTOREL_DEMOHOST_DEMOACCOUNT_H

#include <QList>
#include <QString>

// The one user profile the demo host signs on when it checks passwords. The
// sign-on screen's handler asks checkSignOn about each Enter; without an
// account any user name signs on with any password, which is how tests that
// only need the main menu use the host.
//
// As on an IBM i, the user profile name is upper case and compared without
// regard to case (the sign-on field is monocase anyway), while the password
// is compared exactly. Both have the ten positions of the sign-on screen's
// fields.
struct DemoAccount
{
    QString user;      // trimmed, upper case; empty: no account
    QString password;  // as typed, case-sensitive

    bool isSet() const { return !user.isEmpty(); }
};

enum SignOnResult {
    SignOnAccepted,
    SignOnNoUser,        // Enter with an empty user field
    SignOnUnknownUser,   // a user profile the host does not have
    SignOnWrongPassword
};

// Judges one sign-on attempt. `user` may be in any case and carry blanks
// around it; the password is taken as the terminal sent it.
SignOnResult checkSignOn(const DemoAccount &account, const QString &user, const QString &password);
// The same against several accounts (a host with more than one user
// profile); none that is set: any user name signs on with any password.
SignOnResult checkSignOn(const QList<DemoAccount> &accounts, const QString &user, const QString &password);

// Why `user` and `password` cannot be the host's account, or an empty text
// when they can: both non-empty, at most ten characters each, no blanks in
// the name and no trailing blank in the password (the terminal never sends
// trailing blanks, so such a password could never match). The text never
// quotes the password.
QString accountProblem(const QString &user, const QString &password);

// Reads the executable's --account value "USER:PASSWORD", split at the first
// colon so that the password may hold colons. On success fills `account`
// (user upper-cased) and returns true; otherwise returns false and puts the
// reason into `error` (may be null).
bool parseAccountOption(const QString &text, DemoAccount *account, QString *error = nullptr);

#endif
