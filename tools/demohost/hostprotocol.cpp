#include "hostprotocol.h"

namespace HostProtocol {

namespace {

struct NamedCode
{
    quint8 code;
    const char *name;
};

const NamedCode VERB_NAMES[] = {
    { WILL, "WILL" },
    { WONT, "WONT" },
    { DO, "DO" },
    { DONT, "DONT" },
};

const NamedCode OPTION_NAMES[] = {
    { OPT_BINARY, "BINARY" },
    { 0x03, "SGA" },
    { OPT_TERMINAL_TYPE, "TERMINAL-TYPE" },
    { OPT_EOR, "EOR" },
    { OPT_NEW_ENVIRON, "NEW-ENVIRON" },
};

// The AID keys of the 5250 keyboard other than the function keys.
const NamedCode AID_NAMES[] = {
    { AID_ENTER, "Enter" },
    { AID_HELP, "Help" },
    { AID_ROLL_DOWN, "Page Up" },
    { AID_ROLL_UP, "Page Down" },
    { AID_PRINT, "Print" },
    { AID_CLEAR, "Clear" },
    { 0x6C, "PA1" },
    { 0x6E, "PA2" },
    { 0x6B, "PA3" },
    { 0x00, "none" },
    { AID_STRUCTURED_FIELD, "Structured field" },
};

} // namespace

QString verbName(quint8 verb)
{
    for (const NamedCode &entry : VERB_NAMES) {
        if (entry.code == verb)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("0x%1").arg(verb, 2, 16, QLatin1Char('0'));
}

QString optionName(quint8 option)
{
    for (const NamedCode &entry : OPTION_NAMES) {
        if (entry.code == option)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("option-%1").arg(option);
}

QByteArray escapeIac(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (int i = 0; i < bytes.size(); ++i) {
        out.append(bytes.at(i));
        if (quint8(bytes.at(i)) == IAC)
            out.append(char(IAC));
    }
    return out;
}

QByteArray frameRecord(quint8 opcode, const QByteArray &data, quint8 flags)
{
    const int length = data.size() + RECORD_HEADER_LENGTH;
    QByteArray record;
    record.reserve(length);
    record.append(char((length >> 8) & 0xFF));
    record.append(char(length & 0xFF));
    record.append(char(RECORD_TYPE_HIGH));
    record.append(char(RECORD_TYPE_LOW));
    record.append(char(0x00));
    record.append(char(0x00));
    record.append(char(0x04)); // variable header length
    record.append(char(flags));
    record.append(char(0x00));
    record.append(char(opcode));
    record.append(data);
    QByteArray wire = escapeIac(record);
    wire.append(char(IAC));
    wire.append(char(EOR));
    return wire;
}

int functionKeyOf(quint8 aid)
{
    if (aid >= 0x31 && aid <= 0x3C)
        return aid - 0x30;
    if (aid >= 0xB1 && aid <= 0xBC)
        return aid - 0xB0 + 12;
    return 0;
}

QString aidName(quint8 aid)
{
    const int function = functionKeyOf(aid);
    if (function > 0)
        return QStringLiteral("F%1").arg(function);
    for (const NamedCode &entry : AID_NAMES) {
        if (entry.code == aid)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("AID 0x%1").arg(aid, 2, 16, QLatin1Char('0'));
}

} // namespace HostProtocol
