#ifndef VANTOREL_TESTS_KEYRING_H
#define VANTOREL_TESTS_KEYRING_H

#include <QByteArray>
#include <QString>

#include <Secrets/createcollectionrequest.h>
#include <Secrets/deletecollectionrequest.h>
#include <Secrets/result.h>
#include <Secrets/secret.h>
#include <Secrets/secretmanager.h>
#include <Secrets/storedsecretrequest.h>
#include <Secrets/storesecretrequest.h>

#include "credentials/credentialstore.h"

// Direct access to the secrets service beside the password store, for the
// credential tests: emptying the application's collection between cases,
// planting secrets under older names, and looking at what was left behind.
class Keyring
{
public:
    Sailfish::Secrets::Result run(Sailfish::Secrets::Request &request)
    {
        request.setManager(&m_manager);
        request.startRequest();
        request.waitForFinished();
        return request.result();
    }

    // Removes the collection with every password in it.
    bool dropCollection()
    {
        Sailfish::Secrets::DeleteCollectionRequest request;
        request.setCollectionName(COLLECTION_NAME);
        request.setStoragePluginName(Sailfish::Secrets::SecretManager::DefaultEncryptedStoragePluginName);
        return run(request).code() == Sailfish::Secrets::Result::Succeeded;
    }

    bool plant(const QString &name, const QString &password)
    {
        Sailfish::Secrets::CreateCollectionRequest create;
        create.setCollectionName(COLLECTION_NAME);
        create.setStoragePluginName(Sailfish::Secrets::SecretManager::DefaultEncryptedStoragePluginName);
        run(create);
        Sailfish::Secrets::Secret secret(identifier(name));
        secret.setData(password.toUtf8());
        secret.setType(Sailfish::Secrets::Secret::TypeBlob);
        Sailfish::Secrets::StoreSecretRequest request;
        request.setSecret(secret);
        return run(request).code() == Sailfish::Secrets::Result::Succeeded;
    }

    // The secret's data, or a null array when it does not exist.
    QByteArray read(const QString &name, Sailfish::Secrets::Secret *secret = nullptr)
    {
        Sailfish::Secrets::StoredSecretRequest request;
        request.setIdentifier(identifier(name));
        if (run(request).code() != Sailfish::Secrets::Result::Succeeded)
            return QByteArray();
        if (secret)
            *secret = request.secret();
        const QByteArray data = request.secret().data();
        return data.isNull() ? QByteArray("") : data;
    }

private:
    static Sailfish::Secrets::Secret::Identifier identifier(const QString &name)
    {
        return Sailfish::Secrets::Secret::Identifier(
            name, COLLECTION_NAME, Sailfish::Secrets::SecretManager::DefaultEncryptedStoragePluginName);
    }

    Sailfish::Secrets::SecretManager m_manager;
};

#endif
