#ifndef SAILFISH_SECRETS_SECRET_H
#define SAILFISH_SECRETS_SECRET_H

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace Sailfish {
namespace Secrets {

// One secret: its address (name, collection, storage plugin), its data, a
// type tag, and filter data (field/value pairs kept beside it in clear text,
// for finding secrets; never anything confidential).
class Secret
{
public:
    class Identifier
    {
    public:
        Identifier() = default;
        Identifier(const QString &name, const QString &collectionName, const QString &storagePluginName)
            : m_name(name), m_collectionName(collectionName), m_storagePluginName(storagePluginName)
        {
        }

        QString name() const { return m_name; }
        void setName(const QString &name) { m_name = name; }
        QString collectionName() const { return m_collectionName; }
        void setCollectionName(const QString &name) { m_collectionName = name; }
        QString storagePluginName() const { return m_storagePluginName; }
        void setStoragePluginName(const QString &name) { m_storagePluginName = name; }

        bool isValid() const { return !m_name.isEmpty() && !m_storagePluginName.isEmpty(); }
        // A secret outside any collection.
        bool identifiesStandaloneSecret() const { return m_collectionName.isEmpty(); }

    private:
        QString m_name;
        QString m_collectionName;
        QString m_storagePluginName;
    };

    typedef QMap<QString, QString> FilterData;

    static const QString TypeUnknown;
    static const QString TypeBlob;

    Secret() = default;
    explicit Secret(const Identifier &identifier) : m_identifier(identifier) {}

    Identifier identifier() const { return m_identifier; }
    void setIdentifier(const Identifier &identifier) { m_identifier = identifier; }
    QString name() const { return m_identifier.name(); }
    QString collectionName() const { return m_identifier.collectionName(); }
    QString storagePluginName() const { return m_identifier.storagePluginName(); }

    QString type() const { return m_type; }
    void setType(const QString &type) { m_type = type; }

    QByteArray data() const { return m_data; }
    void setData(const QByteArray &data) { m_data = data; }

    FilterData filterData() const { return m_filterData; }
    QString filterData(const QString &field) const { return m_filterData.value(field); }
    void setFilterData(const FilterData &data) { m_filterData = data; }
    void setFilterData(const QString &field, const QString &value) { m_filterData.insert(field, value); }
    QStringList filterDataFields() const { return m_filterData.keys(); }
    bool hasFilterData(const QString &field) const { return m_filterData.contains(field); }

private:
    Identifier m_identifier;
    QString m_type;
    QByteArray m_data;
    FilterData m_filterData;
};

} // namespace Secrets
} // namespace Sailfish

#endif
