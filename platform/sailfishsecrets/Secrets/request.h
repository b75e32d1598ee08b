#ifndef SAILFISH_SECRETS_REQUEST_H
#define SAILFISH_SECRETS_REQUEST_H

#include <QObject>

#include "Secrets/result.h"
#include "Secrets/secretmanager.h"

namespace Sailfish {
namespace Secrets {

// The base of every request: configure it, give it a manager, start it,
// wait for it, read its result. This desktop layer answers each request
// while startRequest() runs, so waitForFinished() finds it finished.
class Request : public QObject
{
    Q_OBJECT

public:
    enum Status {
        Inactive = 0,
        Active,
        Finished
    };

    explicit Request(QObject *parent = nullptr);
    ~Request() override;

    SecretManager *manager() const { return m_manager; }
    void setManager(SecretManager *manager) { m_manager = manager; }

    Status status() const { return m_status; }
    Result result() const { return m_result; }

    void startRequest();
    void waitForFinished();

signals:
    void statusChanged();
    void resultChanged();

protected:
    // The request's own work; its result becomes result().
    virtual Result perform() = 0;

private:
    SecretManager *m_manager = nullptr;
    Status m_status = Inactive;
    Result m_result;
};

} // namespace Secrets
} // namespace Sailfish

#endif
