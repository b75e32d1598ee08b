// The settings file through the client's start-up: the bytes are the file,
// a client loads and repairs it, and a second client loads the repaired
// file. The repair must be its own result: the second start leaves the file
// as the first one wrote it.
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/tn5250client.h"
#include "fuzzclient.h"
#include "settings/settingskeys.h"

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    initFuzzEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = settingsFilePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    {
        Tn5250Client first;
        (void)first.profiles();
        (void)first.macros();
    }
    const QByteArray repaired = readAll(path);
    QString secondProfile;
    {
        Tn5250Client second;
        secondProfile = second.currentProfileId();
        (void)second.profiles();
        (void)second.macros();
    }
    const QByteArray again = readAll(path);
    if (again != repaired) {
        std::fprintf(stderr, "The second start changed the repaired settings file:\n--- first\n%s\n--- second\n%s\n",
                     repaired.constData(), again.constData());
        std::abort();
    }
    QFile::remove(path);
    return 0;
}
