#include "view/glyphtable.h"

#include <QRectF>
#include <QString>
#include <QVector>
#include <QtMath>

#include "codec/ebcdiccodec.h"

void GlyphTable::prepare(const QFont &font, int codePage)
{
    if (m_built && codePage == m_codePage && font == m_font)
        return;
    m_font = font;
    m_codePage = codePage;
    m_built = true;
    m_rawFont = QRawFont::fromFont(font);

    const ushort *table = EbcdicCodec::tableForCodePage(codePage);
    for (int byte = 0; byte < 256; ++byte) {
        Entry &entry = m_entries[byte];
        entry = Entry();
        // The same rule as TerminalScreen::charAt: nulls, attribute bytes and
        // EBCDIC controls show as blanks, and blanks draw nothing.
        if (byte == 0 || EbcdicCodec::isDisplayAttribute(static_cast<unsigned char>(byte)))
            continue;
        const QChar character(table[byte]);
        if (character.category() == QChar::Other_Control || character.unicode() == 0
            || character == QLatin1Char(' '))
            continue;
        entry.visible = true;
        if (!m_rawFont.isValid() || !m_rawFont.supportsCharacter(character))
            continue;
        const QVector<quint32> glyphs = m_rawFont.glyphIndexesForString(QString(character));
        if (glyphs.size() != 1 || glyphs.at(0) == 0)
            continue;
        entry.inFont = true;
        entry.glyph = glyphs.at(0);
        const QRectF ink = m_rawFont.boundingRect(entry.glyph);
        entry.inkLeft = qFloor(ink.left());
        entry.inkTop = qFloor(ink.top());
        entry.inkRight = qCeil(ink.right());
        entry.inkBottom = qCeil(ink.bottom());
    }
}
