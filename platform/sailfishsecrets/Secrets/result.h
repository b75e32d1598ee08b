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

    // The numbers of the platform's public header, every one of them, so
    // that code written against this layer means the same on the phone.
    // The desktop service's failures are reported under the nearest of
    // them (see desktopsecrets.cpp).
    enum ErrorCode {
        NoError = 0,
        UnknownError = 2,
        SerialisationError = 3,
        PermissionsError = 10,
        IncorrectAuthenticationCodeError = 11,
        OperationNotSupportedError = 12,
        OperationRequiresUserInteraction = 13,
        OperationRequiresApplicationUserInteraction = 14,
        OperationRequiresSystemUserInteraction = 15,
        SecretManagerNotInitializedError = 16,
        SecretsDaemonRequestPidError = 20,
        SecretsDaemonRequestQueueFullError = 21,
        SecretsDaemonLockedError = 22,
        SecretsPluginEncryptionError = 30,
        SecretsPluginDecryptionError = 31,
        SecretsPluginKeyDerivationError = 32,
        InvalidSecretError = 40,
        InvalidSecretIdentifierError = 41,
        InvalidFilterError = 42,
        InvalidCollectionError = 43,
        InvalidExtensionPluginError = 44,
        InvalidApplicationIdError = 45,
        CollectionAlreadyExistsError = 46,
        SecretAlreadyExistsError = 47,
        CollectionIsLockedError = 60,
        DatabaseQueryError = 70,
        DatabaseTransactionError = 71,
        DatabaseError = 72,
        OtherError = 1024
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
