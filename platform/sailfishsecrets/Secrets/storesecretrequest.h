#ifndef SAILFISH_SECRETS_STORESECRETREQUEST_H
#define SAILFISH_SECRETS_STORESECRETREQUEST_H

#include "Secrets/request.h"
#include "Secrets/secret.h"

namespace Sailfish {
namespace Secrets {

// Stores a new secret. A secret is never overwritten: storing a name that
// exists in the collection fails with SecretAlreadyExistsError, and the
// caller deletes the old one first.
class StoreSecretRequest : public Request
{
    Q_OBJECT

public:
    enum SecretStorageType {
        CollectionSecret = 0,
        StandaloneCustomLockSecret = 1,
        StandaloneDeviceLockSecret = 2
    };

    explicit StoreSecretRequest(QObject *parent = nullptr) : Request(parent) {}

    SecretStorageType secretStorageType() const { return m_storageType; }
    void setSecretStorageType(SecretStorageType type) { m_storageType = type; }
    SecretManager::UserInteractionMode userInteractionMode() const { return m_interactionMode; }
    void setUserInteractionMode(SecretManager::UserInteractionMode mode) { m_interactionMode = mode; }
    Secret secret() const { return m_secret; }
    void setSecret(const Secret &secret) { m_secret = secret; }

protected:
    Result perform() override;

private:
    SecretStorageType m_storageType = CollectionSecret;
    SecretManager::UserInteractionMode m_interactionMode = SecretManager::PreventInteraction;
    Secret m_secret;
};

} // namespace Secrets
} // namespace Sailfish

#endif
