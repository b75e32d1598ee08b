#ifndef VANTOREL_AIDCODES_H
#define VANTOREL_AIDCODES_H

#include <QtGlobal>

// What the terminal puts on the wire when the operator hands a screen back to
// the host: the attention identifier (AID) codes of the read response, the
// header flags of the three out-of-band keys and the record opcodes that carry
// them. Values in hex, as the IBM 5250 data stream reference and the TN5250
// record header write them.

namespace AidCode {

const quint8 ReadImmediate = 0x00; // answer to Read Immediate: no key pressed
const quint8 Enter = 0xF1;
const quint8 Help = 0xF3;
const quint8 RollDown = 0xF4; // Page Up
const quint8 RollUp = 0xF5;   // Page Down
const quint8 Print = 0xF6;
const quint8 Clear = 0xBD;

// Command function keys F1 to F24, indexed by key number - 1.
const quint8 FUNCTION_KEYS[24] = {
    0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, // F1-F12
    0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC  // F13-F24
};

// Program attention keys PA1 to PA3, indexed by key number - 1.
const quint8 PA_KEYS[3] = {0x6C, 0x6E, 0x6B};

} // namespace AidCode

// Flags byte (offset 7) of the record header for the keys that travel without
// a read response.
namespace RecordFlag {

const quint8 None = 0x00;
const quint8 Attention = 0x40;
const quint8 SystemRequest = 0x04;
const quint8 TestRequest = 0x02;

} // namespace RecordFlag

// Record opcodes (offset 9) of what the keys send.
namespace KeyOpcode {

const quint8 NoOperation = 0x00;   // out-of-band keys: empty data, flags set
const quint8 PutGet = 0x03;        // every AID response
const quint8 ReadImmediate = 0x06; // answers to Read Immediate (Alternate)

} // namespace KeyOpcode

// Bytes of the read response itself.
namespace ReadResponseByte {

const quint8 SetBufferAddress = 0x11; // SBA: row and column of the field that follows
const quint8 EbcdicBlank = 0x40;      // what an inner null goes back as
const quint8 EbcdicMinus = 0x60;      // sign position of a negative signed-numeric field
const quint8 DigitZone = 0xF0;        // zone of the EBCDIC digits 0xF0-0xF9
const quint8 NegativeZone = 0xD0;     // zone that marks the last digit negative

} // namespace ReadResponseByte

#endif
