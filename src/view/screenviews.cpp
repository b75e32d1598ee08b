// What the QML page reads instead of the cells: the screen as text, the
// input fields cut into one segment per row, and the tappable hotspots.
// Everything is derived from the presentation space, so it can never
// disagree with what the painted item shows. The page reads all of them on
// every screenChanged(), and the text twice (itself and for the hotspots):
// each is built once and kept until the screen's cells, attributes, fields,
// size or code page change.
#include "app/tn5250client.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QVariantMap>

#include "codec/ebcdiccodec.h"

namespace {

// Function-key labels as IBM i screens print them ("F3=Exit", "F12 =Cancel"):
// only F1 to F24 exist on a 5250 keyboard, and the F must start a word.
const char FUNCTION_KEY_PATTERN[] = "\\bF([1-9]|1[0-9]|2[0-4])\\s*=";
// A web address runs to the next blank or angle bracket (addresses are often
// shown as <http://...>).
const char ADDRESS_PATTERN[] = "https?://[^\\s<>]+";

QVariantMap hotspot(int row, int column, int length, const QString &kind, const QVariant &value)
{
    QVariantMap map;
    map.insert(QStringLiteral("row"), row);
    map.insert(QStringLiteral("column"), column);
    map.insert(QStringLiteral("length"), length);
    map.insert(QStringLiteral("kind"), kind);
    map.insert(QStringLiteral("value"), value);
    return map;
}

} // namespace

// The screen's buffers are implicitly shared with the copy kept here, so any
// write to them since detaches them: the same data pointer means the same
// contents, without comparing a byte.
Tn5250Client::ScreenViews &Tn5250Client::currentViews() const
{
    ScreenViews &views = m_views;
    const TerminalScreen &kept = views.screen;
    const bool same = views.codePage == EbcdicCodec::codePage() && kept.rows == m_screen.rows
        && kept.columns == m_screen.columns && kept.data.constData() == m_screen.data.constData()
        && kept.attributes.constData() == m_screen.attributes.constData()
        && kept.fields.constData() == m_screen.fields.constData() && kept.fields.size() == m_screen.fields.size();
    if (!same) {
        views.screen = m_screen;
        views.codePage = EbcdicCodec::codePage();
        views.hasText = false;
        views.hasSegments = false;
        views.hasHotspots = false;
        views.text.clear();
        views.segments.clear();
        views.hotspots.clear();
    }
    return views;
}

QString Tn5250Client::terminalText() const
{
    return screenText();
}

// Nondisplay cells (passwords) are always blanked: this text reaches the
// interface, the clipboard and the hotspot search.
QString Tn5250Client::screenText() const
{
    ScreenViews &views = currentViews();
    if (!views.hasText) {
        views.text = m_screen.plainText(true);
        views.hasText = true;
    }
    return views.text;
}

void Tn5250Client::copyScreen()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(screenText(), QClipboard::Clipboard);
    }
    setStatus(tr("Screen copied (password fields redacted)"));
}

QVariantList Tn5250Client::inputFieldSegments() const
{
    ScreenViews &views = currentViews();
    if (views.hasSegments)
        return views.segments;
    QVariantList &segments = views.segments;
    views.hasSegments = true;
    const int columns = m_screen.columns;
    const int total = m_screen.rows * columns;
    if (columns <= 0 || total <= 0)
        return segments;

    for (const TerminalScreen::Field &field : m_screen.fields) {
        if (field.bypass())
            continue;
        int position = field.start;
        int remaining = field.length;
        // One segment per row the field touches; a field running past the
        // last cell is cut there rather than wrapped to the top.
        while (remaining > 0 && position >= 0 && position < total) {
            const int column = position % columns;
            const int length = qMin(remaining, columns - column);
            QVariantMap segment;
            segment.insert(QStringLiteral("row"), position / columns + 1);
            segment.insert(QStringLiteral("column"), column + 1);
            segment.insert(QStringLiteral("length"), length);
            segment.insert(QStringLiteral("nondisplay"), m_screen.isNondisplayAt(position));
            segments.append(segment);
            position += length;
            remaining -= length;
        }
    }
    return segments;
}

QVariantList Tn5250Client::hotspotSegments() const
{
    if (!hotspotsEnabled() || m_screen.columns <= 0)
        return QVariantList();
    ScreenViews &views = currentViews();
    if (views.hasHotspots)
        return views.hotspots;
    const QString text = screenText();
    QVariantList &hotspots = views.hotspots;
    views.hasHotspots = true;

    static const QRegularExpression functionKey(QLatin1String(FUNCTION_KEY_PATTERN),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression address(QLatin1String(ADDRESS_PATTERN),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString functionKind = QStringLiteral("function");
    const QString addressKind = QStringLiteral("url");

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        QRegularExpressionMatchIterator keys = functionKey.globalMatch(line);
        while (keys.hasNext()) {
            const QRegularExpressionMatch match = keys.next();
            hotspots.append(hotspot(i + 1, match.capturedStart() + 1, match.capturedLength(),
                                    functionKind, match.captured(1).toInt()));
        }
        QRegularExpressionMatchIterator addresses = address.globalMatch(line);
        while (addresses.hasNext()) {
            const QRegularExpressionMatch match = addresses.next();
            hotspots.append(hotspot(i + 1, match.capturedStart() + 1, match.capturedLength(),
                                    addressKind, match.captured()));
        }
    }
    return hotspots;
}
