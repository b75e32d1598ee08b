#include "fuzzclient.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>


void initFuzzEnvironment(int *argc, char ***argv)
{
    static QTemporaryDir configRoot;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configRoot.path()));
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + QFile::encodeName(configRoot.path()) + "/no-bus");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The client logs through qWarning now and then; a fuzz run of millions
    // of inputs must not spend its time on the terminal.
    qputenv("QT_LOGGING_RULES", "*=false");
    static QCoreApplication app(*argc, *argv);
    QCoreApplication::setOrganizationName(QStringLiteral("vantorel-fuzz"));
    QCoreApplication::setApplicationName(QStringLiteral("vantorel-fuzz"));
}
