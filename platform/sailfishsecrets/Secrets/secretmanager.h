#ifndef SAILFISH_SECRETS_SECRETMANAGER_H
#define SAILFISH_SECRETS_SECRETMANAGER_H

#include <QObject>
#include <QString>

namespace Sailfish {
namespace Secrets {

// The application's handle on the secrets service. Requests are given a
// manager before they start; the manager itself holds no secrets.
class SecretManager : public QObject
{
    Q_OBJECT

public:
    enum UserInteractionMode {
        PreventInteraction = 0,     // fail rather than ask the user
        SystemInteraction = 1,      // the system may ask the user (unlock prompt)
        ApplicationInteraction = 2,
        InProcessInteraction = ApplicationInteraction
    };

    enum AccessControlMode {
        OwnerOnlyMode = 0,
        SystemAccessControlMode = 1,
        NoAccessControlMode = 2
    };

    enum DeviceLockUnlockSemantic {
        DeviceLockKeepUnlocked = 0,
        DeviceLockVerifyLock = 1,
        DeviceLockRelock = 2
    };

    static const QString DefaultStoragePluginName;
    static const QString DefaultEncryptionPluginName;
    static const QString DefaultEncryptedStoragePluginName;
    static const QString DefaultAuthenticationPluginName;

    explicit SecretManager(QObject *parent = nullptr);
    ~SecretManager() override;

    bool isInitialized() const { return true; }
};

} // namespace Secrets
} // namespace Sailfish

#endif
