// Turns a screen description into the 5250 data stream of one Put/Get
// record, the way an IBM i display file is written out: Clear Unit, one
// Write To Display whose orders place each text and field (Set Buffer
// Address, Start Field, data), Insert Cursor, then Read MDT Fields so that the
// next AID key returns the modified fields (IBM 5250 data stream reference,
// Write To Display orders; RFC 2877 for the record around it).
#include "screendescription.h"

#include "hostcodec.h"
#include "hostprotocol.h"

using namespace HostProtocol;

namespace {

void appendAddress(QByteArray &out, const ScreenDescription &screen, int row, int column)
{
    // Out-of-range positions are clamped: a description error must not make
    // the host send an address the terminal would have to reject.
    row = qBound(1, row, screen.rows());
    column = qBound(1, column, screen.columns());
    out.append(char(ORDER_SET_BUFFER_ADDRESS));
    out.append(char(row));
    out.append(char(column));
}

// The cell before (row, column), wrapping to the previous row or the last
// cell, where an attribute byte belongs.
void appendAddressBefore(QByteArray &out, const ScreenDescription &screen, int row, int column)
{
    const int size = screen.rows() * screen.columns();
    int index = (row - 1) * screen.columns() + (column - 1) - 1;
    index = ((index % size) + size) % size;
    appendAddress(out, screen, index / screen.columns() + 1, index % screen.columns() + 1);
}

const ScreenField *firstInputField(const ScreenDescription &screen)
{
    for (const ScreenField &field : screen.fields) {
        if (!field.bypass())
            return &field;
    }
    return nullptr;
}

void appendText(QByteArray &out, const ScreenDescription &screen, const ScreenText &text,
                const QMap<QString, QString> &variables, const HostCodec &codec)
{
    const QByteArray bytes = codec.encode(expandPlaceholders(text.text, variables));
    if (text.attribute != 0) {
        appendAddressBefore(out, screen, text.row, text.column);
        out.append(char(text.attribute));
        out.append(bytes);
        if (text.attribute != ATTR_NORMAL)
            out.append(char(ATTR_NORMAL));
    } else {
        appendAddress(out, screen, text.row, text.column);
        out.append(bytes);
    }
}

void appendCursorAndRead(QByteArray &out, const ScreenDescription &screen)
{
    int cursorRow = screen.cursorRow;
    int cursorColumn = screen.cursorColumn;
    if (cursorRow <= 0 || cursorColumn <= 0) {
        const ScreenField *input = firstInputField(screen);
        cursorRow = input ? input->row : 1;
        cursorColumn = input ? input->column : 1;
    }
    out.append(char(ORDER_INSERT_CURSOR));
    out.append(char(qBound(1, cursorRow, screen.rows())));
    out.append(char(qBound(1, cursorColumn, screen.columns())));

    out.append(char(ESC));
    out.append(char(screen.window ? CMD_READ_INPUT_FIELDS : CMD_READ_MDT_FIELDS));
    out.append(char(0x00));
    out.append(char(0x00));
}

} // namespace

const ScreenField *ScreenDescription::fieldAt(int row, int column) const
{
    for (const ScreenField &field : fields) {
        if (field.row == row && field.column == column)
            return &field;
    }
    return nullptr;
}

QString expandPlaceholders(const QString &text, const QMap<QString, QString> &variables)
{
    QString out;
    out.reserve(text.size());
    int i = 0;
    while (i < text.size()) {
        const int open = text.indexOf(QLatin1Char('{'), i);
        if (open < 0) {
            out += text.mid(i);
            break;
        }
        const int close = text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) {
            out += text.mid(i);
            break;
        }
        const QString name = text.mid(open + 1, close - open - 1);
        out += text.mid(i, open - i);
        if (variables.contains(name))
            out += variables.value(name);
        else
            out += text.mid(open, close - open + 1);
        i = close + 1;
    }
    return out;
}

QByteArray buildScreenStream(const ScreenDescription &screen, const QMap<QString, QString> &variables,
                             const HostCodec &codec)
{
    QByteArray out;
    out.append(char(ESC));
    if (screen.window) {
        out.append(char(CMD_CLEAR_FORMAT_TABLE));
    } else if (screen.wide) {
        out.append(char(CMD_CLEAR_UNIT_ALTERNATE));
        out.append(char(0x00));
    } else {
        out.append(char(CMD_CLEAR_UNIT));
    }

    out.append(char(ESC));
    out.append(char(CMD_WRITE_TO_DISPLAY));
    out.append(char(0x00));
    out.append(char(CC2_UNLOCK_KEYBOARD | (screen.alarm ? CC2_ALARM : 0x00)));

    if (!screen.header.isEmpty()) {
        out.append(char(ORDER_START_OF_HEADER));
        out.append(char(screen.header.size()));
        out.append(screen.header);
    }

    for (const ScreenText &text : screen.texts)
        appendText(out, screen, text, variables, codec);

    for (const ScreenField &field : screen.fields) {
        appendAddressBefore(out, screen, field.row, field.column);
        out.append(char(ORDER_START_FIELD));
        out.append(char(field.ffwHigh));
        out.append(char(field.ffwLow));
        for (quint16 fcw : field.fcws) {
            out.append(char(fcw >> 8));
            out.append(char(fcw & 0xFF));
        }
        out.append(char(field.attribute));
        out.append(char((field.length >> 8) & 0xFF));
        out.append(char(field.length & 0xFF));
        // The write position now stands on the field's first data cell.
        const QByteArray initial = codec.encode(expandPlaceholders(field.initial, variables));
        out.append(initial.left(field.length));
    }

    appendCursorAndRead(out, screen);
    return out;
}

// Roll command (IBM 5250 data stream reference, "Roll"): a control byte
// (0x80 for down, the low five bits the number of rows) and the top and
// bottom rows of the region. The rows it leaves are blank, so the write
// that follows fills them.
QByteArray buildRollStream(const ScreenDescription &screen, int lines, const QMap<QString, QString> &variables,
                           const HostCodec &codec)
{
    QByteArray out;
    out.append(char(ESC));
    out.append(char(CMD_ROLL));
    out.append(char((lines < 0 ? 0x80 : 0x00) | (qAbs(lines) & 0x1F)));
    out.append(char(screen.rollTop));
    out.append(char(screen.rollBottom));

    out.append(char(ESC));
    out.append(char(CMD_WRITE_TO_DISPLAY));
    out.append(char(CC1_RESET_MDT_NULL_FIELDS));
    out.append(char(CC2_UNLOCK_KEYBOARD));
    for (const ScreenText &text : screen.texts) {
        if (text.row >= screen.rollTop && text.row <= screen.rollBottom) {
            appendText(out, screen, text, variables, codec);
        } else if (text.row == screen.rows()) {
            // The message line, blanked to its end: a shorter message must
            // not leave the end of the last one behind.
            ScreenText line = text;
            line.text = expandPlaceholders(text.text, variables).leftJustified(screen.columns() - text.column);
            appendText(out, screen, line, QMap<QString, QString>(), codec);
        }
    }
    appendCursorAndRead(out, screen);
    return out;
}
