#ifndef VANTOREL_DATASTREAM_H
#define VANTOREL_DATASTREAM_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The wire format of the 5250 data stream inside a TN5250 record: the record
// header (RFC 1205, RFC 2877), the record opcodes, the
// 5250 command codes and the Write To Display orders, as the IBM 5250
// Functions Reference writes them.
namespace DataStream {

// --- TN5250 record header (GDS variable record, big-endian) ---------------
const int HEADER_SIZE = 10;
const int OFFSET_LENGTH = 0;          // 2 bytes: whole record, header included
const int OFFSET_RECORD_TYPE = 2;     // 2 bytes: 0x12 0xA0 (GDS record type)
const int OFFSET_VARIABLE_LENGTH = 6; // 1 byte: length of the variable header
const int OFFSET_FLAGS = 7;           // 1 byte
const int OFFSET_OPCODE = 9;          // 1 byte
const quint8 RECORD_TYPE_HIGH = 0x12;
const quint8 RECORD_TYPE_LOW = 0xA0;
const quint8 VARIABLE_HEADER_LENGTH = 0x04;
// Data starts at OFFSET_VARIABLE_LENGTH + variable-header length.
const int MAX_DATA_SIZE = 0xFFFF - HEADER_SIZE;

// Header flags the terminal sets on its own records.
const quint8 FLAG_ATTENTION = 0x40;
const quint8 FLAG_SYSTEM_REQUEST = 0x04;
const quint8 FLAG_TEST_REQUEST = 0x02;

// --- Record opcodes ---------------------------------------------------------
const quint8 OP_NO_OPERATION = 0x00;
const quint8 OP_INVITE = 0x01;
const quint8 OP_OUTPUT_ONLY = 0x02;
const quint8 OP_PUT_GET = 0x03;
const quint8 OP_SAVE_SCREEN = 0x04;
const quint8 OP_RESTORE_SCREEN = 0x05;
const quint8 OP_READ_IMMEDIATE = 0x06;
const quint8 OP_READ_SCREEN = 0x08;
const quint8 OP_CANCEL_INVITE = 0x0A;
const quint8 OP_MESSAGE_LIGHT_ON = 0x0B;
const quint8 OP_MESSAGE_LIGHT_OFF = 0x0C;

// --- 5250 commands: ESC, then the command code ------------------------------
const quint8 ESC = 0x04;
const quint8 CMD_SAVE_SCREEN = 0x02;
const quint8 CMD_WRITE_TO_DISPLAY = 0x11;
const quint8 CMD_RESTORE_SCREEN = 0x12;
const quint8 CMD_CLEAR_UNIT_ALTERNATE = 0x20;
const quint8 CMD_WRITE_ERROR_CODE = 0x21;
const quint8 CMD_ROLL = 0x23;
const quint8 CMD_CLEAR_UNIT = 0x40;
const quint8 CMD_READ_INPUT_FIELDS = 0x42;
const quint8 CMD_CLEAR_FORMAT_TABLE = 0x50;
const quint8 CMD_READ_MDT_FIELDS = 0x52;
const quint8 CMD_READ_SCREEN = 0x62;
const quint8 CMD_READ_IMMEDIATE = 0x72;
const quint8 CMD_READ_MDT_FIELDS_ALTERNATE = 0x82;
const quint8 CMD_READ_IMMEDIATE_ALTERNATE = 0x83;
const quint8 CMD_WRITE_STRUCTURED_FIELD = 0xF3;

// --- Write To Display orders ------------------------------------------------
const quint8 ORDER_SOH = 0x01;  // Start of Header
const quint8 ORDER_RA = 0x02;   // Repeat to Address
const quint8 ORDER_EA = 0x03;   // Erase to Address
const quint8 ORDER_TD = 0x10;   // Transparent Data
const quint8 ORDER_SBA = 0x11;  // Set Buffer Address
const quint8 ORDER_WEA = 0x12;  // Write Extended Attribute
const quint8 ORDER_IC = 0x13;   // Insert Cursor
const quint8 ORDER_MC = 0x14;   // Move Cursor
const quint8 ORDER_WDSF = 0x15; // Write to Display Structured Field
const quint8 ORDER_SF = 0x1D;   // Start of Field

// Start of Header carries at most seven parameter bytes; byte 3 is the
// error line (0: the last row), bytes 4-6 are the command-key switches for
// F24..F17, F16..F9 and F8..F1.
const int SOH_MAX_LENGTH = 7;
const int SOH_ERROR_ROW = 3;

// First control character: only the top three bits select an action.
const quint8 CC1_MASK = 0xE0;
// Second control character bits.
const quint8 CC2_CURSOR_STAYS = 0x40;
const quint8 CC2_UNLOCK = 0x08;
const quint8 CC2_ALARM = 0x04;
const quint8 CC2_MESSAGE_OFF = 0x02;
const quint8 CC2_MESSAGE_ON = 0x01;

// --- Structured fields --------------------------------------------------------
const quint8 SF_CLASS_5250 = 0xD9;
const quint8 SF_TYPE_QUERY = 0x70;
const quint8 SF_TYPE_QUERY_STATION_STATE = 0x72;

// --- Save Screen reply token: ESC, Restore Screen, "VNTL", serial ---------
// The host hands the token back unchanged inside Restore Screen. The serial
// is 32-bit big-endian, counted from 1 on each connection.
const char SAVE_TOKEN_TAG[] = "VNTL";
const int SAVE_TOKEN_TAG_SIZE = 4;
const int SAVE_TOKEN_SERIAL_SIZE = 4;
const int MAX_SAVED_SCREENS = 250;

// --- 5250 Query Reply (Functions Reference, "5250 QUERY command") ---------
// 61 bytes; the device type, model and screen-size capability depend on
// whether the 27 x 132 screen is offered and are patched in at the offsets
// below.
const int QUERY_REPLY_SIZE = 61;
const quint8 QUERY_REPLY[QUERY_REPLY_SIZE] = {
    0x00, 0x00,                   //  0 cursor row, column
    0x88,                         //  2 AID: inbound structured field
    0x00, 0x3A,                   //  3 length of the field, 58
    0xD9, 0x70,                   //  5 class, type: query
    0x80,                         //  7 flags: this is a reply
    0x06, 0x00,                   //  8 controller hardware class
    0x01, 0x01, 0x00,             // 10 controller code level
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // 13 reserved
    0x01,                         // 29 device kind: display
    0xF3, 0xF1, 0xF7, 0xF9,       // 30 device type "3179" (patched)
    0x00,                         // 34
    0xF0, 0xF2,                   // 35 model "02" (patched)
    0x02,                         // 37 keyboard identifier
    0x00,                         // 38 extended keyboard identifier
    0x00,                         // 39 reserved
    0x00, 0x61, 0x50, 0x00,       // 40 display serial number
    0xFF, 0xFF,                   // 44 maximum number of input fields
    0x00, 0x00, 0x00,             // 46 reserved
    0x3B,                         // 49 capabilities
    0x11,                         // 50 screen sizes (patched)
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00 // 51 reserved
};
const int QUERY_OFFSET_DEVICE_TYPE = 30;
const int QUERY_OFFSET_MODEL = 35;
const int QUERY_OFFSET_SCREEN_SIZES = 50;
const quint8 QUERY_SCREEN_SIZES_NARROW = 0x11; // 24 x 80 only
const quint8 QUERY_SCREEN_SIZES_WIDE = 0x31;   // 24 x 80 and 27 x 132

// A byte as the protocol log writes it: two lower-case hexadecimal digits.
inline QString hexByte(quint8 value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}

// Big-endian 16-bit values, as every length and address field carries them.
// Reading past the end gives 0.
inline quint16 readU16(const QByteArray &data, int index)
{
    if (index < 0 || index + 1 >= data.size())
        return 0;
    return quint16((quint8(data.at(index)) << 8) | quint8(data.at(index + 1)));
}

inline void appendU16(QByteArray &data, quint16 value)
{
    data.append(char(value >> 8));
    data.append(char(value & 0xFF));
}

} // namespace DataStream

#endif
