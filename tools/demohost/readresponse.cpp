// The host's reading of what a terminal sends back for a screen: cursor row,
// cursor column, AID code, then for each returned field SBA (0x11), row,
// column and the field's data up to the next SBA or the end of the record.
#include "readresponse.h"

#include "hostcodec.h"
#include "hostprotocol.h"
#include "screendescription.h"

using namespace HostProtocol;

namespace {

QString trimmedRight(const QString &text)
{
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

QString ReadResponse::aidName() const
{
    return HostProtocol::aidName(aid);
}

QString ReadResponse::fieldText(const QString &name) const
{
    for (const ResponseField &field : fields) {
        if (field.name == name)
            return field.text;
    }
    return QString();
}

bool ReadResponse::hasField(const QString &name) const
{
    for (const ResponseField &field : fields) {
        if (field.name == name)
            return true;
    }
    return false;
}

QString ReadResponse::describe() const
{
    if (!valid)
        return QStringLiteral("Unreadable response: %1").arg(error);
    QString line = QStringLiteral("AID %1 cursor %2,%3").arg(aidName()).arg(cursorRow).arg(cursorColumn);
    for (const ResponseField &field : fields) {
        line += QStringLiteral(" field %1,%2 ").arg(field.row).arg(field.column);
        // A password must never reach a log, only how long it was.
        if (field.nondisplay)
            line += QStringLiteral("(redacted, %1 chars)").arg(field.data.size());
        else
            line += QLatin1Char('"') + field.text + QLatin1Char('"');
    }
    return line;
}

ReadResponse parseReadResponse(quint8 opcode, quint8 flags, const QByteArray &data,
                               const ScreenDescription *screen, const HostCodec &codec)
{
    ReadResponse response;
    response.opcode = opcode;
    response.flags = flags;
    if (screen)
        response.screen = screen->name;
    if (data.size() < 3) {
        response.error = QStringLiteral("%1 bytes, fewer than cursor and AID").arg(data.size());
        return response;
    }
    response.cursorRow = quint8(data.at(0));
    response.cursorColumn = quint8(data.at(1));
    response.aid = quint8(data.at(2));

    int i = 3;
    while (i < data.size()) {
        if (quint8(data.at(i)) != ORDER_SET_BUFFER_ADDRESS || i + 2 >= data.size()) {
            response.error = QStringLiteral("expected SBA and an address at offset %1").arg(i);
            return response;
        }
        ResponseField field;
        field.row = quint8(data.at(i + 1));
        field.column = quint8(data.at(i + 2));
        int end = i + 3;
        while (end < data.size() && quint8(data.at(end)) != ORDER_SET_BUFFER_ADDRESS)
            ++end;
        field.data = data.mid(i + 3, end - i - 3);
        field.text = trimmedRight(codec.decode(field.data));
        if (screen) {
            if (const ScreenField *described = screen->fieldAt(field.row, field.column)) {
                field.name = described->name;
                field.nondisplay = described->nondisplay();
            }
        }
        response.fields.append(field);
        i = end;
    }
    response.valid = true;
    return response;
}
