#include "screenregistry.h"

#include "hostprotocol.h"

ScreenReply ScreenReply::show(const QString &screen, const QString &message)
{
    ScreenReply reply;
    reply.kind = Show;
    reply.screen = screen;
    reply.message = message;
    return reply;
}

ScreenReply ScreenReply::roll(const QString &screen, int lines)
{
    ScreenReply reply = show(screen);
    reply.rollLines = lines;
    return reply;
}

ScreenReply ScreenReply::disconnect()
{
    ScreenReply reply;
    reply.kind = Disconnect;
    return reply;
}

ScreenReply ScreenReply::inputError(const QString &message)
{
    ScreenReply reply;
    reply.kind = InputError;
    reply.message = message;
    return reply;
}

ScreenReply ScreenReply::window(const QString &screen)
{
    ScreenReply reply;
    reply.kind = Window;
    reply.screen = screen;
    return reply;
}

ScreenReply ScreenReply::closeWindow()
{
    ScreenReply reply;
    reply.kind = CloseWindow;
    return reply;
}

void ScreenRegistry::add(const ScreenDefinition &definition)
{
    m_screens.insert(definition.layout.name, definition);
}

const ScreenDefinition *ScreenRegistry::find(const QString &name) const
{
    const QMap<QString, ScreenDefinition>::const_iterator it = m_screens.constFind(name);
    return it == m_screens.constEnd() ? nullptr : &it.value();
}

ScreenText screenText(int row, int column, const QString &text, quint8 attribute)
{
    ScreenText item;
    item.row = row;
    item.column = column;
    item.text = text;
    item.attribute = attribute;
    return item;
}

ScreenField inputField(const QString &name, int row, int column, int length, quint8 ffwLow,
                       quint8 attribute)
{
    ScreenField field;
    field.name = name;
    field.row = row;
    field.column = column;
    field.length = length;
    field.ffwHigh = HostProtocol::FFW_BASE;
    field.ffwLow = ffwLow;
    field.attribute = attribute;
    return field;
}

ScreenField outputField(const QString &name, int row, int column, int length, const QString &initial,
                        quint8 attribute)
{
    ScreenField field = inputField(name, row, column, length, 0x00, attribute);
    field.ffwHigh = HostProtocol::FFW_BASE | HostProtocol::FFW_BYPASS;
    field.initial = initial;
    return field;
}

quint8 functionKeyAid(int key)
{
    if (key >= 1 && key <= 12)
        return quint8(0x30 + key);
    if (key >= 13 && key <= 24)
        return quint8(0xB1 + key - 13);
    return 0;
}

QByteArray noDataKeysHeader(const QVector<int> &functionKeys)
{
    QByteArray header(7, '\0');
    for (int key : functionKeys) {
        if (key < 1 || key > 24)
            continue;
        // F1-F8 in byte 6, F9-F16 in byte 5, F17-F24 in byte 4; within a
        // byte the lowest key is the lowest bit.
        const int byte = 6 - (key - 1) / 8;
        header[byte] = char(quint8(header.at(byte)) | (1 << ((key - 1) % 8)));
    }
    return header;
}

quint32 noDataKeyMaskAfterHeader(const QByteArray &header, quint32 current)
{
    if (header.size() > 7)
        return current;
    if (header.size() < 7)
        return 0;
    return (quint32(quint8(header.at(4))) << 16) | (quint32(quint8(header.at(5))) << 8) | quint8(header.at(6));
}
