#ifndef VANTOREL_TESTS_SETTINGSSANDBOX_H
#define VANTOREL_TESTS_SETTINGSSANDBOX_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>

#include "app/tn5250client.h"

// A throw-away configuration folder for one test case. Pointing
// XDG_CONFIG_HOME into it moves the application's settings file there; the
// default QSettings location (where the legacy file lies) is moved into it
// as well, because QSettings resolves that path once per process.
class SettingsSandbox
{
public:
    SettingsSandbox()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
        QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
        m_previousConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, legacyHome());
    }

    // Clients made after this point use the folder CTest gave the test.
    ~SettingsSandbox() { qputenv("XDG_CONFIG_HOME", m_previousConfigHome); }

    SettingsSandbox(const SettingsSandbox &) = delete;
    SettingsSandbox &operator=(const SettingsSandbox &) = delete;

    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }
    QString legacyHome() const { return m_dir.path() + QStringLiteral("/legacy"); }
    QString settingsPath() const
    {
        return configHome() + QStringLiteral("/orvik/harbour-vantorel/harbour-vantorel.conf");
    }
    QString legacyPath() const { return legacyHome() + QStringLiteral("/orvik/harbour-vantorel.conf"); }

    // Copies tests/data/settings/<name> into place as the settings file.
    bool install(const QString &fixture) const { return copyFixture(fixture, settingsPath()); }
    bool installLegacy(const QString &fixture) const { return copyFixture(fixture, legacyPath()); }

    // Every key of the settings file with its value, read afresh.
    QVariantMap snapshot() const
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        QVariantMap map;
        const QStringList keys = settings.allKeys();
        for (const QString &key : keys)
            map.insert(key, settings.value(key));
        return map;
    }

    QVariant value(const QString &key) const
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        return settings.value(key);
    }

    bool contains(const QString &key) const
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        return settings.contains(key);
    }

    // Writes keys straight into the settings file, as an older release or a
    // hand edit would have left them.
    void write(const QVariantMap &values) const
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        QSettings settings(settingsPath(), QSettings::IniFormat);
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
    }

    QByteArray fileBytes() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    static bool copyFixture(const QString &fixture, const QString &target)
    {
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        return QFile::copy(QStringLiteral(VANTOREL_TEST_DATA_DIR "/settings/") + fixture, target);
    }

    QTemporaryDir m_dir;
    QByteArray m_previousConfigHome;
};

// Records the order in which the client's change signals arrive.
class SignalRecorder : public QObject
{
public:
    explicit SignalRecorder(Tn5250Client *client)
    {
        listen(client, &Tn5250Client::profilesChanged, "profilesChanged");
        listen(client, &Tn5250Client::settingsChanged, "settingsChanged");
        listen(client, &Tn5250Client::connectedChanged, "connectedChanged");
        listen(client, &Tn5250Client::statusChanged, "statusChanged");
        listen(client, &Tn5250Client::credentialsChanged, "credentialsChanged");
        listen(client, &Tn5250Client::connectionInfoChanged, "connectionInfoChanged");
        listen(client, &Tn5250Client::macrosChanged, "macrosChanged");
    }

    // The recorded names, limited to the given signals, in arrival order.
    QStringList only(const QStringList &names) const
    {
        QStringList result;
        for (const QString &name : m_names) {
            if (names.contains(name))
                result << name;
        }
        return result;
    }

    QStringList all() const { return m_names; }
    void clear() { m_names.clear(); }

private:
    void listen(Tn5250Client *client, void (Tn5250Client::*signal)(), const char *name)
    {
        const QString text = QString::fromLatin1(name);
        connect(client, signal, this, [this, text]() { m_names << text; });
    }

    QStringList m_names;
};

#endif
