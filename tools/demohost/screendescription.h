#ifndef VANTOREL_DEMOHOST_SCREENDESCRIPTION_H
#define VANTOREL_DEMOHOST_SCREENDESCRIPTION_H

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>

class HostCodec;

// A host screen as data. The demo host never writes 5250 orders by hand: each
// screen is a list of texts and fields at 1-based positions, and
// buildScreenStream turns it into the Write To Display stream. Adding a screen
// is adding one of these (see screens.cpp).
//
// Texts, field contents and the message line may hold "{name}" placeholders,
// filled from the session's variables when the screen is sent ({system},
// {device}, {user}, {message}, ...).

// Constant text. With an attribute, the attribute byte occupies the cell just
// before the first character (which must therefore be in column 2 or later)
// and a normal attribute follows the text, as a host program writes it.
struct ScreenText
{
    int row = 1;
    int column = 1;
    QString text;
    quint8 attribute = 0; // 0: none, the text takes whatever attribute is in force
};

// An input or output field (Start Field order). The field's attribute byte
// occupies the cell before `column`; its data starts at `column`.
struct ScreenField
{
    QString name;            // names the field's value in read responses
    int row = 1;
    int column = 2;
    int length = 1;
    quint8 ffwHigh = 0x40;   // field format word, first byte (0x40 = plain input)
    quint8 ffwLow = 0x00;    // field format word, second byte
    quint8 attribute = 0x24; // display attribute: 0x24 underlined, 0x27 nondisplay
    QVector<quint16> fcws;   // field control words
    QString initial;         // initial contents, placeholders allowed

    bool nondisplay() const { return (attribute & 0x07) == 0x07; }
    bool bypass() const { return ffwHigh & 0x20; }
    // Field format word tests (IBM 5250 data stream reference, Start Field).
    int type() const { return ffwHigh & 0x07; }          // 1 alphabetic, 3 numeric, 5 digits, 7 signed, ...
    bool signedNumeric() const { return type() == 7; }
    bool monocase() const { return ffwLow & 0x20; }
    bool mandatoryEntry() const { return ffwLow & 0x08; }
    int adjust() const { return ffwLow & 0x07; }          // 5, 6 right adjust; 7 mandatory fill
    bool mandatoryFill() const { return adjust() == 7; }
    // Positions the operator can type into: a signed field's last position
    // holds its sign, which travels in the zone of the last digit instead.
    int usableLength() const { return signedNumeric() && length > 0 ? length - 1 : length; }
};

struct ScreenDescription
{
    QString name;
    bool wide = false;        // 27 x 132 (Clear Unit Alternate) instead of 24 x 80
    // A window drawn over the screen below it: Clear Format Table instead of
    // Clear Unit, so the cells around it stay, and Read Input Fields, so that
    // every field of the window comes back with the next key.
    bool window = false;
    bool alarm = false;       // sound the terminal's alarm with this screen
    QByteArray header;        // Start of Header parameters; empty: no header order
    QVector<quint8> aids;     // AID keys the screen takes; empty: any key
    QVector<ScreenText> texts;
    QVector<ScreenField> fields;
    // Rows that a page turn rolls with the Roll command instead of writing
    // the whole screen again (0: none); see buildRollStream.
    int rollTop = 0;
    int rollBottom = 0;
    int cursorRow = 0;        // Insert Cursor position; 0: the first input field
    int cursorColumn = 0;

    int rows() const { return wide ? 27 : 24; }
    int columns() const { return wide ? 132 : 80; }
    // The field whose data starts at (row, column), or null.
    const ScreenField *fieldAt(int row, int column) const;
    const ScreenField *fieldNamed(const QString &fieldName) const
    {
        for (const ScreenField &field : fields) {
            if (field.name == fieldName)
                return &field;
        }
        return nullptr;
    }
    bool acceptsAid(quint8 aid) const { return aids.isEmpty() || aids.contains(aid); }
};

// Replaces every "{name}" whose name is a key of `variables`; other braces stay.
QString expandPlaceholders(const QString &text, const QMap<QString, QString> &variables);

// The data of one Put/Get record: Clear Unit, Write To Display with the
// texts, fields and cursor, then Read MDT Fields so that the terminal's next
// AID key answers with the modified fields (for a window: Clear Format
// Table, the same write, Read Input Fields).
QByteArray buildScreenStream(const ScreenDescription &screen, const QMap<QString, QString> &variables,
                             const HostCodec &codec);
// The same screen turned by `lines` rows (positive: up) with the Roll
// command over its roll region, then one Write To Display that empties the
// input fields and writes the texts of the region and of the last row (the
// message line) again, and Read MDT Fields.
QByteArray buildRollStream(const ScreenDescription &screen, int lines, const QMap<QString, QString> &variables,
                           const HostCodec &codec);

#endif
