#ifndef SAILFISH_SECRETS_CREATECOLLECTIONREQUEST_H
#define SAILFISH_SECRETS_CREATECOLLECTIONREQUEST_H

#include "Secrets/request.h"

namespace Sailfish {
namespace Secrets {

// Creates a named collection. Creating one that exists fails. A collection
// is unlocked with the device (DeviceLock) or by an authentication plugin of
// its own (CustomLock, which then needs that plugin's name).
class CreateCollectionRequest : public Request
{
    Q_OBJECT

public:
    enum CollectionLockType {
        DeviceLock = 0,
        CustomLock = 1
    };

    explicit CreateCollectionRequest(QObject *parent = nullptr) : Request(parent) {}

    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString &name) { m_collectionName = name; }
    CollectionLockType collectionLockType() const { return m_lockType; }
    void setCollectionLockType(CollectionLockType type) { m_lockType = type; }
    SecretManager::DeviceLockUnlockSemantic deviceLockUnlockSemantic() const { return m_unlockSemantic; }
    void setDeviceLockUnlockSemantic(SecretManager::DeviceLockUnlockSemantic semantic) { m_unlockSemantic = semantic; }
    SecretManager::AccessControlMode accessControlMode() const { return m_accessControlMode; }
    void setAccessControlMode(SecretManager::AccessControlMode mode) { m_accessControlMode = mode; }
    SecretManager::UserInteractionMode userInteractionMode() const { return m_interactionMode; }
    void setUserInteractionMode(SecretManager::UserInteractionMode mode) { m_interactionMode = mode; }
    QString storagePluginName() const { return m_storagePluginName; }
    void setStoragePluginName(const QString &name) { m_storagePluginName = name; }
    QString encryptionPluginName() const { return m_encryptionPluginName; }
    void setEncryptionPluginName(const QString &name) { m_encryptionPluginName = name; }
    QString authenticationPluginName() const { return m_authenticationPluginName; }
    void setAuthenticationPluginName(const QString &name) { m_authenticationPluginName = name; }

protected:
    Result perform() override;

private:
    QString m_collectionName;
    CollectionLockType m_lockType = DeviceLock;
    SecretManager::DeviceLockUnlockSemantic m_unlockSemantic = SecretManager::DeviceLockKeepUnlocked;
    SecretManager::AccessControlMode m_accessControlMode = SecretManager::OwnerOnlyMode;
    SecretManager::UserInteractionMode m_interactionMode = SecretManager::PreventInteraction;
    QString m_storagePluginName;
    QString m_encryptionPluginName;
    QString m_authenticationPluginName;
};

} // namespace Secrets
} // namespace Sailfish

#endif
