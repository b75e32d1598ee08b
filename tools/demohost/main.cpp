// vantorel-demohost: a TN5250 demo host on 127.0.0.1 for trying the client
// without an IBM i.
//
//   vantorel-demohost [--port N] [--tls-cert FILE --tls-key FILE]
//                     [--account USER:PASSWORD ... | --any-password]
//                     [--behaviour normal|close-after-record|silent] [--quiet]
//                     [--hostile MODE]
//
// Port 0 (the default) picks a free port. Once listening, one line
// "listening on 127.0.0.1:<port>" goes to standard output, so that scripts
// can wait for it; the session log goes to standard error unless --quiet.
//
// The sign-on screen checks one account, as an IBM i checks a user profile:
// by default user DEMO with password demo5250. --account names another (the
// user in any case, the password exactly, split at the first colon);
// --any-password signs on any user name with any password. --account may be
// given more than once: the host then has several user profiles.
// --behaviour makes the host misbehave for trying the terminal's bounds
// (see demobehaviour.h).
//
// --hostile makes every session misbehave in one way (hostilemodes.h), for
// trying the terminal against a broken host.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "demohost.h"

namespace {

// The account a host started without --account signs on.
const char DEFAULT_USER[] = "DEMO";
const char DEFAULT_PASSWORD[] = "demo5250";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantorel-demohost"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("TN5250 demo host on 127.0.0.1. Sign on as %1 with password %2 unless --account or "
                       "--any-password says otherwise.")
            .arg(QLatin1String(DEFAULT_USER), QLatin1String(DEFAULT_PASSWORD)));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("TCP port; 0 picks a free one and prints it."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption certificateOption(QStringLiteral("tls-cert"),
                                               QStringLiteral("PEM server certificate; enables TLS."),
                                               QStringLiteral("FILE"));
    const QCommandLineOption keyOption(QStringLiteral("tls-key"),
                                       QStringLiteral("PEM private key of the certificate."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption accountOption(
        QStringLiteral("account"),
        QStringLiteral("The user profile and password the sign-on screen accepts (default %1:%2).")
            .arg(QLatin1String(DEFAULT_USER), QLatin1String(DEFAULT_PASSWORD)),
        QStringLiteral("USER:PASSWORD"));
    const QCommandLineOption anyPasswordOption(QStringLiteral("any-password"),
                                               QStringLiteral("Sign on any user name with any password."));
    const QCommandLineOption behaviourOption(
        QStringLiteral("behaviour"),
        QStringLiteral("How connections are treated: %1 (default normal).").arg(behaviourNames().join(QStringLiteral(", "))),
        QStringLiteral("NAME"), QStringLiteral("normal"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"), QStringLiteral("No session log on stderr."));
    const QCommandLineOption hostileOption(
        QStringLiteral("hostile"),
        QStringLiteral("Every session misbehaves in one way:\n%1").arg(HostileModes::description()),
        QStringLiteral("MODE"));
    parser.addOption(portOption);
    parser.addOption(certificateOption);
    parser.addOption(keyOption);
    parser.addOption(accountOption);
    parser.addOption(anyPasswordOption);
    parser.addOption(behaviourOption);
    parser.addOption(quietOption);
    parser.addOption(hostileOption);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "vantorel-demohost: --port needs a number from 0 to 65535\n";
        return 2;
    }
    if (parser.isSet(certificateOption) != parser.isSet(keyOption)) {
        err << "vantorel-demohost: --tls-cert and --tls-key go together\n";
        return 2;
    }

    if (parser.isSet(accountOption) && parser.isSet(anyPasswordOption)) {
        err << "vantorel-demohost: --account and --any-password exclude each other\n";
        return 2;
    }
    DemoBehaviour behaviour = DemoBehaviour::Normal;
    if (!parseBehaviour(parser.value(behaviourOption), &behaviour)) {
        err << "vantorel-demohost: --behaviour is one of " << behaviourNames().join(QStringLiteral(", ")) << '\n';
        return 2;
    }
    DemoAccount account;
    account.user = QLatin1String(DEFAULT_USER);
    account.password = QLatin1String(DEFAULT_PASSWORD);
    QList<DemoAccount> accounts;
    const QStringList accountValues = parser.values(accountOption);
    for (const QString &value : accountValues) {
        QString error;
        if (!parseAccountOption(value, &account, &error)) {
            err << "vantorel-demohost: " << error << '\n';
            return 2;
        }
        accounts << account;
    }
    if (accounts.isEmpty())
        accounts << account;

    HostileModes::Mode hostileMode = HostileModes::None;
    if (parser.isSet(hostileOption) && !HostileModes::fromName(parser.value(hostileOption), &hostileMode)) {
        err << "vantorel-demohost: --hostile takes one of: " << HostileModes::names().join(QStringLiteral(", "))
            << '\n';
        return 2;
    }

    DemoHost host;
    host.setBehaviour(behaviour);
    host.setLogToStderr(!parser.isSet(quietOption));
    host.setHostileMode(hostileMode);
    if (!parser.isSet(anyPasswordOption)) {
        QString error;
        if (!host.setAccount(accounts.first().user, accounts.first().password, &error)) {
            err << "vantorel-demohost: " << error << '\n';
            return 2;
        }
        for (int i = 1; i < accounts.size(); ++i)
            host.addAccount(accounts.at(i).user, accounts.at(i).password);
    }
    if (parser.isSet(certificateOption)) {
        QString error;
        if (!host.setTlsFiles(parser.value(certificateOption), parser.value(keyOption), &error)) {
            err << "vantorel-demohost: " << error << '\n';
            return 1;
        }
    }
    if (!host.listen(static_cast<quint16>(port))) {
        err << "vantorel-demohost: cannot listen on 127.0.0.1:" << port << ": " << host.errorString() << '\n';
        return 1;
    }
    out << "listening on 127.0.0.1:" << host.serverPort() << '\n';
    out.flush();
    return app.exec();
}
