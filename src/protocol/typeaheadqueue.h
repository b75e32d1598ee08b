#ifndef VANTOREL_TYPEAHEADQUEUE_H
#define VANTOREL_TYPEAHEADQUEUE_H

#include <QList>
#include <QString>
#include <QtGlobal>

// Text and keys the operator produced while the host held the keyboard
// locked, first in, first out, until a host record unlocks it again. The
// queue is bounded twice: by the characters of all queued texts together
// and by the number of entries a key may still join.
class TypeAheadQueue
{
public:
    struct Entry
    {
        enum { Text = 0, Key = 1 };
        qint32 kind = Text;
        QString text;        // Text
        quint8 aid = 0;      // Key
        int function = 0;    // Key: function-key number or 0
        bool noData = false; // Key
    };

    enum Result { Queued, Full, Ignored };

    // An empty text is ignored; one that would take the queue past its
    // character bound is refused as a whole.
    Result addText(const QString &text);
    Result addKey(quint8 aid, int function, bool noData);

    bool isEmpty() const { return m_entries.isEmpty(); }
    int size() const { return m_entries.size(); }
    const Entry &at(int index) const { return m_entries.at(index); }
    Entry takeFirst() { return m_entries.takeFirst(); }
    void clear() { m_entries.clear(); }

private:
    QList<Entry> m_entries;
};

Q_DECLARE_TYPEINFO(TypeAheadQueue::Entry, Q_MOVABLE_TYPE);

#endif
