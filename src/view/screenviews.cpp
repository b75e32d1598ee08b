// What the QML page reads instead of the cells: the screen as text, the
// input fields cut into one segment per row, and the tappable hotspots.
// Everything is derived from the presentation space at each read, so it can
// never disagree with what the painted item shows.
#include "app/tn5250client.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QVariantMap>

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

QString Tn5250Client::terminalText() const
{
    return screenText();
}

// Nondisplay cells (passwords) are always blanked: this text reaches the
// interface, the clipboard and the hotspot search.
QString Tn5250Client::screenText() const
{
    return m_screen.plainText(true);
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
    QVariantList segments;
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
    QVariantList hotspots;
    if (!hotspotsEnabled() || m_screen.columns <= 0)
        return hotspots;

    static const QRegularExpression functionKey(QLatin1String(FUNCTION_KEY_PATTERN),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression address(QLatin1String(ADDRESS_PATTERN),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString functionKind = QStringLiteral("function");
    const QString addressKind = QStringLiteral("url");

    const QStringList lines = screenText().split(QLatin1Char('\n'));
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
