#ifndef SAILFISH_SECRETS_RESULT_H
#define SAILFISH_SECRETS_RESULT_H

#include <QString>

namespace Sailfish {
namespace Secrets {

// The outcome of a request: a code, and for a failure an error number and
// the service's message.
class Result
{
public:
    enum ResultCode {
        Succeeded = 0,
        Pending = 1,
        Failed = 2
    };

    // Callers rely on NoError and on SecretAlreadyExistsError (70), which
    // carry the phone's numbers; the other values number this layer's own
    // failures.
    enum ErrorCode {
        NoError = 0,
        UnknownError = 1,
        OperationNotSupportedError = 2,
        SecretManagerNotInitializedError = 3,
        SecretsDaemonNotAvailableError = 10,
        InvalidStoragePluginError = 20,
        InvalidCollectionError = 30,
        CollectionAlreadyExistsError = 31,
        InvalidSecretIdentifierError = 40,
        InvalidSecretError = 41,
        InvalidFilterError = 42,
        SecretIsLockedError = 50,
        SecretAlreadyExistsError = 70
    };

    Result(ResultCode code = Succeeded);
    Result(ErrorCode errorCode, const QString &errorMessage);

    ResultCode code() const { return m_code; }
    void setCode(ResultCode code) { m_code = code; }
    ErrorCode errorCode() const { return m_errorCode; }
    void setErrorCode(ErrorCode code) { m_errorCode = code; }
    QString errorMessage() const { return m_errorMessage; }
    void setErrorMessage(const QString &message) { m_errorMessage = message; }

private:
    ResultCode m_code;
    ErrorCode m_errorCode;
    QString m_errorMessage;
};

} // namespace Secrets
} // namespace Sailfish

#endif
