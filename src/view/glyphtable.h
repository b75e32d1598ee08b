#ifndef VANTOREL_GLYPHTABLE_H
#define VANTOREL_GLYPHTABLE_H

#include <QFont>
#include <QRawFont>

// What the painted terminal needs to know about each EBCDIC byte before it
// draws a frame: whether the byte shows a character at all, the font's glyph
// for it and how far that glyph's ink reaches. Looking this up once per font
// and code page takes the text shaping out of the per-cell work; a repaint
// then only reads the table and hands whole runs of glyphs to QPainter.
class GlyphTable
{
public:
    struct Entry
    {
        // Neither null, attribute, control nor blank: the cell draws something.
        bool visible = false;
        // The font itself has the glyph. Otherwise the character is left to
        // QPainter::drawText, which finds it in a fallback font.
        bool inFont = false;
        quint32 glyph = 0;
        // The glyph's bitmap in whole pixels from its origin on the
        // baseline: left and top inclusive, right and bottom exclusive.
        int inkLeft = 0;
        int inkTop = 0;
        int inkRight = 0;
        int inkBottom = 0;
    };

    // Rebuilds the table when the font or the code page differ from the ones
    // it was built for; cheap when neither changed.
    void prepare(const QFont &font, int codePage);

    const Entry &entry(unsigned char byte) const { return m_entries[byte]; }
    const QRawFont &rawFont() const { return m_rawFont; }

private:
    QFont m_font;
    int m_codePage = -1;
    bool m_built = false;
    QRawFont m_rawFont;
    Entry m_entries[256];
};

#endif
