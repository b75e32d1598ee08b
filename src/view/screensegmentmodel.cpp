// Field segments and hot-spots for the page, updated row by row so that a
// Repeater keeps the delegates whose segment did not change.
#include "view/screensegmentmodel.h"

#include <QStringList>
#include <QVariantMap>

#include "app/tn5250client.h"

bool ScreenSegmentModel::Segment::operator==(const Segment &other) const
{
    return row == other.row && column == other.column && length == other.length
        && nondisplay == other.nondisplay && kind == other.kind && value == other.value
        && span == other.span;
}

ScreenSegmentModel::ScreenSegmentModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void ScreenSegmentModel::setClient(Tn5250Client *client)
{
    if (client == m_client)
        return;
    if (m_client)
        m_client->disconnect(this);
    m_client = client;
    if (client) {
        connect(client, &Tn5250Client::screenChanged, this, &ScreenSegmentModel::refresh);
        // Hot-spots come and go with the hotspotsEnabled preference.
        connect(client, &Tn5250Client::settingsChanged, this, &ScreenSegmentModel::refresh);
    }
    emit clientChanged();
    refresh();
}

void ScreenSegmentModel::setSource(Source source)
{
    if (source == m_source)
        return;
    m_source = source;
    emit sourceChanged();
    refresh();
}

int ScreenSegmentModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_segments.size();
}

QVariant ScreenSegmentModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_segments.size())
        return QVariant();
    const Segment &segment = m_segments.at(index.row());
    switch (role) {
    case RowRole: return segment.row;
    case ColumnRole: return segment.column;
    case LengthRole: return segment.length;
    case NondisplayRole: return segment.nondisplay;
    case KindRole: return segment.kind;
    case ValueRole: return segment.value;
    case SpanRole: return segment.span;
    default: return QVariant();
    }
}

QHash<int, QByteArray> ScreenSegmentModel::roleNames() const
{
    QHash<int, QByteArray> names;
    names.insert(RowRole, "row");
    names.insert(ColumnRole, "column");
    names.insert(LengthRole, "length");
    names.insert(NondisplayRole, "nondisplay");
    names.insert(KindRole, "kind");
    names.insert(ValueRole, "value");
    names.insert(SpanRole, "span");
    return names;
}

int ScreenSegmentModel::labelSpan(const QString &line, int start, int length, int limit)
{
    const int end = qMin(limit, line.size());
    int cell = start + length;
    while (cell < end) {
        if (line.at(cell) != QLatin1Char(' ')) {
            ++cell;
            continue;
        }
        // One blank between words belongs to the label ("F6=Add record");
        // two end it, as they separate the labels of a key legend.
        if (cell + 1 < end && line.at(cell + 1) != QLatin1Char(' '))
            ++cell;
        else
            break;
    }
    return qMax(length, cell - start);
}

QVector<ScreenSegmentModel::Segment> ScreenSegmentModel::readSegments() const
{
    QVector<Segment> segments;
    if (!m_client)
        return segments;
    const bool hotspots = m_source == Hotspots;
    const QVariantList list = hotspots ? m_client->hotspotSegments() : m_client->inputFieldSegments();
    segments.reserve(list.size());
    for (const QVariant &entry : list) {
        const QVariantMap map = entry.toMap();
        Segment segment;
        segment.row = map.value(QStringLiteral("row")).toInt();
        segment.column = map.value(QStringLiteral("column")).toInt();
        segment.length = map.value(QStringLiteral("length")).toInt();
        segment.nondisplay = map.value(QStringLiteral("nondisplay")).toBool();
        segment.kind = map.value(QStringLiteral("kind")).toString();
        segment.value = map.value(QStringLiteral("value"));
        segment.span = segment.length;
        segments.append(segment);
    }
    if (!hotspots || segments.isEmpty())
        return segments;

    // A function key's target runs on over its label, but never into the
    // next hot-spot of the same line.
    const QStringList lines = m_client->screenText().split(QLatin1Char('\n'));
    for (Segment &segment : segments) {
        if (segment.kind != QLatin1String("function"))
            continue;
        const QString line = lines.value(segment.row - 1);
        const int start = segment.column - 1;
        int limit = line.size();
        for (const Segment &other : segments) {
            if (other.row == segment.row && other.column > segment.column)
                limit = qMin(limit, other.column - 1);
        }
        segment.span = labelSpan(line, start, segment.length, limit);
    }
    return segments;
}

void ScreenSegmentModel::refresh()
{
    const QVector<Segment> fresh = readSegments();
    const int oldCount = m_segments.size();
    const int common = qMin(oldCount, fresh.size());

    // Changed rows in place, as runs of consecutive rows.
    int runStart = -1;
    for (int i = 0; i <= common; ++i) {
        const bool differs = i < common && m_segments.at(i) != fresh.at(i);
        if (differs) {
            m_segments[i] = fresh.at(i);
            if (runStart < 0)
                runStart = i;
        } else if (runStart >= 0) {
            emit dataChanged(index(runStart), index(i - 1));
            runStart = -1;
        }
    }
    if (fresh.size() > oldCount) {
        beginInsertRows(QModelIndex(), oldCount, fresh.size() - 1);
        for (int i = oldCount; i < fresh.size(); ++i)
            m_segments.append(fresh.at(i));
        endInsertRows();
    } else if (fresh.size() < oldCount) {
        beginRemoveRows(QModelIndex(), fresh.size(), oldCount - 1);
        m_segments.resize(fresh.size());
        endRemoveRows();
    }
    if (fresh.size() != oldCount)
        emit countChanged();
}
