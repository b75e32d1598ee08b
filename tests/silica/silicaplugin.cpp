// The C++ part of the test-only Sailfish.Silica module (tests/silica): what
// plain QML cannot declare, that is the enumerations the pages name
// (Orientation, PageStatus, Cover) and the EnterKey attached object of text
// fields. Names and values are the platform's; the QML types of the module
// are the .qml files beside its qmldir. Never installed.
#include <QQmlExtensionPlugin>
#include <QUrl>
#include <QtQml>

class Orientation : public QObject
{
    Q_OBJECT
public:
    enum Value {
        None = 0,
        Portrait = 1,
        Landscape = 2,
        PortraitInverted = 4,
        LandscapeInverted = 8,
        PortraitMask = Portrait | PortraitInverted,
        LandscapeMask = Landscape | LandscapeInverted,
        All = PortraitMask | LandscapeMask
    };
    Q_ENUM(Value)
};

class PageStatus : public QObject
{
    Q_OBJECT
public:
    enum Value { Inactive, Activating, Active, Deactivating };
    Q_ENUM(Value)
};

class Cover : public QObject
{
    Q_OBJECT
public:
    enum Value { Inactive, Activating, Active, Deactivating };
    Q_ENUM(Value)
};

// What a text field's EnterKey.* say about the keyboard's Enter key; the
// module's TextField emits clicked() for Return and Enter.
class EnterKeyAttached : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled MEMBER m_enabled NOTIFY changed)
    Q_PROPERTY(bool highlighted MEMBER m_highlighted NOTIFY changed)
    Q_PROPERTY(QUrl iconSource MEMBER m_iconSource NOTIFY changed)
    Q_PROPERTY(QString text MEMBER m_text NOTIFY changed)
public:
    explicit EnterKeyAttached(QObject *parent) : QObject(parent) {}
signals:
    void changed();
    void clicked();

private:
    bool m_enabled = true;
    bool m_highlighted = false;
    QUrl m_iconSource;
    QString m_text;
};

class EnterKey : public QObject
{
    Q_OBJECT
public:
    static EnterKeyAttached *qmlAttachedProperties(QObject *object) { return new EnterKeyAttached(object); }
};
QML_DECLARE_TYPEINFO(EnterKey, QML_HAS_ATTACHED_PROPERTIES)

class SilicaTestPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char *uri) override
    {
        const QString reason = QStringLiteral("an enumeration");
        qmlRegisterUncreatableType<Orientation>(uri, 1, 0, "Orientation", reason);
        qmlRegisterUncreatableType<PageStatus>(uri, 1, 0, "PageStatus", reason);
        qmlRegisterUncreatableType<Cover>(uri, 1, 0, "Cover", reason);
        qmlRegisterUncreatableType<EnterKey>(uri, 1, 0, "EnterKey", QStringLiteral("an attached object"));
    }

    // Theme's pixel ratio: 1 (a 540 x 960 phone), or another phone's
    // density from VANTOREL_SILICA_PIXEL_RATIO, for a look at the pages as
    // that phone lays them out.
    void initializeEngine(QQmlEngine *engine, const char *uri) override
    {
        Q_UNUSED(uri)
        const QByteArray setting = qgetenv("VANTOREL_SILICA_PIXEL_RATIO");
        bool ok = false;
        double ratio = setting.toDouble(&ok);
        if (!ok || ratio < 0.25 || ratio > 4.0) {
            if (!setting.isEmpty())
                qWarning("VANTOREL_SILICA_PIXEL_RATIO is not a ratio from 0.25 to 4; using 1");
            ratio = 1.0;
        }
        engine->rootContext()->setContextProperty(QStringLiteral("__silicaPixelRatio"), ratio);
    }
};

#include "silicaplugin.moc"
