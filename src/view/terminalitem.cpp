// PROVISIONAL STUB
#include "view/terminalitem.h"
#include "app/tn5250client.h"
#include <QPainter>
TerminalItem::TerminalItem(QQuickItem *parent) : QQuickPaintedItem(parent) {}
Tn5250Client *TerminalItem::client() const { return m_client; }
void TerminalItem::setClient(Tn5250Client *client) { m_client = client; emit clientChanged(); }
QColor TerminalItem::colorForAttribute(unsigned char) { return QColor(); }
void TerminalItem::paint(QPainter *painter) { painter->fillRect(contentsBoundingRect(), Qt::black); }
