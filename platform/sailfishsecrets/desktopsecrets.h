#ifndef VANTOREL_PLATFORM_DESKTOPSECRETS_H
#define VANTOREL_PLATFORM_DESKTOPSECRETS_H

#include <QStringList>

#include "Secrets/result.h"
#include "Secrets/secret.h"
#include "Secrets/secretmanager.h"

namespace Sailfish {
namespace Secrets {

// The desktop's Secret Service (gnome-keyring, KWallet, KeePassXC; reached
// through libsecret) behind the requests of this layer. The desktop service
// cannot make a new keyring without a password prompt, so a collection here
// is a set of items in the default keyring that share a collection
// attribute, plus one marker item that records that the collection exists.
// Each call blocks until the service has answered.
namespace DesktopSecrets {

Result collectionNames(const QString &storagePlugin, QStringList *names);
Result createCollection(const QString &collection, const QString &storagePlugin, bool mayAsk);
Result deleteCollection(const QString &collection, const QString &storagePlugin, bool mayAsk);
Result storeSecret(const Secret &secret, bool mayAsk);
Result storedSecret(const Secret::Identifier &identifier, bool mayAsk, Secret *secret);
Result deleteSecret(const Secret::Identifier &identifier, bool mayAsk);

} // namespace DesktopSecrets
} // namespace Secrets
} // namespace Sailfish

#endif
