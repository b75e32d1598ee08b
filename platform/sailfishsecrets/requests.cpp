// The request classes of the secrets layer: each one hands its
// configuration to the Secret Service backend and keeps the result.
#include "Secrets/collectionnamesrequest.h"
#include "Secrets/createcollectionrequest.h"
#include "Secrets/deletecollectionrequest.h"
#include "Secrets/deletesecretrequest.h"
#include "Secrets/storedsecretrequest.h"
#include "Secrets/storesecretrequest.h"

#include "desktopsecrets.h"

namespace Sailfish {
namespace Secrets {

const QString Secret::TypeUnknown = QStringLiteral("Unknown");
const QString Secret::TypeBlob = QStringLiteral("Blob");

const QString SecretManager::DefaultStoragePluginName = QStringLiteral("plugin.storage.default");
const QString SecretManager::DefaultEncryptionPluginName = QStringLiteral("plugin.encryption.default");
const QString SecretManager::DefaultEncryptedStoragePluginName = QStringLiteral("plugin.encryptedstorage.default");
const QString SecretManager::DefaultAuthenticationPluginName = QStringLiteral("plugin.authentication.default");

Result::Result(ResultCode code)
    : m_code(code), m_errorCode(code == Failed ? UnknownError : NoError)
{
}

Result::Result(ErrorCode errorCode, const QString &errorMessage)
    : m_code(errorCode == NoError ? Succeeded : Failed), m_errorCode(errorCode), m_errorMessage(errorMessage)
{
}

SecretManager::SecretManager(QObject *parent) : QObject(parent) {}

SecretManager::~SecretManager() = default;

Request::Request(QObject *parent) : QObject(parent) {}

Request::~Request() = default;

void Request::startRequest()
{
    if (m_status == Active)
        return;
    m_status = Active;
    emit statusChanged();
    if (!m_manager) {
        m_result = Result(Result::SecretManagerNotInitializedError,
                          QStringLiteral("The request was started without a secret manager"));
    } else {
        m_result = perform();
    }
    m_status = Finished;
    emit resultChanged();
    emit statusChanged();
}

void Request::waitForFinished()
{
    // Answered synchronously by startRequest(); nothing is outstanding.
}

namespace {

bool mayAsk(SecretManager::UserInteractionMode mode)
{
    return mode != SecretManager::PreventInteraction;
}

} // namespace

Result CollectionNamesRequest::perform()
{
    m_collectionNames.clear();
    return DesktopSecrets::collectionNames(m_storagePluginName, &m_collectionNames);
}

Result CreateCollectionRequest::perform()
{
    // As on the phone, a custom lock is unlocked by an authentication plugin
    // that the request must name; without one nothing can unlock it.
    if (m_lockType == CustomLock && m_authenticationPluginName.isEmpty())
        return Result(Result::InvalidExtensionPluginError,
                      QStringLiteral("A collection with a custom lock needs an authentication plugin"));
    // Otherwise the lock type, unlock semantic and access control have no
    // counterpart in the desktop service: its keyring is locked and
    // unlocked as a whole.
    return DesktopSecrets::createCollection(m_collectionName, m_storagePluginName, mayAsk(m_interactionMode));
}

Result DeleteCollectionRequest::perform()
{
    return DesktopSecrets::deleteCollection(m_collectionName, m_storagePluginName, mayAsk(m_interactionMode));
}

Result StoreSecretRequest::perform()
{
    if (m_storageType != CollectionSecret)
        return Result(Result::OperationNotSupportedError,
                      QStringLiteral("Standalone secrets are not supported by the desktop secrets service"));
    return DesktopSecrets::storeSecret(m_secret, mayAsk(m_interactionMode));
}

Result StoredSecretRequest::perform()
{
    m_secret = Secret();
    return DesktopSecrets::storedSecret(m_identifier, mayAsk(m_interactionMode), &m_secret);
}

Result DeleteSecretRequest::perform()
{
    return DesktopSecrets::deleteSecret(m_identifier, mayAsk(m_interactionMode));
}

} // namespace Secrets
} // namespace Sailfish
