#ifndef VANTOREL_TERMINALITEM_H
#define VANTOREL_TERMINALITEM_H

#include <QColor>
#include <QMetaObject>
#include <QPointer>
#include <QQuickPaintedItem>

// The complete type, not a forward declaration: QML can assign the `client`
// property only when the meta-type system knows Tn5250Client* is a QObject.
#include "app/tn5250client.h"

// Draws the client's presentation space as a grid of character cells with
// the 5250 attribute colours, reverse image, underscore and the cursor. The
// page places it and binds `client`; every screenChanged() of that client
// repaints the whole item. It takes no input of its own: operator input goes
// to the client's invokable operations.
class TerminalItem : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(Tn5250Client *client READ client WRITE setClient NOTIFY clientChanged)

public:
    explicit TerminalItem(QQuickItem *parent = nullptr);

    Tn5250Client *client() const;
    void setClient(Tn5250Client *client);

    static QColor colorForAttribute(unsigned char attribute);

    // The text size for a cell of the given height: 78 % of it, whole
    // pixels, never below 6 so that tiny cells still show something.
    static int fontPixelSizeForCellHeight(qreal cellHeight);

    void paint(QPainter *painter) override;

signals:
    void clientChanged();

private:
    QPointer<Tn5250Client> m_client; // not owned
    QMetaObject::Connection m_screenConnection;
};

#endif
