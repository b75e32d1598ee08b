// Host bytes through the client's receive path, with the operator at work
// between the pieces and the views the page reads after each of them.
//
// The input is a list of steps: two bytes of length (big-endian), that many
// bytes of telnet stream from the host, then one byte choosing an operator
// action. A short input runs as it is; the length is clipped to what is
// left. The seeds (fuzz_seeds.cpp) hold the fixture screens in this form.
#include <QTcpSocket>

#include <cstddef>
#include <cstdint>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "fuzzclient.h"

namespace {

Tn5250Client *client = nullptr;

// The operator's side: every key and edit the page can ask for.
void act(Tn5250Client &c, quint8 action)
{
    switch (action % 24) {
    case 0: c.inputText(QString(QChar(0x41 + action % 26))); break;
    case 1: c.inputText(QStringLiteral("ÄÖü ÿ€")); break;
    case 2: c.tab(); break;
    case 3: c.backtab(); break;
    case 4: c.backspace(); break;
    case 5: c.deleteCharacter(); break;
    case 6: c.fieldExit(); break;
    case 7: c.fieldPlus(); break;
    case 8: c.fieldMinus(); break;
    case 9: c.home(); break;
    case 10: c.newLine(); break;
    case 11: c.toggleInsertMode(); break;
    case 12: c.eraseToEndOfField(); break;
    case 13: c.eraseInput(); break;
    case 14: c.moveCursorLeft(); break;
    case 15: c.moveCursorRight(); break;
    case 16: c.moveCursorUp(); break;
    case 17: c.moveCursorDown(); break;
    case 18: c.setCursorCell(action / 24 + 1, action); break;
    case 19: c.sendEnter(); break;
    case 20: c.sendFunctionKey(action / 24 + 1); break;
    case 21: c.endOfField(); break;
    case 22: c.sendPaKey(action / 24 % 4); break;
    default: c.sendAttention(); break;
    }
}

void readViews(const Tn5250Client &c)
{
    volatile int sink = 0;
    sink += c.terminalText().size();
    sink += c.screenText().size();
    sink += c.inputFieldSegments().size();
    sink += c.hotspotSegments().size();
    sink += c.visibleCellCount() + c.cursorRow() + c.cursorColumn();
    const TerminalScreen &screen = c.terminalScreen();
    for (int i = 0; i < screen.size(); ++i)
        sink += screen.charAt(i).unicode() + int(screen.isNondisplayAt(i));
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    initFuzzEnvironment(argc, argv);
    client = new Tn5250Client;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Every input starts a session afresh: a socket that is never connected
    // (the keys' records go nowhere) and a cleared protocol state.
    ClientProbe probe(*client);
    QTcpSocket socket;
    probe.resetProtocolState();
    probe.screen() = TerminalScreen();
    probe.socket() = &socket;
    probe.connected() = true;
    size_t at = 0;
    while (at < size) {
        size_t length = size - at;
        if (length >= 2) {
            length = qMin<size_t>((size_t(data[at]) << 8 | data[at + 1]), size - at - 2);
            at += 2;
        }
        client->processTelnetBytes(QByteArray(reinterpret_cast<const char *>(data + at), int(length)));
        at += length;
        if (at < size)
            act(*client, data[at++]);
        readViews(*client);
    }
    probe.socket() = nullptr;
    probe.connected() = false;
    return 0;
}
