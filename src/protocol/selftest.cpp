#include "protocol/selftest.h"

#include "codec/ebcdiccodec.h"
#include "protocol/datastream.h"

namespace {

// One line of the test screen: where the attribute byte goes (1-based row
// and column), the attribute, and the text that follows it.
struct TestLine
{
    quint8 row;
    quint8 column;
    quint8 attribute;
    const char *text;
};

// Start of Field with an all-zero format word, placed right after a label.
struct TestField
{
    quint8 row;
    quint8 column;
    quint8 attribute;
    quint16 length;
};

const TestLine BANNER = { 3, 22, 0x32, "VANTOREL DISPLAY SELF-TEST" };
const TestLine INTRO = { 5, 15, 0x20, "If you can read this, 5250 parsing and rendering work." };
const TestLine USER_LABEL = { 8, 19, 0x20, "USER ID:" };
const TestField USER_FIELD = { 8, 30, 0x20, 10 };
const TestLine PASSWORD_LABEL = { 10, 19, 0x20, "PASSWORD:" };
const TestField PASSWORD_FIELD = { 10, 30, 0x27, 10 }; // nondisplay
const TestLine HINT = { 13, 11, 0x20, "Type into USER ID; PASSWORD must stay hidden." };
const TestLine NO_NETWORK = { 15, 11, 0x20, "This page uses no network connection." };
const quint8 CURSOR_ROW = 8;
const quint8 CURSOR_COLUMN = 31; // first position of the USER ID field

void appendAddress(QByteArray &stream, quint8 row, quint8 column)
{
    stream.append(char(DataStream::ORDER_SBA));
    stream.append(char(row));
    stream.append(char(column));
}

void appendLine(QByteArray &stream, const TestLine &line)
{
    appendAddress(stream, line.row, line.column);
    stream.append(char(line.attribute));
    stream.append(EbcdicCodec::encode(QLatin1String(line.text)));
}

void appendField(QByteArray &stream, const TestField &field)
{
    appendAddress(stream, field.row, field.column);
    stream.append(char(DataStream::ORDER_SF));
    stream.append(char(0x00)); // format word: alphanumeric input field
    stream.append(char(0x00));
    stream.append(char(field.attribute));
    DataStream::appendU16(stream, field.length);
}

} // namespace

QByteArray SelfTest::stream()
{
    using namespace DataStream;
    QByteArray stream;
    stream.append(char(ESC));
    stream.append(char(CMD_CLEAR_UNIT));
    stream.append(char(ESC));
    stream.append(char(CMD_WRITE_TO_DISPLAY));
    stream.append(char(0x00)); // CC1, CC2
    stream.append(char(0x00));
    appendLine(stream, BANNER);
    appendLine(stream, INTRO);
    appendLine(stream, USER_LABEL);
    appendField(stream, USER_FIELD);
    appendLine(stream, PASSWORD_LABEL);
    appendField(stream, PASSWORD_FIELD);
    appendLine(stream, HINT);
    appendLine(stream, NO_NETWORK);
    stream.append(char(ORDER_IC));
    stream.append(char(CURSOR_ROW));
    stream.append(char(CURSOR_COLUMN));
    stream.append(char(ESC));
    stream.append(char(CMD_READ_MDT_FIELDS));
    stream.append(char(0x00));
    stream.append(char(0x00));
    return stream;
}
