#ifndef VANTOREL_TESTS_TESTCERTIFICATES_H
#define VANTOREL_TESTS_TESTCERTIFICATES_H

#include <QScopedPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

class QTemporaryDir;

// A throw-away certificate authority and server certificates, made with the
// openssl command in a temporary folder when a TLS test starts:
//
//   Authority   issuer of the next two; subject O=Vantorel Test Authority,
//               no common name
//   Server      subjectAltName IP:127.0.0.1; subject O=Vantorel Tests,
//               CN=demo.host.one, CN=demo.host.two
//   WrongName   signed by the authority, subjectAltName DNS:wrong-name.invalid
//   SelfSigned  subjectAltName IP:127.0.0.1 but its own issuer (unknown CA)
//
// Nothing is installed anywhere; a test that wants the authority trusted adds
// it to its own process's default QSslConfiguration (see trustAuthority).
class TestCertificates
{
public:
    enum Kind { Server, WrongName, SelfSigned };

    TestCertificates();
    ~TestCertificates();

    // Runs openssl; false with a reason when anything failed.
    bool create(QString *error);

    QSslCertificate authority() const { return m_authority; }
    QSslCertificate certificate(Kind kind) const;
    QSslKey key(Kind kind) const;
    QString certificateFile(Kind kind) const;
    QString keyFile(Kind kind) const;

    // Adds the authority to the default configuration of this process, so
    // that sockets made afterwards trust it; restoreDefault undoes that.
    void trustAuthority();
    void restoreDefault();

private:
    QScopedPointer<QTemporaryDir> m_directory;
    QSslCertificate m_authority;
    QSslCertificate m_certificates[3];
    QSslKey m_keys[3];
    bool m_trusting = false;
};

#endif
