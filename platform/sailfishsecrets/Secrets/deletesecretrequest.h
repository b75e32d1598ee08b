#ifndef SAILFISH_SECRETS_DELETESECRETREQUEST_H
#define SAILFISH_SECRETS_DELETESECRETREQUEST_H

#include "Secrets/request.h"
#include "Secrets/secret.h"

namespace Sailfish {
namespace Secrets {

// Deletes one stored secret. Deleting a secret that does not exist fails.
class DeleteSecretRequest : public Request
{
    Q_OBJECT

public:
    explicit DeleteSecretRequest(QObject *parent = nullptr) : Request(parent) {}

    Secret::Identifier identifier() const { return m_identifier; }
    void setIdentifier(const Secret::Identifier &identifier) { m_identifier = identifier; }
    SecretManager::UserInteractionMode userInteractionMode() const { return m_interactionMode; }
    void setUserInteractionMode(SecretManager::UserInteractionMode mode) { m_interactionMode = mode; }

protected:
    Result perform() override;

private:
    Secret::Identifier m_identifier;
    SecretManager::UserInteractionMode m_interactionMode = SecretManager::PreventInteraction;
};

} // namespace Secrets
} // namespace Sailfish

#endif
