#ifndef VANTOREL_SCREENSEGMENTMODEL_H
#define VANTOREL_SCREENSEGMENTMODEL_H

#include <QAbstractListModel>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVector>

// The complete type: QML assigns `client` only when the meta-type system
// knows Tn5250Client* is a QObject.
#include "app/tn5250client.h"

// The client's input-field segments or hot-spots as a list model for the
// page's Repeaters. The client offers both as lists rebuilt on every read;
// bound straight to a Repeater such a list makes it destroy and create every
// delegate on every screenChanged(). This model reads the list again on each
// screenChanged() and tells the view only what changed: rows whose values
// differ, rows added or removed at the end. A screen change that leaves the
// fields where they were (typing, moving the cursor) costs the view nothing.
//
// For hot-spots it adds the label that follows a function key: the segment
// of "F5=" becomes a target over all of "F5=Refresh".
class ScreenSegmentModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(Tn5250Client *client READ client WRITE setClient NOTIFY clientChanged)
    Q_PROPERTY(Source source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Source { InputFields, Hotspots };
    Q_ENUM(Source)

    // Roles, named in QML as the keys of the client's segment maps plus
    // "span": the cells a tap target covers (the label included).
    enum Role {
        RowRole = Qt::UserRole + 1,
        ColumnRole,
        LengthRole,
        NondisplayRole,
        KindRole,
        ValueRole,
        SpanRole
    };

    struct Segment
    {
        int row = 0;
        int column = 0;
        int length = 0;
        bool nondisplay = false;
        QString kind;
        QVariant value;
        int span = 0;

        bool operator==(const Segment &other) const;
        bool operator!=(const Segment &other) const { return !(*this == other); }
    };

    explicit ScreenSegmentModel(QObject *parent = nullptr);

    Tn5250Client *client() const { return m_client; }
    void setClient(Tn5250Client *client);
    Source source() const { return m_source; }
    void setSource(Source source);
    int count() const { return m_segments.size(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // How many cells from `start` (0-based) of `line` a function-key label
    // covers: the match of `length` cells and the words after it, single
    // blanks included, up to two blanks in a row, the end of the line or
    // `limit` (where the next hot-spot starts).
    static int labelSpan(const QString &line, int start, int length, int limit);

signals:
    void clientChanged();
    void sourceChanged();
    void countChanged();

private slots:
    void refresh();

private:
    QVector<Segment> readSegments() const;

    QPointer<Tn5250Client> m_client; // not owned
    Source m_source = InputFields;
    QVector<Segment> m_segments;
};

Q_DECLARE_TYPEINFO(ScreenSegmentModel::Segment, Q_MOVABLE_TYPE);

#endif
