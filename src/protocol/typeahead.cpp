// Text and keys the operator produces while the host holds the keyboard
// locked. With the type-ahead preference off they are refused with a status
// line; with it on they wait in a first-in, first-out queue that drainTypeAhead
// replays once a host record leaves the keyboard unlocked (the client's step
// after every command-carrying record calls it). The two text entry paths of
// the interface, typed text and the clipboard, start here too.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QClipboard>
#include <QGuiApplication>

void Tn5250Client::queueTypeAheadText(const QString &text)
{
    switch (m_typeAheadQueue.addText(text)) {
    case TypeAheadQueue::Queued:
        setStatus(tr("Queued input while IBM i is busy"));
        break;
    case TypeAheadQueue::Full:
        setStatus(tr("Type-ahead buffer is full"));
        emit terminalBell();
        break;
    case TypeAheadQueue::Ignored:
        break;
    }
}

void Tn5250Client::queueTypeAheadAid(quint8 aid, int function, bool noData)
{
    if (m_typeAheadQueue.addKey(aid, function, noData) == TypeAheadQueue::Full) {
        setStatus(tr("Type-ahead buffer is full"));
        emit terminalBell();
        return;
    }
    setStatus(tr("Queued key while IBM i is busy"));
}

void Tn5250Client::drainTypeAhead()
{
    if (!m_typeAhead || m_typeAheadDraining || m_screen.keyboardLocked || m_typeAheadQueue.isEmpty())
        return;

    // Replaying can lead back into sendAid, sendEnter and inputText; the flag
    // makes them refuse a locked keyboard instead of queuing the entry again.
    m_typeAheadDraining = true;
    // One host exchange per AID key: a replayed key locks the keyboard and
    // what follows it waits for the next unlocking record.
    while (!m_typeAheadQueue.isEmpty() && !m_screen.keyboardLocked) {
        const TypeAheadQueue::Entry entry = m_typeAheadQueue.takeFirst();
        if (entry.kind == TypeAheadQueue::Entry::Key)
            sendAid(entry.aid, entry.function, entry.noData); // a queued Enter skips validation
        else
            inputText(entry.text);
    }
    m_typeAheadDraining = false;
}

bool Tn5250Client::inputText(const QString &text)
{
    if (m_screen.keyboardLocked) {
        if (m_typeAhead && m_connected && !m_typeAheadDraining) {
            // Taken only when the queue accepted it: a text refused as too
            // long is reported as not taken, so the caller can keep it.
            const int before = m_typeAheadQueue.size();
            queueTypeAheadText(text);
            return m_typeAheadQueue.size() > before;
        }
        setStatus(tr("Keyboard is locked by IBM i"));
        return false;
    }
    if (text.isEmpty())
        return false;

    bool typedAny = false;
    for (int i = 0; i < text.size(); ++i) {
        QString error;
        bool autoEnter = false;
        if (!m_screen.typeCharacter(text.at(i), &error, &autoEnter)) {
            // What was typed before the rejected character stays on the
            // screen; the rest of the text is dropped.
            if (!error.isEmpty())
                setStatus(error);
            emit terminalBell();
            if (typedAny)
                emit screenChanged();
            return typedAny;
        }
        typedAny = true;
        if (autoEnter) {
            // The field is full and sends itself: the rest of the text would
            // land on the host's next screen, so it is dropped.
            emit screenChanged();
            if (m_connected && m_socket)
                sendEnter();
            return true;
        }
    }
    emit screenChanged();
    return true;
}

void Tn5250Client::pasteClipboard()
{
    if (m_screen.keyboardLocked && !m_typeAhead) {
        setStatus(tr("Keyboard is locked by IBM i"));
        return;
    }
    // Without a GUI application there is no clipboard to ask.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;

    // Only the first line is pasted: a line break would otherwise be typed
    // into the field, and pasting several lines would mean guessing at fields.
    QString text = clipboard->text();
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    if (lineEnd >= 0)
        text.truncate(lineEnd);

    if (text.isEmpty()) {
        setStatus(tr("Clipboard contains no text to paste"));
        return;
    }
    inputText(text);
}
