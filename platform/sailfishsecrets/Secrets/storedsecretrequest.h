#ifndef SAILFISH_SECRETS_STOREDSECRETREQUEST_H
#define SAILFISH_SECRETS_STOREDSECRETREQUEST_H

#include "Secrets/request.h"
#include "Secrets/secret.h"

namespace Sailfish {
namespace Secrets {

// Reads one stored secret, data, type and filter data.
class StoredSecretRequest : public Request
{
    Q_OBJECT

public:
    explicit StoredSecretRequest(QObject *parent = nullptr) : Request(parent) {}

    Secret::Identifier identifier() const { return m_identifier; }
    void setIdentifier(const Secret::Identifier &identifier) { m_identifier = identifier; }
    SecretManager::UserInteractionMode userInteractionMode() const { return m_interactionMode; }
    void setUserInteractionMode(SecretManager::UserInteractionMode mode) { m_interactionMode = mode; }

    Secret secret() const { return m_secret; }

protected:
    Result perform() override;

private:
    Secret::Identifier m_identifier;
    SecretManager::UserInteractionMode m_interactionMode = SecretManager::PreventInteraction;
    Secret m_secret;
};

} // namespace Secrets
} // namespace Sailfish

#endif
