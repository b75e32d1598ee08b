#ifndef SAILFISH_SECRETS_DELETECOLLECTIONREQUEST_H
#define SAILFISH_SECRETS_DELETECOLLECTIONREQUEST_H

#include "Secrets/request.h"

namespace Sailfish {
namespace Secrets {

// Deletes a collection with every secret in it. Deleting a collection that
// does not exist succeeds: afterwards it does not exist either way.
class DeleteCollectionRequest : public Request
{
    Q_OBJECT

public:
    explicit DeleteCollectionRequest(QObject *parent = nullptr) : Request(parent) {}

    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString &name) { m_collectionName = name; }
    QString storagePluginName() const { return m_storagePluginName; }
    void setStoragePluginName(const QString &name) { m_storagePluginName = name; }
    SecretManager::UserInteractionMode userInteractionMode() const { return m_interactionMode; }
    void setUserInteractionMode(SecretManager::UserInteractionMode mode) { m_interactionMode = mode; }

protected:
    Result perform() override;

private:
    QString m_collectionName;
    QString m_storagePluginName;
    SecretManager::UserInteractionMode m_interactionMode = SecretManager::PreventInteraction;
};

} // namespace Secrets
} // namespace Sailfish

#endif
