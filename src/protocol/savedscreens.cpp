#include "protocol/savedscreens.h"

#include "protocol/datastream.h"

QByteArray SavedScreens::save(const TerminalScreen &screen)
{
    using namespace DataStream;
    if (m_screens.size() >= MAX_SAVED_SCREENS)
        m_screens.remove(0);
    Entry entry;
    entry.serial = ++m_lastSerial;
    entry.screen = screen;
    m_screens.append(entry);
    QByteArray token;
    token.append(char(ESC));
    token.append(char(CMD_RESTORE_SCREEN));
    token.append(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE);
    for (int shift = 24; shift >= 0; shift -= 8)
        token.append(char((entry.serial >> shift) & 0xFF));
    return token;
}

SavedScreens::Restore SavedScreens::restore(const QByteArray &data, TerminalScreen &screen, quint32 *serial) const
{
    using namespace DataStream;
    // The host may hand the whole token back, ESC and command code included.
    int tokenStart = 0;
    if (data.size() >= 2 && quint8(data.at(0)) == ESC && quint8(data.at(1)) == CMD_RESTORE_SCREEN)
        tokenStart = 2;
    const int serialIndex = tokenStart + SAVE_TOKEN_TAG_SIZE;
    if (serialIndex + SAVE_TOKEN_SERIAL_SIZE > data.size()
        || data.mid(tokenStart, SAVE_TOKEN_TAG_SIZE) != QByteArray(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE))
        return NotAToken;
    quint32 number = 0;
    for (int i = 0; i < SAVE_TOKEN_SERIAL_SIZE; ++i)
        number = (number << 8) | quint8(data.at(serialIndex + i));
    if (serial)
        *serial = number;
    for (const Entry &entry : m_screens) {
        if (entry.serial == number) {
            screen = entry.screen;
            return Restored;
        }
    }
    return UnknownToken;
}

void SavedScreens::clear()
{
    m_screens.clear();
    m_lastSerial = 0;
}
