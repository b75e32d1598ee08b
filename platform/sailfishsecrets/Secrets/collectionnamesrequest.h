#ifndef SAILFISH_SECRETS_COLLECTIONNAMESREQUEST_H
#define SAILFISH_SECRETS_COLLECTIONNAMESREQUEST_H

#include <QStringList>

#include "Secrets/request.h"

namespace Sailfish {
namespace Secrets {

// Lists the collections that exist in one storage plugin.
class CollectionNamesRequest : public Request
{
    Q_OBJECT

public:
    explicit CollectionNamesRequest(QObject *parent = nullptr) : Request(parent) {}

    QString storagePluginName() const { return m_storagePluginName; }
    void setStoragePluginName(const QString &name) { m_storagePluginName = name; }

    QStringList collectionNames() const { return m_collectionNames; }

protected:
    Result perform() override;

private:
    QString m_storagePluginName;
    QStringList m_collectionNames;
};

} // namespace Secrets
} // namespace Sailfish

#endif
