#include "demoaccount.h"

namespace {

// The sign-on screen's user and password fields are ten positions long, the
// length of an IBM i object name and of a password at QPWDLVL 0 or 1.
const int MAX_NAME_LENGTH = 10;
const int MAX_PASSWORD_LENGTH = 10;

bool containsSpace(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isSpace())
            return true;
    }
    return false;
}

} // namespace

SignOnResult checkSignOn(const DemoAccount &account, const QString &user, const QString &password)
{
    const QString name = user.trimmed().toUpper();
    if (name.isEmpty())
        return SignOnNoUser;
    if (!account.isSet())
        return SignOnAccepted;
    if (name != account.user)
        return SignOnUnknownUser;
    return password == account.password ? SignOnAccepted : SignOnWrongPassword;
}

SignOnResult checkSignOn(const QList<DemoAccount> &accounts, const QString &user, const QString &password)
{
    const QString name = user.trimmed().toUpper();
    if (name.isEmpty())
        return SignOnNoUser;
    bool anySet = false;
    for (const DemoAccount &account : accounts) {
        if (!account.isSet())
            continue;
        anySet = true;
        if (name == account.user)
            return checkSignOn(account, name, password);
    }
    return anySet ? SignOnUnknownUser : SignOnAccepted;
}

QString accountProblem(const QString &user, const QString &password)
{
    const QString name = user.trimmed();
    if (name.isEmpty())
        return QStringLiteral("the account needs a user profile name");
    if (containsSpace(name))
        return QStringLiteral("the user profile name \"%1\" contains a blank").arg(name);
    if (name.size() > MAX_NAME_LENGTH)
        return QStringLiteral("the user profile name \"%1\" is longer than %2 characters")
            .arg(name)
            .arg(MAX_NAME_LENGTH);
    if (password.isEmpty())
        return QStringLiteral("the account needs a password");
    if (password.size() > MAX_PASSWORD_LENGTH)
        return QStringLiteral("the password is longer than the %1 positions of the sign-on password field")
            .arg(MAX_PASSWORD_LENGTH);
    if (password.at(password.size() - 1).isSpace())
        return QStringLiteral("the password ends with a blank, which a terminal never sends");
    return QString();
}

bool parseAccountOption(const QString &text, DemoAccount *account, QString *error)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    QString problem;
    if (colon < 0)
        problem = QStringLiteral("--account needs USER:PASSWORD");
    else if (text.left(colon).trimmed().isEmpty())
        problem = QStringLiteral("--account needs a user profile name before the colon");
    else if (colon == text.size() - 1)
        problem = QStringLiteral("--account needs a password after the colon");
    else
        problem = accountProblem(text.left(colon), text.mid(colon + 1));
    if (!problem.isEmpty() && !problem.startsWith(QLatin1String("--account")))
        problem.prepend(QLatin1String("--account: "));
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    if (account) {
        account->user = text.left(colon).trimmed().toUpper();
        account->password = text.mid(colon + 1);
    }
    return true;
}
