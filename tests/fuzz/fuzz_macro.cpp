// The macro token parser: any text played into a session with input fields
// (the sign-on fixture), with the keys' records going nowhere.
#include <QFile>
#include <QTcpSocket>

#include <cstdint>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/hexfixture.h"
#include "fuzzclient.h"
#include "protocol/recordframer.h"

namespace {

Tn5250Client *client = nullptr;
QByteArray signOn;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    initFuzzEnvironment(argc, argv);
    client = new Tn5250Client;
    QFile file(HexFixture::dataPath(QStringLiteral("signon.hex")));
    if (file.open(QIODevice::ReadOnly)) {
        signOn = RecordFramer::wire(0x03, HexFixture::parse(QString::fromUtf8(file.readAll())), 0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ClientProbe probe(*client);
    QTcpSocket socket;
    probe.resetProtocolState();
    probe.socket() = &socket;
    probe.connected() = true;
    client->processTelnetBytes(signOn);
    client->runMacro(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    (void)client->screenText();
    probe.socket() = nullptr;
    probe.connected() = false;
    return 0;
}
