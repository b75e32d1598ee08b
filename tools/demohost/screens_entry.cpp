// The entry form of the demo host: one input field for each rule of the 5250
// field format word that the terminal applies while the operator types
// (alphabetic only, numeric only, signed numeric, right adjust, mandatory
// entry, mandatory fill, monocase, auto enter), and a second screen that shows
// what the host made of the values it received. The fields are one table, so
// the form, the host's reading and the result screen stay in step.
#include "demoscreens.h"
#include "demosession.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace DemoScreens;
using namespace HostProtocol;

namespace {

// Field format word bits (IBM 5250 data stream reference, Start Field).
const quint8 FFW_ALPHABETIC_ONLY = 0x41;
const quint8 FFW_NUMERIC_ONLY = 0x43;
const quint8 FFW_SIGNED_NUMERIC = 0x47;
const quint8 FFW_RIGHT_ADJUST_ZERO = 0x05;
const quint8 FFW_MANDATORY_ENTRY = 0x08;
const quint8 FFW_MANDATORY_FILL = 0x07;
const quint8 FFW_LOW_MONOCASE = 0x20;
const quint8 FFW_AUTO_ENTER = 0x80;

struct EntryItem
{
    const char *name;
    const char *label;       // on the form
    const char *resultLabel; // on the result screen
    int length;
    quint8 ffwHigh;
    quint8 ffwLow;
};

const EntryItem ENTRY_ITEMS[] = {
    { "name", "Name (letters only)", "Name", 20, FFW_ALPHABETIC_ONLY, 0x00 },
    { "quantity", "Quantity (numeric only)", "Quantity", 5, FFW_NUMERIC_ONLY, 0x00 },
    { "amount", "Amount (signed numeric)", "Amount", 8, FFW_SIGNED_NUMERIC, 0x00 },
    { "account", "Account (right-adjusted)", "Account", 7, FFW_NUMERIC_ONLY, FFW_RIGHT_ADJUST_ZERO },
    { "customer", "Customer (required)", "Customer", 10, FFW_BASE, FFW_MANDATORY_ENTRY },
    { "postcode", "Post code (fill all 5)", "Post code", 5, FFW_BASE, FFW_MANDATORY_FILL },
    { "code", "Code (upper case)", "Code", 6, FFW_BASE, FFW_LOW_MONOCASE },
    { "confirm", "Confirm Y/N (sends itself)", "Confirmed", 1, FFW_BASE, FFW_AUTO_ENTER | FFW_LOW_MONOCASE },
};
const int FIRST_ROW = 5;
const int LABEL_WIDTH = 33;
const int FIELD_COLUMN = 37;
const int RESULT_LABEL_WIDTH = 19;

// EBCDIC of a signed-numeric field's bytes other than digits.
const quint8 EBCDIC_BLANK = 0x40;
const quint8 EBCDIC_FULL_STOP = 0x4B;
const quint8 EBCDIC_PLUS = 0x4E;
const quint8 EBCDIC_MINUS = 0x60;
const quint8 EBCDIC_COMMA = 0x6B;

// "Name . . . . . ." as IBM i display files lead a label to its field: the
// dots on every other column, the same columns for every label, so that
// labels of any length end in one straight column of dots (`width` odd).
QString dotLeader(const QString &label, int width)
{
    QString text = label + QLatin1Char(' ');
    if (text.size() % 2 != 0)
        text += QLatin1Char(' ');
    while (text.size() < width)
        text += QStringLiteral(". ");
    text.truncate(qMax(width, label.size()));
    return text;
}

QString variableName(const char *item)
{
    return QStringLiteral("entry.") + QLatin1String(item);
}

// The number in a signed-numeric field's data: the sign is the zone of the
// last digit (D for minus, F for plus), as the terminal sends it.
QString signedValue(const QByteArray &data)
{
    QString text;
    bool negative = false;
    for (char c : data) {
        const quint8 byte = quint8(c);
        const quint8 zone = byte & 0xF0;
        const quint8 digit = byte & 0x0F;
        if ((zone == 0xF0 || zone == 0xD0) && digit <= 9) {
            negative = negative || zone == 0xD0;
            text += QChar(QLatin1Char(char('0' + digit)));
        } else if (byte == EBCDIC_BLANK || byte == 0x00) {
            text += QLatin1Char(' ');
        } else if (byte == EBCDIC_FULL_STOP) {
            text += QLatin1Char('.');
        } else if (byte == EBCDIC_COMMA) {
            text += QLatin1Char(',');
        } else if (byte == EBCDIC_PLUS) {
            text += QLatin1Char('+');
        } else if (byte == EBCDIC_MINUS) {
            text += QLatin1Char('-');
        } else {
            text += QLatin1Char('?');
        }
    }
    text = text.trimmed();
    return negative && !text.isEmpty() ? QLatin1Char('-') + text : text;
}

// What the host keeps of one field: a signed number with its sign, anything
// else as received. A right-adjusted field arrives aligned and filled, as the
// terminal's Field Exit left it.
QString hostValue(const ScreenField &field, const ResponseField *received)
{
    if (!received)
        return QString();
    if (field.signedNumeric())
        return signedValue(received->data);
    return received->text.trimmed();
}

const ResponseField *receivedField(const ReadResponse &response, const QString &name)
{
    for (const ResponseField &field : response.fields) {
        if (field.name == name)
            return &field;
    }
    return nullptr;
}

ScreenDefinition entryFormScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(ENTRY_FORM);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("ENTRY")),
        screenText(1, 35, QStringLiteral("Order Entry"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("Type a value into each field, then press Enter.")),
        screenText(19, 2, QStringLiteral("Field Exit leaves a field; Field- leaves the amount negative.")),
        screenText(22, 2, QStringLiteral("F3=Exit   F12=Cancel"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    int row = FIRST_ROW;
    for (const EntryItem &item : ENTRY_ITEMS) {
        layout.texts.append(screenText(row, 2, dotLeader(QLatin1String(item.label), LABEL_WIDTH)));
        ScreenField field = inputField(QLatin1String(item.name), row, FIELD_COLUMN, item.length, item.ffwLow);
        field.ffwHigh = item.ffwHigh;
        layout.fields.append(field);
        ++row;
    }
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(12) };

    const ScreenDescription form = layout;
    screen.onAid = [form](DemoSession &session, const ReadResponse &response) {
        const int function = functionKeyOf(response.aid);
        if (function == 3 || function == 12)
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        if (response.aid != AID_ENTER)
            return ScreenReply::show(QLatin1String(ENTRY_FORM), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));
        if (!response.check.ok())
            return ScreenReply::show(QLatin1String(ENTRY_FORM),
                                     QStringLiteral("Entry refused: %1").arg(response.check.problems.value(0)));
        // The program's own validation: reported with Write Error Code, as an
        // IBM i display file reports an error, so the form and what was typed
        // stay for the operator to correct after Reset.
        const QString quantity = response.fieldText(QStringLiteral("quantity")).trimmed();
        if (!quantity.isEmpty() && quantity.toDouble() == 0.0)
            return ScreenReply::inputError(QLatin1String(QUANTITY_NOT_ZERO));
        if (response.fieldText(QStringLiteral("confirm")).toUpper() == QLatin1String("N"))
            return ScreenReply::show(QLatin1String(ENTRY_FORM), QStringLiteral("Entry not confirmed."));

        for (const ScreenField &field : form.fields)
            session.setVariable(QStringLiteral("entry.") + field.name,
                                hostValue(field, receivedField(response, field.name)));
        session.setVariable(QStringLiteral("entry.check"), response.check.summary());
        session.log(QStringLiteral("Entry accepted for customer %1")
                        .arg(session.variable(QStringLiteral("entry.customer"))));
        return ScreenReply::show(QLatin1String(ENTRY_RESULT));
    };
    return screen;
}

ScreenDefinition entryResultScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(ENTRY_RESULT);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("ENTRY")),
        screenText(1, 33, QStringLiteral("Entry Received"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("The host received these values:")),
        screenText(22, 2, QStringLiteral("Enter=New entry   F3=Exit   F12=Cancel"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    int row = FIRST_ROW;
    for (const EntryItem &item : ENTRY_ITEMS) {
        layout.texts.append(screenText(row++, 2,
                                       dotLeader(QLatin1String(item.resultLabel), RESULT_LABEL_WIDTH)
                                           + QStringLiteral(" :   {%1}").arg(variableName(item.name))));
    }
    layout.texts.append(screenText(row + 1, 2,
                                   dotLeader(QStringLiteral("Host check"), RESULT_LABEL_WIDTH)
                                       + QStringLiteral(" :   {entry.check}")));
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(12) };
    screen.onAid = [](DemoSession &, const ReadResponse &response) {
        if (response.aid == AID_ENTER)
            return ScreenReply::show(QLatin1String(ENTRY_FORM));
        const int function = functionKeyOf(response.aid);
        if (function == 3 || function == 12)
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        return ScreenReply::show(QLatin1String(ENTRY_RESULT), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));
    };
    return screen;
}

} // namespace

void registerEntryScreens(ScreenRegistry &registry)
{
    registry.add(entryFormScreen());
    registry.add(entryResultScreen());
}
