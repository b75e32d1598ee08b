// Write To Display orders. The command scanner (datastreaminterpreter.cpp)
// hands Write To Display and Write Error Code here: two control characters,
// then a stream of orders and data bytes (IBM 5250 Functions Reference,
// "Write To Display command" and "Write To Display orders") that move the
// write position, define fields and write characters. Every change goes
// through the presentation space (TerminalScreen); a truncated order ends
// the command quietly, since the host's data cannot be trusted past it.
#include "protocol/datastreaminterpreter.h"

#include "codec/ebcdiccodec.h"
#include "protocol/datastream.h"
#include "screen/terminalscreen.h"

namespace {

enum CursorOrder {
    NoCursorOrder = 0,
    InsertCursorOrder = 1,
    MoveCursorOrder = 2
};

QString cursorOrderName(int order)
{
    switch (order) {
    case InsertCursorOrder:
        return QStringLiteral("IC");
    case MoveCursorOrder:
        return QStringLiteral("MC");
    default:
        return QStringLiteral("none");
    }
}

// The bytes that start an order (or the next command) inside Write To
// Display; every other byte is written to the screen. A table, since the
// text scan asks it for nearly every byte of a screen.
struct OrderBytes
{
    bool starts[256] = {};
    OrderBytes()
    {
        using namespace DataStream;
        const quint8 orders[] = { ESC, ORDER_SOH, ORDER_RA, ORDER_EA, ORDER_TD, ORDER_SBA,
                                  ORDER_WEA, ORDER_IC, ORDER_MC, ORDER_WDSF, ORDER_SF };
        for (quint8 order : orders)
            starts[order] = true;
    }
};

const OrderBytes orderBytes;

bool validAddress(const TerminalScreen &screen, int row, int column)
{
    return row >= 1 && column >= 1 && row <= screen.rows && column <= screen.columns;
}

} // namespace

int DataStreamInterpreter::processWriteToDisplay(const QByteArray &data, int index)
{
    using namespace DataStream;
    const int end = data.size();
    if (index < 0 || index + 1 >= end)
        return end;
    const quint8 cc1 = quint8(data.at(index));
    const quint8 cc2 = quint8(data.at(index + 1));
    m_screen.setDisplayAddressIndex(0);
    applyControlCharacters(cc1, cc2);

    int lastCursorOrder = NoCursorOrder;
    int cursorIndex = -1;
    const int stop = processWriteOrders(data, index + 2, end, &lastCursorOrder, &cursorIndex);

    if (lastCursorOrder == MoveCursorOrder && cursorIndex >= 0) {
        m_screen.setCursorIndex(cursorIndex);
    } else if (lastCursorOrder == InsertCursorOrder && cursorIndex >= 0) {
        if (!(cc2 & CC2_CURSOR_STAYS))
            m_screen.setCursorIndex(cursorIndex);
    } else if ((cc2 & (CC2_UNLOCK | CC2_CURSOR_STAYS)) == CC2_UNLOCK) {
        m_screen.moveCursorHome();
    }

    // The line below reads the whole screen; a record of thousands of
    // Write To Display commands must not pay for lines that are not written.
    if (!mayLog())
        return stop;
    const int columns = m_screen.columns > 0 ? m_screen.columns : 1;
    const QString home = m_screen.insertCursorIndex < 0
        ? QStringLiteral("default")
        : QStringLiteral("%1,%2").arg(m_screen.insertCursorIndex / columns + 1).arg(m_screen.insertCursorIndex % columns + 1);
    m_countedCells = m_screen.visibleCellCount();
    // One pass over the pattern: a line per record, with every record.
    log(QStringLiteral("WTD complete: %1 visible cells, %2 input fields, %3x%4, cursor %5,%6, home %7, last cursor order %8")
            .arg(QString::number(m_countedCells), QString::number(m_screen.fields.size()),
                 QString::number(m_screen.rows), QString::number(m_screen.columns),
                 QString::number(m_screen.cursorRow() + 1), QString::number(m_screen.cursorColumn() + 1),
                 home, cursorOrderName(lastCursorOrder)));
    return stop;
}

void DataStreamInterpreter::applyControlCharacters(quint8 cc1, quint8 cc2)
{
    using namespace DataStream;
    const quint8 action = cc1 & CC1_MASK;
    if (action != 0x00) {
        // Every action but "nothing" starts by locking the keyboard, which
        // also withdraws any read the host had asked for.
        m_screen.keyboardLocked = true;
        m_effects.readMode = 0;
    }
    switch (action) {
    case 0x40:
        m_screen.resetMdt(false);
        break;
    case 0x60:
        m_screen.resetMdt(true);
        break;
    case 0x80:
        m_screen.nullFields(true);
        break;
    case 0xA0:
        m_screen.resetMdt(false);
        m_screen.nullFields(false);
        break;
    case 0xC0:
        m_screen.nullFields(true);
        m_screen.resetMdt(false);
        break;
    case 0xE0:
        m_screen.resetMdt(true);
        m_screen.nullFields(false);
        break;
    default: // 0x00 nothing, 0x20 lock only
        break;
    }
    // An input error (Write Error Code) is the operator's to reset; the
    // host's unlock waits until then.
    if (cc2 & CC2_UNLOCK)
        m_screen.keyboardLocked = m_screen.inputError;
    if (cc2 & CC2_ALARM) {
        Step alarm;
        alarm.kind = Step::Alarm;
        m_effects.steps.append(alarm);
    }
    if (cc2 & CC2_MESSAGE_OFF)
        m_screen.messageWaiting = false;
    if (cc2 & CC2_MESSAGE_ON)
        m_screen.messageWaiting = true;
}

int DataStreamInterpreter::processWriteOrders(const QByteArray &data, int start, int end,
                                              int *lastCursorOrder, int *cursorIndex)
{
    using namespace DataStream;
    end = qMin(end, data.size());
    int p = qMax(start, 0);
    // With outputs (Write To Display) the cursor orders only report where
    // the cursor goes once the orders are done; without them (Write Error
    // Code) they move it at once.
    const bool deferCursor = lastCursorOrder || cursorIndex;
    auto byteAt = [&data](int index) { return quint8(data.at(index)); };

    while (p < end) {
        const quint8 order = byteAt(p);
        switch (order) {
        case ESC:
            // The next command starts here; the scanner reads it.
            return p;
        case ORDER_SOH: {
            int position = p + 1;
            parseStartOfHeader(data, position, end);
            p = position;
            break;
        }
        case ORDER_RA:
            if (p + 3 >= end)
                return end;
            m_screen.repeatTo(byteAt(p + 1), byteAt(p + 2), byteAt(p + 3));
            p += 4;
            break;
        case ORDER_EA: {
            if (p + 3 >= end)
                return end;
            // The length byte counts itself; the attribute types after it
            // are skipped, not interpreted.
            const int attributeTypes = qMax(int(byteAt(p + 3)) - 1, 0);
            m_screen.eraseTo(byteAt(p + 1), byteAt(p + 2));
            p = qMin(p + 4 + attributeTypes, end);
            break;
        }
        case ORDER_TD: {
            if (p + 2 >= end)
                return end;
            const int length = DataStream::readU16(data, p + 1);
            const int first = p + 3;
            const int count = qMin(length, end - first);
            m_screen.writeTransparent(data.mid(first, count));
            p = first + count;
            break;
        }
        case ORDER_SBA:
            if (p + 2 >= end)
                return end;
            setAddress(byteAt(p + 1), byteAt(p + 2));
            p += 3;
            break;
        case ORDER_WEA:
            if (p + 2 >= end)
                return end;
            m_screen.setExtendedAttribute(byteAt(p + 1), byteAt(p + 2));
            p += 3;
            break;
        case ORDER_IC: {
            if (p + 2 >= end) {
                log(QStringLiteral("Truncated IC order"));
                return end;
            }
            const int row = byteAt(p + 1);
            const int column = byteAt(p + 2);
            p += 3;
            if (!validAddress(m_screen, row, column)) {
                log(QStringLiteral("Invalid IC address %1,%2").arg(row).arg(column));
                break;
            }
            const int index = (row - 1) * m_screen.columns + (column - 1);
            if (deferCursor) {
                if (m_screen.insertCursor(row, column)) {
                    if (lastCursorOrder)
                        *lastCursorOrder = InsertCursorOrder;
                    if (cursorIndex)
                        *cursorIndex = index;
                }
            } else {
                m_screen.setCursorIndex(index);
            }
            break;
        }
        case ORDER_MC: {
            if (p + 2 >= end)
                return end;
            const int row = byteAt(p + 1);
            const int column = byteAt(p + 2);
            p += 3;
            if (!validAddress(m_screen, row, column))
                break;
            const int index = (row - 1) * m_screen.columns + (column - 1);
            if (deferCursor) {
                if (lastCursorOrder)
                    *lastCursorOrder = MoveCursorOrder;
                if (cursorIndex)
                    *cursorIndex = index;
            } else {
                m_screen.setCursorIndex(index);
            }
            break;
        }
        case ORDER_WDSF: {
            if (p + 2 >= end)
                return end;
            // Structured fields inside Write To Display (windows, scroll
            // bars, selection fields) are not drawn; skip them whole.
            const int length = DataStream::readU16(data, p + 1);
            p = length > 1 ? qMin(p + 1 + length, end) : p + 3;
            break;
        }
        case ORDER_SF: {
            int q = p + 1;
            if (q >= end)
                return end;
            bool hasFfw = false;
            quint8 ffwHigh = 0;
            quint8 ffwLow = 0;
            QVector<unsigned short> fcws;
            // An attribute right after the order means an output-only
            // field: no format word, no control words.
            if (!EbcdicCodec::isDisplayAttribute(byteAt(q))) {
                if (q + 1 >= end)
                    return end;
                hasFfw = true;
                ffwHigh = byteAt(q);
                ffwLow = byteAt(q + 1);
                q += 2;
                while (q < end && !EbcdicCodec::isDisplayAttribute(byteAt(q))) {
                    if (q + 1 >= end)
                        return end;
                    fcws.append(static_cast<unsigned short>((byteAt(q) << 8) | byteAt(q + 1)));
                    q += 2;
                }
            }
            if (q + 2 >= end)
                return end;
            m_screen.startField(hasFfw, ffwHigh, ffwLow, fcws, byteAt(q), DataStream::readU16(data, q + 1));
            p = q + 3;
            break;
        }
        default: {
            // Text runs to the next order byte; most of a screen is text.
            const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data.constData());
            int q = p + 1;
            while (q < end && !orderBytes.starts[bytes[q]])
                ++q;
            m_screen.writeText(bytes + p, q - p);
            p = q;
            break;
        }
        }
    }
    return end;
}

bool DataStreamInterpreter::setAddress(quint8 row, quint8 column)
{
    // Row 1, column 0 is accepted as the first cell: hosts address the
    // start of the screen that way as well.
    if (row == 1 && column == 0) {
        m_screen.setDisplayAddressIndex(0);
        return true;
    }
    if (!validAddress(m_screen, row, column))
        return false;
    m_screen.setDisplayAddress(row, column);
    return true;
}

void DataStreamInterpreter::parseStartOfHeader(const QByteArray &data, int &position, int end)
{
    using namespace DataStream;
    end = qMin(end, data.size());
    m_screen.clearFormatTableForHeader();
    if (position < 0 || position >= end) {
        position = qMax(position, end);
        return;
    }
    const int length = quint8(data.at(position));
    ++position;
    if (length > SOH_MAX_LENGTH) {
        log(QStringLiteral("Invalid Start-of-Header length %1").arg(length));
        position = qMin(position + length, end);
        return;
    }
    const int present = qMin(length, end - position);
    const int headerStart = position;
    position += present;

    // Header byte 3 names the row for error messages (Write Error Code).
    m_screen.errorRow = present > SOH_ERROR_ROW ? quint8(data.at(headerStart + SOH_ERROR_ROW)) : 0;
    quint32 mask = 0;
    if (length == SOH_MAX_LENGTH && present == SOH_MAX_LENGTH) {
        // Header bytes 4, 5 and 6 switch off the field data of F24-F17,
        // F16-F9 and F8-F1, high bit first; bit n-1 of the mask stands for Fn.
        const int highestBit[3] = { 23, 15, 7 };
        for (int b = 0; b < 3; ++b) {
            const quint8 switches = quint8(data.at(headerStart + 4 + b));
            for (int k = 0; k < 8; ++k) {
                if (switches & (0x80 >> k))
                    mask |= quint32(1) << (highestBit[b] - k);
            }
        }
    }
    m_screen.noDataKeyMask = mask;
}
