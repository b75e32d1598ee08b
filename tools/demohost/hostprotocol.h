#ifndef VANTOREL_DEMOHOST_HOSTPROTOCOL_H
#define VANTOREL_DEMOHOST_HOSTPROTOCOL_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The host's end of the wire: telnet bytes (RFC 854/855, 856 BINARY, 885
// END-OF-RECORD, 1091 TERMINAL-TYPE, 1572 NEW-ENVIRON), the TN5250 record
// header (RFC 1205, RFC 2877/4777) and the 5250 commands, orders and AID codes
// the demo host writes and reads (IBM 5250 data stream reference). All values
// in hex as the references write them.
//
// The demo host keeps its own tables rather than sharing the terminal's, so
// that the two ends check each other.
namespace HostProtocol {

// --- Telnet -----------------------------------------------------------------
const quint8 IAC = 0xFF;
const quint8 DONT = 0xFE;
const quint8 DO = 0xFD;
const quint8 WONT = 0xFC;
const quint8 WILL = 0xFB;
const quint8 SB = 0xFA;
const quint8 SE = 0xF0;
const quint8 EOR = 0xEF;

const quint8 OPT_BINARY = 0x00;
const quint8 OPT_TERMINAL_TYPE = 0x18;
const quint8 OPT_EOR = 0x19;
const quint8 OPT_NEW_ENVIRON = 0x27;

const quint8 SUB_IS = 0x00;
const quint8 SUB_SEND = 0x01;
const quint8 SUB_INFO = 0x02;

// NEW-ENVIRON item types (RFC 1572).
const quint8 ENV_VAR = 0x00;
const quint8 ENV_VALUE = 0x01;
const quint8 ENV_ESC = 0x02;
const quint8 ENV_USERVAR = 0x03;

QString verbName(quint8 verb);
QString optionName(quint8 option);

// --- TN5250 records -----------------------------------------------------------
const quint8 RECORD_TYPE_HIGH = 0x12;
const quint8 RECORD_TYPE_LOW = 0xA0;
const int RECORD_HEADER_LENGTH = 10;

const quint8 OPCODE_NO_OPERATION = 0x00;
const quint8 OPCODE_PUT_GET = 0x03;
const quint8 OPCODE_SAVE_SCREEN = 0x04;
const quint8 OPCODE_RESTORE_SCREEN = 0x05;
const quint8 OPCODE_READ_IMMEDIATE = 0x06;
const quint8 OPCODE_CANCEL_INVITE = 0x0A;
const quint8 OPCODE_MESSAGE_LIGHT_ON = 0x0B;
const quint8 OPCODE_MESSAGE_LIGHT_OFF = 0x0C;

const quint8 FLAG_ATTENTION = 0x40;
const quint8 FLAG_SYSTEM_REQUEST = 0x04;
const quint8 FLAG_TEST_REQUEST = 0x02;

// Header, data, every 0xFF doubled, then IAC EOR.
QByteArray frameRecord(quint8 opcode, const QByteArray &data, quint8 flags = 0x00);
QByteArray escapeIac(const QByteArray &bytes);

// --- 5250 commands (each after the escape 0x04) ------------------------------
const quint8 ESC = 0x04;
const quint8 CMD_SAVE_SCREEN = 0x02;
const quint8 CMD_WRITE_TO_DISPLAY = 0x11;
const quint8 CMD_RESTORE_SCREEN = 0x12;
const quint8 CMD_CLEAR_UNIT = 0x40;
const quint8 CMD_CLEAR_UNIT_ALTERNATE = 0x20;
const quint8 CMD_WRITE_ERROR_CODE = 0x21;
const quint8 CMD_ROLL = 0x23;
const quint8 CMD_READ_INPUT_FIELDS = 0x42;
const quint8 CMD_CLEAR_FORMAT_TABLE = 0x50;
const quint8 CMD_READ_MDT_FIELDS = 0x52;
const quint8 CMD_WRITE_STRUCTURED_FIELD = 0xF3;

// --- Write To Display orders -------------------------------------------------
const quint8 ORDER_START_OF_HEADER = 0x01;
const quint8 ORDER_SET_BUFFER_ADDRESS = 0x11;
const quint8 ORDER_INSERT_CURSOR = 0x13;
const quint8 ORDER_START_FIELD = 0x1D;

// Control characters of Write To Display / read commands.
const quint8 CC1_RESET_MDT_NULL_FIELDS = 0xE0; // reset every MDT, null the input fields
const quint8 CC2_UNLOCK_KEYBOARD = 0x08;
const quint8 CC2_ALARM = 0x04;

// The 5250 Query: Write Structured Field, class D9, type 70.
const quint8 SF_CLASS_5250 = 0xD9;
const quint8 SF_TYPE_QUERY = 0x70;
// AID of an inbound structured field (the Query Reply).
const quint8 AID_STRUCTURED_FIELD = 0x88;

// --- Display attributes --------------------------------------------------------
const quint8 ATTR_NORMAL = 0x20;       // green
const quint8 ATTR_REVERSE = 0x21;
const quint8 ATTR_HIGH = 0x22;         // white (high intensity)
const quint8 ATTR_UNDERLINE = 0x24;    // green, underlined: an input field
const quint8 ATTR_NONDISPLAY = 0x27;   // nothing shown (passwords)
const quint8 ATTR_RED = 0x28;
const quint8 ATTR_BLUE = 0x3A;

// --- Field format word (first byte 01xx xxxx identifies an FFW) --------------
const quint8 FFW_BASE = 0x40;
const quint8 FFW_BYPASS = 0x20;        // first byte: protected field
const quint8 FFW_MONOCASE = 0x20;      // second byte: upper case only

// --- AID codes ---------------------------------------------------------------
const quint8 AID_ENTER = 0xF1;
const quint8 AID_HELP = 0xF3;
const quint8 AID_ROLL_DOWN = 0xF4;     // Page Up
const quint8 AID_ROLL_UP = 0xF5;       // Page Down
const quint8 AID_PRINT = 0xF6;
const quint8 AID_CLEAR = 0xBD;

// "Enter", "F1".."F24", "Page Up", ...; "AID 0x%1" for unknown codes.
QString aidName(quint8 aid);
// The function key number of an AID code, 0 when it is none.
int functionKeyOf(quint8 aid);

} // namespace HostProtocol

#endif
