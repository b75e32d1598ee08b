#include "protocol/typeaheadqueue.h"

namespace {

// The characters of all queued texts together, and the number of entries a
// key may still be added to.
const int MAX_QUEUED_TEXT_UNITS = 2048;
const int MAX_ENTRIES_BEFORE_KEY = 63;

} // namespace

TypeAheadQueue::Result TypeAheadQueue::addText(const QString &text)
{
    if (text.isEmpty())
        return Ignored;
    int total = text.size();
    for (const Entry &entry : m_entries) {
        if (entry.kind == Entry::Text)
            total += entry.text.size();
    }
    if (total > MAX_QUEUED_TEXT_UNITS)
        return Full;
    Entry entry;
    entry.kind = Entry::Text;
    entry.text = text;
    m_entries.append(entry);
    return Queued;
}

TypeAheadQueue::Result TypeAheadQueue::addKey(quint8 aid, int function, bool noData)
{
    if (m_entries.size() > MAX_ENTRIES_BEFORE_KEY)
        return Full;
    Entry entry;
    entry.kind = Entry::Key;
    entry.aid = aid;
    entry.function = function;
    entry.noData = noData;
    m_entries.append(entry);
    return Queued;
}
