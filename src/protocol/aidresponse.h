#ifndef VANTOREL_AIDRESPONSE_H
#define VANTOREL_AIDRESPONSE_H

#include <QByteArray>
#include <QtGlobal>

#include "screen/terminalscreen.h"

// The read response: what the terminal hands back to the host when the
// operator presses an AID key or the host's Read Immediate asks for the
// fields now (IBM 5250 data stream reference, the Read Input Fields / Read
// MDT Fields family). A pure function of the presentation space: cursor
// address, AID code and, where the key carries data, the selected fields.
//
// Field data is never logged anywhere on its way out, so a password typed
// into a nondisplay field only ever leaves inside this response.
namespace AidResponse {

// What the response contains, as the host's last read command asked.
enum ReadMode {
    ReadInputFields = 1,
    ReadMdtFields = 2,
    ReadMdtFieldsAlternate = 3,
    ReadImmediate = 4,
    ReadImmediateAlternate = 5
};

QByteArray build(const TerminalScreen &screen, quint8 aid, bool includeFields, ReadMode mode);
// One field's data as the host expects it back.
QByteArray fieldData(const TerminalScreen &screen, const TerminalScreen::Field &field, bool alternate);
// The AID code of F1..F24; 0 for any other number.
quint8 functionKeyAid(int number);

} // namespace AidResponse

#endif
