#include "testcertificates.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const char *const BASE_NAMES[] = { "server", "wrongname", "selfsigned" };

// A configuration of our own, so that the system's openssl.cnf cannot add or
// change extensions.
const char OPENSSL_CONFIG[] =
    "[req]\n"
    "distinguished_name = dn\n"
    "prompt = no\n"
    "[dn]\n"
    "[authority]\n"
    "basicConstraints = critical, CA:TRUE\n"
    "keyUsage = critical, keyCertSign, cRLSign\n"
    "subjectKeyIdentifier = hash\n"
    "[server]\n"
    "basicConstraints = critical, CA:FALSE\n"
    "keyUsage = critical, digitalSignature, keyEncipherment\n"
    "extendedKeyUsage = serverAuth\n"
    "subjectAltName = IP:127.0.0.1\n"
    "[wrongname]\n"
    "basicConstraints = critical, CA:FALSE\n"
    "keyUsage = critical, digitalSignature, keyEncipherment\n"
    "extendedKeyUsage = serverAuth\n"
    "subjectAltName = DNS:wrong-name.invalid\n"
    "[selfsigned]\n"
    "basicConstraints = critical, CA:FALSE\n"
    "keyUsage = critical, digitalSignature, keyEncipherment\n"
    "extendedKeyUsage = serverAuth\n"
    "subjectAltName = IP:127.0.0.1\n";

bool runOpenssl(const QString &program, const QString &directory, const QStringList &arguments,
                QString *error)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (error) {
            *error = QStringLiteral("openssl %1 failed: %2")
                         .arg(arguments.join(QLatin1Char(' ')), QString::fromLocal8Bit(process.readAll()));
        }
        return false;
    }
    return true;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// QTemporaryDir::filePath is younger than the oldest Qt we build with.
QString inDirectory(const QTemporaryDir &directory, const QString &name)
{
    return directory.path() + QLatin1Char('/') + name;
}

QString serialNumber()
{
    return QStringLiteral("0x%1").arg(QDateTime::currentMSecsSinceEpoch(), 0, 16);
}

} // namespace

TestCertificates::TestCertificates() : m_directory(new QTemporaryDir) {}

TestCertificates::~TestCertificates()
{
    restoreDefault();
}

QString TestCertificates::certificateFile(Kind kind) const
{
    return inDirectory(*m_directory, QLatin1String(BASE_NAMES[kind]) + QStringLiteral(".pem"));
}

QString TestCertificates::keyFile(Kind kind) const
{
    return inDirectory(*m_directory, QLatin1String(BASE_NAMES[kind]) + QStringLiteral(".key"));
}

QSslCertificate TestCertificates::certificate(Kind kind) const
{
    return m_certificates[kind];
}

QSslKey TestCertificates::key(Kind kind) const
{
    return m_keys[kind];
}

bool TestCertificates::create(QString *error)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        if (error)
            *error = QStringLiteral("the openssl command is not installed");
        return false;
    }
    if (!m_directory->isValid()) {
        if (error)
            *error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString dir = m_directory->path();
    const QString config = inDirectory(*m_directory, QStringLiteral("openssl.cnf"));
    {
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(OPENSSL_CONFIG) < 0) {
            if (error)
                *error = QStringLiteral("cannot write %1").arg(config);
            return false;
        }
    }
    const QString rsa = QStringLiteral("rsa:2048");
    const QString days = QStringLiteral("30");

    // The authority: self-signed, organisation only.
    if (!runOpenssl(openssl, dir,
                    { QStringLiteral("req"), QStringLiteral("-config"), config, QStringLiteral("-x509"),
                      QStringLiteral("-newkey"), rsa, QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                      QStringLiteral("authority.key"), QStringLiteral("-out"), QStringLiteral("authority.pem"),
                      QStringLiteral("-days"), days, QStringLiteral("-subj"),
                      QStringLiteral("/O=Vantorel Test Authority"), QStringLiteral("-extensions"),
                      QStringLiteral("authority") },
                    error)) {
        return false;
    }

    const QString subjects[] = {
        QStringLiteral("/O=Vantorel Tests/CN=demo.host.one/CN=demo.host.two"),
        QStringLiteral("/O=Vantorel Tests/CN=wrong-name.invalid"),
        QStringLiteral("/O=Vantorel Tests/CN=self-signed.invalid"),
    };
    for (int kind = Server; kind <= SelfSigned; ++kind) {
        const QString base = QLatin1String(BASE_NAMES[kind]);
        const QString keyName = base + QStringLiteral(".key");
        const QString certificateName = base + QStringLiteral(".pem");
        bool ok;
        if (kind == SelfSigned) {
            ok = runOpenssl(openssl, dir,
                            { QStringLiteral("req"), QStringLiteral("-config"), config, QStringLiteral("-x509"),
                              QStringLiteral("-newkey"), rsa, QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                              keyName, QStringLiteral("-out"), certificateName, QStringLiteral("-days"), days,
                              QStringLiteral("-subj"), subjects[kind], QStringLiteral("-extensions"), base },
                            error);
        } else {
            const QString request = base + QStringLiteral(".csr");
            ok = runOpenssl(openssl, dir,
                            { QStringLiteral("req"), QStringLiteral("-config"), config, QStringLiteral("-new"),
                              QStringLiteral("-newkey"), rsa, QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                              keyName, QStringLiteral("-out"), request, QStringLiteral("-subj"), subjects[kind] },
                            error)
                && runOpenssl(openssl, dir,
                              { QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), request,
                                QStringLiteral("-CA"), QStringLiteral("authority.pem"), QStringLiteral("-CAkey"),
                                QStringLiteral("authority.key"), QStringLiteral("-set_serial"),
                                serialNumber() + QString::number(kind), QStringLiteral("-days"), days,
                                QStringLiteral("-extfile"), config, QStringLiteral("-extensions"), base,
                                QStringLiteral("-out"), certificateName },
                              error);
        }
        if (!ok)
            return false;
        m_certificates[kind] = QSslCertificate(readFile(certificateFile(Kind(kind))), QSsl::Pem);
        m_keys[kind] = QSslKey(readFile(keyFile(Kind(kind))), QSsl::Rsa, QSsl::Pem);
        if (m_certificates[kind].isNull() || m_keys[kind].isNull()) {
            if (error)
                *error = QStringLiteral("cannot load %1 or its key").arg(certificateName);
            return false;
        }
    }
    m_authority = QSslCertificate(readFile(inDirectory(*m_directory, QStringLiteral("authority.pem"))), QSsl::Pem);
    if (m_authority.isNull()) {
        if (error)
            *error = QStringLiteral("cannot load the authority certificate");
        return false;
    }
    return true;
}

void TestCertificates::trustAuthority()
{
    if (m_trusting)
        return;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> authorities = configuration.caCertificates();
    authorities.append(m_authority);
    configuration.setCaCertificates(authorities);
    QSslConfiguration::setDefaultConfiguration(configuration);
    m_trusting = true;
}

void TestCertificates::restoreDefault()
{
    if (!m_trusting)
        return;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> authorities = configuration.caCertificates();
    authorities.removeAll(m_authority);
    configuration.setCaCertificates(authorities);
    QSslConfiguration::setDefaultConfiguration(configuration);
    m_trusting = false;
}
