#ifndef VANTOREL_TERMINALSCREEN_H
#define VANTOREL_TERMINALSCREEN_H

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QVector>

// The presentation space of one 5250 display: what the host wrote (EBCDIC
// bytes and display attributes), the format table of fields, the host's write
// position, the operator's cursor and the indicators that belong to the
// screen. The write-order interpreter changes it from the host side, the
// editing operations from the operator's side; the view only reads it.
//
// A plain value type: the buffers and the format table are implicitly shared,
// so a copy is a cheap snapshot (Save Screen keeps such copies).
//
// Buffer indexes are 0-based and row-major; the host's addresses are 1-based
// (row, column) pairs. Every advance wraps from the last cell to cell 0, so no
// operation writes outside the buffer.
class TerminalScreen
{
public:
    // One entry of the format table, defined by the Start of Field order.
    struct Field
    {
        int start = 0;                  // first data position (after the attribute byte)
        int length = 0;                 // number of data positions
        unsigned char ffwHigh = 0;      // field format word, first byte
        unsigned char ffwLow = 0;       // field format word, second byte
        unsigned char attribute = 0x20; // display attribute in front of the field
        QVector<unsigned short> fcws;   // field control words, first byte high
        bool modified = false;          // modified data tag
        bool transparent = false;       // an FCW 0x84xx: data goes back unaltered
        bool entered = false;           // changed by the operator since the last MDT reset

        bool bypass() const { return ffwHigh & 0x20; }
        bool autoEnter() const { return ffwLow & 0x80; }
        bool fieldExitRequired() const
        {
            return (ffwLow & 0x40) || rightAdjustZero() || rightAdjustBlank() || signedNumeric();
        }
        bool monocase() const { return ffwLow & 0x20; }
        bool mandatoryEnter() const { return ffwLow & 0x08; }
        bool mandatoryFill() const { return (ffwLow & 0x07) == 7; }
        bool rightAdjustZero() const { return (ffwLow & 0x07) == 5; }
        bool rightAdjustBlank() const { return (ffwLow & 0x07) == 6; }
        int type() const { return ffwHigh & 0x07; }
        bool signedNumeric() const { return type() == 7; }
        bool digitsOnly() const { return type() == 5; }
        bool numericOnly() const { const int t = type(); return t == 2 || t == 3 || t == 5 || t == 7; }
        bool alphaOnly() const { return type() == 1; }
    };

    TerminalScreen();

    int rows = 24;
    int columns = 80;
    QByteArray data;
    QByteArray attributes;
    QVector<Field> fields;
    int displayAddress = 0;
    int cursor = 0;
    int insertCursorIndex = -1;
    unsigned char currentAttribute = 0x20;
    bool keyboardLocked = true;
    bool messageWaiting = false;
    bool insertMode = false;
    quint32 noDataKeyMask = 0;
    // The row Start of Header names for error messages (1-based); 0 when
    // none is named, and then the last row serves.
    int errorRow = 0;
    // Input inhibited by the host's Write Error Code until the operator's
    // Reset; the error line's cells as they were before the message.
    bool inputError = false;
    QByteArray errorLineData;
    QByteArray errorLineAttributes;

    int size() const { return data.size(); }

    // --- Lifecycle and reset --------------------------------------------
    void resize(int rows, int columns);
    void clear(bool clearFormatTable);

    // --- Reading cells (out-of-range indexes get neutral answers) --------
    unsigned char rawAt(int index) const;
    unsigned char attributeAt(int index) const;
    bool isAttributeAt(int index) const;
    bool isNondisplayAt(int index) const;
    QChar charAt(int index) const;

    // --- Addressing ---------------------------------------------------------
    int clampIndex(int index) const;
    int indexFromAddress(int row, int column) const;
    void setDisplayAddress(int row, int column);
    void setDisplayAddressIndex(int index);
    void advanceDisplayAddress();

    // --- Host writes ----------------------------------------------------------
    void writeByte(unsigned char byte);
    // The data bytes between two orders: the same cells as writeByte for
    // each, in one pass.
    void writeText(const unsigned char *bytes, int count);
    void writeTransparent(const QByteArray &bytes);
    void repeatTo(int row, int column, unsigned char byte);
    void eraseTo(int row, int column);
    void setExtendedAttribute(unsigned char type, unsigned char value);
    bool insertCursor(int row, int column);
    void roll(unsigned char control, unsigned char topRow, unsigned char bottomRow);
    void recomputeAttributes();

    // --- Write Error Code --------------------------------------------------
    // The 1-based row that error messages are written on.
    int errorLineRow() const;
    // Keeps the error line's cells (once, however many messages follow),
    // moves the write position to its start and inhibits input.
    void beginInputError();
    // Puts the error line back and opens the keyboard; false when there was
    // no input error.
    bool resetInputError();

    // --- Cursor ----------------------------------------------------------------
    void moveCursor(int row, int column);
    void setCursorIndex(int index);
    int cursorRow() const;
    int cursorColumn() const;
    void moveCursorRelative(int rowDelta, int columnDelta);
    void moveCursorHome();

    // --- Text ------------------------------------------------------------------
    QString plainText(bool hideNondisplay) const;
    // Cells that show a character: not null, not blank, not an attribute and
    // not nondisplay, so that a typed password counts as empty.
    int visibleCellCount() const;
    // The first and last row (0-based) whose cells or attributes differ from
    // `earlier`, a copy of this screen taken before; false when none does.
    // A screen of another size differs in every row.
    bool changedRows(const TerminalScreen &earlier, int *first, int *last) const;

    // --- Format table ------------------------------------------------------
    void startField(bool hasFfw, unsigned char ffwHigh, unsigned char ffwLow,
                    const QVector<unsigned short> &fcws, unsigned char attribute, int length);
    void clearFormatTable();
    void clearFormatTableForHeader();
    int fieldIndexAt(int index) const;
    bool isProtectedAt(int index) const;
    bool isValidInputPosition(int index) const;
    int nextInputField(int fromIndex, bool backward) const;
    void resetMdt(bool allFields);
    void nullFields(bool onlyModified);
    QByteArray fieldBytes(const Field &field) const;
    void setFieldBytes(const Field &field, const QByteArray &bytes);
    bool functionSendsData(int functionKey) const;

    // --- Operator editing (refusal texts go to `message`, may be null) -----
    bool typeCharacter(QChar character, QString *message = nullptr, bool *autoEnter = nullptr);
    static bool validateCharacter(const Field &field, QChar character);
    bool fieldExit(bool minus, QString *message = nullptr, bool *autoEnter = nullptr);
    bool backspace();
    bool deleteCharacter();
    bool eraseToEndOfField(QString *message = nullptr);
    void eraseInput();
    bool moveToEndOfField();
    void tab(bool backward);
    void newLine();
    bool setFieldText(int fieldIndex, const QString &text, QString *message = nullptr);
    bool validateForEnter(QString *message = nullptr);

private:
    // Walks over a field's positions go through these, so that an entry with
    // a start or length that does not fit the buffer (a restored snapshot of
    // another size, a hand-built entry) still only touches cells inside it.
    int fieldPosition(const Field &field, int k) const;  // (start + k) wrapped
    int fieldSpan(const Field &field) const;             // length clamped to 0..size
    int usableLength(const Field &field) const;          // span less a sign position
    int fieldOffset(const Field &field, int index) const; // (index - start) wrapped
    bool positionInField(const Field &field, int index) const;
    void nullPositions(const Field &field, int from, int to); // positions from..to-1
    void rightAdjust(const Field &field, int usable, unsigned char fill);
    void setCell(int index, unsigned char byte, unsigned char attribute);
    void fillCells(int from, int count, unsigned char byte, unsigned char attribute); // wraps
    void fillRun(int from, int count, unsigned char byte, unsigned char attribute);   // from..from+count-1
    int inputFieldAtCursor() const; // table position, or -1 when not in an input field
    void markChanged(int fieldIndex);
};

#endif
