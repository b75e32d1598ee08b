// The secrets layer's backend: the freedesktop Secret Service, through
// libsecret's synchronous calls. Items carry the secret's address as
// attributes, so a secret is found again by (collection, name, plugin);
// its filter data rides along as further attributes.
//
// libsecret comes first: GIO's headers use the word "signals", which Qt
// defines as a macro.
#include <libsecret/secret.h>

#include "desktopsecrets.h"

#include <memory>

namespace Sailfish {
namespace Secrets {
namespace DesktopSecrets {

namespace {

// Attribute names of this layer. Filter data may not use them.
const char ATTR_SCHEMA[] = "xdg:schema";
const char ATTR_COLLECTION[] = "secrets.collection";
const char ATTR_NAME[] = "secrets.name";
const char ATTR_PLUGIN[] = "secrets.plugin";
const char ATTR_TYPE[] = "secrets.type";

// The two kinds of item: a secret, and the marker of a collection.
const char SCHEMA_SECRET[] = "vantorel.secrets.Secret";
const char SCHEMA_COLLECTION[] = "vantorel.secrets.Collection";

const char RESERVED_COLLECTION[] = "standalone";

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct HashTableUnref {
    void operator()(GHashTable *table) const { g_hash_table_unref(table); }
};
struct ValueUnref {
    void operator()(SecretValue *value) const { secret_value_unref(value); }
};
struct ItemListFree {
    void operator()(GList *list) const { g_list_free_full(list, g_object_unref); }
};

typedef std::unique_ptr<SecretService, GObjectUnref> ServicePointer;
typedef std::unique_ptr<GHashTable, HashTableUnref> Attributes;
typedef std::unique_ptr<SecretValue, ValueUnref> ValuePointer;
typedef std::unique_ptr<GList, ItemListFree> ItemList;

// Takes the error's message and frees it.
QString takeMessage(GError *&error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QString();
    g_clear_error(&error);
    return message;
}

Result serviceFailure(GError *&error)
{
    return Result(Result::UnknownError, QStringLiteral("Secret Service: %1").arg(takeMessage(error)));
}

Attributes newAttributes()
{
    return Attributes(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
}

void insert(GHashTable *attributes, const QString &key, const QString &value)
{
    g_hash_table_replace(attributes, g_strdup(key.toUtf8().constData()), g_strdup(value.toUtf8().constData()));
}

void insert(GHashTable *attributes, const char *key, const QString &value)
{
    insert(attributes, QString::fromLatin1(key), value);
}

Attributes collectionAttributes(const QString &collection, const QString &plugin)
{
    Attributes attributes = newAttributes();
    insert(attributes.get(), ATTR_SCHEMA, QLatin1String(SCHEMA_COLLECTION));
    insert(attributes.get(), ATTR_COLLECTION, collection);
    insert(attributes.get(), ATTR_PLUGIN, plugin);
    return attributes;
}

Attributes secretAttributes(const Secret::Identifier &identifier)
{
    Attributes attributes = newAttributes();
    insert(attributes.get(), ATTR_SCHEMA, QLatin1String(SCHEMA_SECRET));
    insert(attributes.get(), ATTR_COLLECTION, identifier.collectionName());
    insert(attributes.get(), ATTR_NAME, identifier.name());
    insert(attributes.get(), ATTR_PLUGIN, identifier.storagePluginName());
    return attributes;
}

bool knownStoragePlugin(const QString &name)
{
    return name == SecretManager::DefaultEncryptedStoragePluginName
        || name == SecretManager::DefaultStoragePluginName;
}

Result unknownPlugin(const QString &name)
{
    return Result(Result::InvalidExtensionPluginError, QStringLiteral("Unknown storage plugin \"%1\"").arg(name));
}

Result missingSecret(const Secret::Identifier &identifier)
{
    return Result(Result::InvalidSecretError, QStringLiteral("No secret named \"%1\" exists in collection \"%2\"")
                                                  .arg(identifier.name(), identifier.collectionName()));
}

Result checkIdentifier(const Secret::Identifier &identifier)
{
    if (identifier.name().isEmpty() || identifier.collectionName().isEmpty())
        return Result(Result::InvalidSecretIdentifierError,
                      QStringLiteral("A secret needs a name and a collection"));
    if (!knownStoragePlugin(identifier.storagePluginName()))
        return unknownPlugin(identifier.storagePluginName());
    return Result();
}

// The session with the service; the first call of a process opens it.
ServicePointer connectService(Result *failure)
{
    GError *error = nullptr;
    SecretService *service = secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &error);
    if (!service) {
        // The phone's library reports a daemon it cannot reach as a manager
        // that did not initialise.
        *failure = Result(Result::SecretManagerNotInitializedError,
                          QStringLiteral("The Secret Service is not reachable: %1").arg(takeMessage(error)));
    }
    return ServicePointer(service);
}

// The same, for a request on the collections of one storage plugin.
ServicePointer connectService(const QString &storagePlugin, Result *failure)
{
    if (!knownStoragePlugin(storagePlugin)) {
        *failure = unknownPlugin(storagePlugin);
        return ServicePointer();
    }
    return connectService(failure);
}

// Every item matching the attributes (locked items are found too, with their
// attributes but without their secrets). With `unlock` the service unlocks
// locked ones first, which may prompt the user; secrets are loaded when
// asked for.
ItemList search(SecretService *service, GHashTable *attributes, bool loadSecrets, bool unlock, Result *failure)
{
    int flags = SECRET_SEARCH_ALL;
    if (loadSecrets)
        flags |= SECRET_SEARCH_LOAD_SECRETS;
    if (unlock)
        flags |= SECRET_SEARCH_UNLOCK;
    GError *error = nullptr;
    GList *items = secret_service_search_sync(service, nullptr, attributes, SecretSearchFlags(flags), nullptr, &error);
    if (error) {
        *failure = serviceFailure(error);
        g_list_free_full(items, g_object_unref);
        return ItemList();
    }
    return ItemList(items);
}

// What a request on a locked item or keyring gets: whether it could not ask
// to unlock, or asked and was refused (or no prompt could be shown).
Result lockedFailure(const QString &what, bool mayAsk)
{
    // The desktop keyring is locked as a whole, like a collection on the phone.
    return Result(Result::CollectionIsLockedError,
                  mayAsk ? QStringLiteral("%1 is locked and was not unlocked").arg(what)
                         : QStringLiteral("%1 is locked and the request may not ask to unlock it").arg(what));
}

bool exists(SecretService *service, GHashTable *attributes, Result *failure)
{
    const ItemList items = search(service, attributes, false, false, failure);
    return items != nullptr;
}

// New items go to the default keyring, which must exist and, unless the
// request may ask the user, be unlocked already.
bool defaultKeyringUsable(SecretService *service, bool mayAsk, Result *failure)
{
    GError *error = nullptr;
    std::unique_ptr<SecretCollection, GObjectUnref> keyring(
        secret_collection_for_alias_sync(service, SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, &error));
    if (error) {
        *failure = serviceFailure(error);
        return false;
    }
    if (!keyring) {
        *failure = Result(Result::InvalidCollectionError,
                          QStringLiteral("The Secret Service has no default keyring to store secrets in"));
        return false;
    }
    if (!mayAsk && secret_collection_get_locked(keyring.get())) {
        *failure = lockedFailure(QStringLiteral("The default keyring"), false);
        return false;
    }
    return true;
}

Result storeItem(SecretService *service, GHashTable *attributes, const QString &label, const QByteArray &data)
{
    ValuePointer value(secret_value_new(data.constData(), data.size(), "application/octet-stream"));
    GError *error = nullptr;
    const gboolean stored = secret_service_store_sync(service, nullptr, attributes, SECRET_COLLECTION_DEFAULT,
                                                      label.toUtf8().constData(), value.get(), nullptr, &error);
    if (!stored)
        return error ? serviceFailure(error) : Result(Result::UnknownError, QStringLiteral("Secret Service: store failed"));
    return Result();
}

// Deletes every item matching the attributes, unlocking them first when the
// request may ask; a locked item that stays locked fails the request (the
// service would refuse to delete it). `found` tells whether anything matched.
Result deleteItems(SecretService *service, GHashTable *attributes, bool mayAsk, const QString &what, bool *found)
{
    Result result;
    const ItemList items = search(service, attributes, false, mayAsk, &result);
    *found = items != nullptr;
    for (GList *entry = items.get(); entry && result.code() == Result::Succeeded; entry = entry->next) {
        SecretItem *item = static_cast<SecretItem *>(entry->data);
        if (secret_item_get_locked(item))
            return lockedFailure(what, mayAsk);
        GError *error = nullptr;
        if (!secret_item_delete_sync(item, nullptr, &error))
            result = error ? serviceFailure(error) : Result(Result::UnknownError, QStringLiteral("Secret Service: delete failed"));
    }
    return result;
}

} // namespace

Result collectionNames(const QString &storagePlugin, QStringList *names)
{
    if (names)
        names->clear();
    Result result;
    const ServicePointer service = connectService(storagePlugin, &result);
    if (!service)
        return result;

    Attributes attributes = newAttributes();
    insert(attributes.get(), ATTR_SCHEMA, QLatin1String(SCHEMA_COLLECTION));
    insert(attributes.get(), ATTR_PLUGIN, storagePlugin);
    const ItemList items = search(service.get(), attributes.get(), false, false, &result);
    if (result.code() != Result::Succeeded)
        return result;
    for (GList *entry = items.get(); entry; entry = entry->next) {
        Attributes found(secret_item_get_attributes(static_cast<SecretItem *>(entry->data)));
        const char *name = found ? static_cast<const char *>(g_hash_table_lookup(found.get(), ATTR_COLLECTION)) : nullptr;
        if (name && names && !names->contains(QString::fromUtf8(name)))
            names->append(QString::fromUtf8(name));
    }
    return result;
}

Result createCollection(const QString &collection, const QString &storagePlugin, bool mayAsk)
{
    if (collection.isEmpty())
        return Result(Result::InvalidCollectionError, QStringLiteral("A collection needs a name"));
    if (collection.compare(QLatin1String(RESERVED_COLLECTION), Qt::CaseInsensitive) == 0)
        return Result(Result::InvalidCollectionError,
                      QStringLiteral("The collection name \"%1\" is reserved").arg(collection));
    Result result;
    const ServicePointer service = connectService(storagePlugin, &result);
    if (!service)
        return result;

    Attributes attributes = collectionAttributes(collection, storagePlugin);
    if (exists(service.get(), attributes.get(), &result))
        return Result(Result::CollectionAlreadyExistsError,
                      QStringLiteral("A collection named \"%1\" already exists").arg(collection));
    if (result.code() != Result::Succeeded || !defaultKeyringUsable(service.get(), mayAsk, &result))
        return result;
    return storeItem(service.get(), attributes.get(), collection, QByteArray());
}

Result deleteCollection(const QString &collection, const QString &storagePlugin, bool mayAsk)
{
    if (collection.isEmpty())
        return Result(Result::InvalidCollectionError, QStringLiteral("A collection needs a name"));
    Result result;
    const ServicePointer service = connectService(storagePlugin, &result);
    if (!service)
        return result;

    // The marker and every secret of the collection share these two.
    Attributes attributes = newAttributes();
    insert(attributes.get(), ATTR_COLLECTION, collection);
    insert(attributes.get(), ATTR_PLUGIN, storagePlugin);
    bool found = false;
    return deleteItems(service.get(), attributes.get(), mayAsk,
                       QStringLiteral("The collection \"%1\"").arg(collection), &found);
}

Result storeSecret(const Secret &secret, bool mayAsk)
{
    const Secret::Identifier identifier = secret.identifier();
    Result result = checkIdentifier(identifier);
    if (result.code() != Result::Succeeded)
        return result;
    const Secret::FilterData filters = secret.filterData();
    for (Secret::FilterData::const_iterator it = filters.constBegin(); it != filters.constEnd(); ++it) {
        if (it.key().isEmpty() || it.key().startsWith(QLatin1String("secrets.")) || it.key().startsWith(QLatin1String("xdg:")))
            return Result(Result::InvalidFilterError, QStringLiteral("The filter field \"%1\" is reserved").arg(it.key()));
    }

    const ServicePointer service = connectService(&result);
    if (!service)
        return result;
    Attributes collection = collectionAttributes(identifier.collectionName(), identifier.storagePluginName());
    const bool collectionExists = exists(service.get(), collection.get(), &result);
    if (result.code() != Result::Succeeded)
        return result;
    if (!collectionExists)
        return Result(Result::InvalidCollectionError,
                      QStringLiteral("No collection named \"%1\" exists").arg(identifier.collectionName()));

    // A secret is never overwritten in place, as on the phone: the caller
    // decides whether to delete the old one.
    Attributes attributes = secretAttributes(identifier);
    if (exists(service.get(), attributes.get(), &result))
        return Result(Result::SecretAlreadyExistsError,
                      QStringLiteral("A secret named \"%1\" already exists in collection \"%2\"")
                          .arg(identifier.name(), identifier.collectionName()));
    if (result.code() != Result::Succeeded || !defaultKeyringUsable(service.get(), mayAsk, &result))
        return result;

    insert(attributes.get(), ATTR_TYPE, secret.type());
    for (Secret::FilterData::const_iterator it = filters.constBegin(); it != filters.constEnd(); ++it)
        insert(attributes.get(), it.key(), it.value());
    return storeItem(service.get(), attributes.get(),
                     identifier.collectionName() + QLatin1Char('/') + identifier.name(), secret.data());
}

Result storedSecret(const Secret::Identifier &identifier, bool mayAsk, Secret *secret)
{
    Result result = checkIdentifier(identifier);
    if (result.code() != Result::Succeeded)
        return result;
    const ServicePointer service = connectService(&result);
    if (!service)
        return result;

    Attributes attributes = secretAttributes(identifier);
    const ItemList items = search(service.get(), attributes.get(), true, mayAsk, &result);
    if (result.code() != Result::Succeeded)
        return result;
    if (!items)
        return missingSecret(identifier);
    SecretItem *item = static_cast<SecretItem *>(items.get()->data);
    const ValuePointer value(secret_item_get_secret(item));
    if (!value)
        return lockedFailure(QStringLiteral("The secret \"%1\"").arg(identifier.name()), mayAsk);

    Secret found(identifier);
    gsize length = 0;
    const gchar *data = secret_value_get(value.get(), &length);
    found.setData(QByteArray(data, int(length)));
    const Attributes itemAttributes(secret_item_get_attributes(item));
    GHashTableIter iter;
    gpointer key = nullptr;
    gpointer text = nullptr;
    g_hash_table_iter_init(&iter, itemAttributes.get());
    while (g_hash_table_iter_next(&iter, &key, &text)) {
        const QString field = QString::fromUtf8(static_cast<const char *>(key));
        const QString fieldValue = QString::fromUtf8(static_cast<const char *>(text));
        if (field == QLatin1String(ATTR_TYPE))
            found.setType(fieldValue);
        else if (!field.startsWith(QLatin1String("secrets.")) && !field.startsWith(QLatin1String("xdg:")))
            found.setFilterData(field, fieldValue);
    }
    if (secret)
        *secret = found;
    return result;
}

Result deleteSecret(const Secret::Identifier &identifier, bool mayAsk)
{
    Result result = checkIdentifier(identifier);
    if (result.code() != Result::Succeeded)
        return result;
    const ServicePointer service = connectService(&result);
    if (!service)
        return result;

    Attributes attributes = secretAttributes(identifier);
    bool found = false;
    result = deleteItems(service.get(), attributes.get(), mayAsk,
                         QStringLiteral("The secret \"%1\"").arg(identifier.name()), &found);
    if (result.code() == Result::Succeeded && !found)
        return missingSecret(identifier);
    return result;
}

} // namespace DesktopSecrets
} // namespace Secrets
} // namespace Sailfish
