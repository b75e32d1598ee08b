// vantorel-demohost: a TN5250 demo host on 127.0.0.1 for trying the client
// without an IBM i.
//
//   vantorel-demohost [--port N] [--tls-cert FILE --tls-key FILE] [--quiet]
//
// Port 0 (the default) picks a free port. Once listening, one line
// "listening on 127.0.0.1:<port>" goes to standard output, so that scripts
// can wait for it; the session log goes to standard error unless --quiet.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "demohost.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantorel-demohost"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("TN5250 demo host on 127.0.0.1"));
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
    const QCommandLineOption quietOption(QStringLiteral("quiet"), QStringLiteral("No session log on stderr."));
    parser.addOption(portOption);
    parser.addOption(certificateOption);
    parser.addOption(keyOption);
    parser.addOption(quietOption);
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

    DemoHost host;
    host.setLogToStderr(!parser.isSet(quietOption));
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
