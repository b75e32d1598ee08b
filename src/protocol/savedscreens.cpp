#include "protocol/savedscreens.h"

#include "protocol/datastream.h"

QByteArray SavedScreens::save(const TerminalScreen &screen)
{
    using namespace DataStream;
    if (m_screens.size() >= MAX_SAVED_SCREENS)
        m_screens.remove(0);
    m_screens.append(screen);
    QByteArray token;
    token.append(char(ESC));
    token.append(char(CMD_RESTORE_SCREEN));
    token.append(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE);
    token.append(char(m_screens.size()));
    return token;
}

bool SavedScreens::restore(const QByteArray &data, TerminalScreen &screen) const
{
    using namespace DataStream;
    // The host may hand the whole token back, ESC and command code included.
    int tokenStart = 0;
    if (data.size() >= 2 && quint8(data.at(0)) == ESC && quint8(data.at(1)) == CMD_RESTORE_SCREEN)
        tokenStart = 2;
    const int numberIndex = tokenStart + SAVE_TOKEN_TAG_SIZE;
    if (numberIndex >= data.size())
        return false;
    if (data.mid(tokenStart, SAVE_TOKEN_TAG_SIZE) != QByteArray(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE))
        return false;
    const int number = quint8(data.at(numberIndex));
    if (number == 0 || number > m_screens.size())
        return false;
    screen = m_screens.at(number - 1);
    return true;
}
