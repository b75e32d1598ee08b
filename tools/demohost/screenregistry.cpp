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

ScreenReply ScreenReply::disconnect()
{
    ScreenReply reply;
    reply.kind = Disconnect;
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
