#ifndef VANTOREL_TERMINALITEM_H
#define VANTOREL_TERMINALITEM_H

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QLineF>
#include <QMetaObject>
#include <QPointer>
#include <QPointF>
#include <QQuickPaintedItem>
#include <QRect>
#include <QRectF>
#include <QVector>

// The complete type, not a forward declaration: QML can assign the `client`
// property only when the meta-type system knows Tn5250Client* is a QObject.
#include "app/tn5250client.h"
#include "screen/terminalscreen.h"
#include "view/glyphtable.h"

// Draws the client's presentation space as a grid of character cells with
// the 5250 attribute colours, reverse image, underscore and the cursor. The
// page places it and binds `client`; a screenChanged() of that client asks
// for a repaint of the rows that changed since the item last looked. It takes
// no input of its own: operator input goes to the client's invokable
// operations.
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
    // The font the cells are drawn in, for a cell of that height.
    static QFont fontForCellHeight(qreal cellHeight);

    // The part of the item a repaint has been asked for since the last
    // paint(), in item pixels; empty when nothing changed.
    QRect pendingRepaintArea() const { return m_pendingArea; }

    void paint(QPainter *painter) override;

signals:
    void clientChanged();

private:
    static void drawUnderscore(QPainter *painter, const QLineF &line, const QColor &color);
    // Cells of one attribute drawn together: their reverse-image blocks,
    // then their glyphs as one run, then their underscores.
    struct Batch
    {
        int attribute = -1;
        int lastFillColumn = -2; // the last cell whose block or underscore is in
        int lastLineColumn = -2; // the batch, to merge the next with it
        QColor pen;
        QColor fill;
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
        QVector<QRectF> fills;
        QVector<QLineF> lines;
    };

    // Rows whose cells keep their ink inside themselves can be drawn in any
    // order: all their blocks, then one glyph run per pen colour for all of
    // them, then their underscores.
    struct Glyphs
    {
        QRgb pen = 0;
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
    };
    struct Frame
    {
        QVector<QRectF> fills;
        QVector<QRgb> fillColors;
        QVector<Glyphs> runs; // one per pen colour, in order of appearance
        QVector<QLineF> lines;
        QVector<QRgb> lineColors;
        bool empty = true;
    };

    void screenChanged();
    void requestRepaint(const QRect &area);
    QRect rowsArea(int firstRow, int lastRow) const;
    void takeSnapshot();
    void prepareFont(qreal cellHeight);
    void paintRow(QPainter *painter, const TerminalScreen &screen, int row, qreal cellWidth, qreal cellHeight);
    void flush(QPainter *painter);
    bool collectRow(const TerminalScreen &screen, int row, qreal cellWidth, qreal cellHeight);
    void flushFrame(QPainter *painter);

    QPointer<Tn5250Client> m_client; // not owned
    QMetaObject::Connection m_screenConnection;

    // What the last repaint request was computed against.
    TerminalScreen m_shown;
    int m_shownCodePage = -1;
    bool m_shownValid = false;
    QRect m_pendingArea;

    int m_fontPixelSize = 0;
    QFont m_font;
    qreal m_ascent = 0;
    qreal m_lineHeight = 0;
    qreal m_baselineOffset = 0;
    GlyphTable m_glyphs;
    Batch m_batch;
    Frame m_frame;
};

#endif
