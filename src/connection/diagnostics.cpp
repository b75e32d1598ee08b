// The protocol log and the support report. Every subsystem reports notable
// events here through appendDiagnostic; the interface shows the log, clears
// it and copies a support report (settings and counters, then the log) to
// the clipboard. The log lives only in memory and never holds a password:
// the callers log redacted texts only.
#include "app/tn5250client.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTime>

#include "codec/ebcdiccodec.h"

namespace {

// The log is cut back to its tail once it grows past the high mark, so that
// a chatty host cannot make it grow without bound; cutting well below the
// mark keeps the copying rare.
const int LOG_HIGH_MARK = 24000;
const int LOG_KEPT_AFTER_CUT = 18000;

QString onOff(bool value)
{
    return value ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

void Tn5250Client::appendDiagnostic(const QString &text)
{
    // Time and text are filled in one step, so a "%1" in the text stays as
    // it is.
    m_diagnostics += QStringLiteral("[%1] %2\n").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), text);
    if (m_diagnostics.size() > LOG_HIGH_MARK)
        m_diagnostics = m_diagnostics.right(LOG_KEPT_AFTER_CUT);
    emit diagnosticsChanged();
}

void Tn5250Client::clearDiagnostics()
{
    if (m_diagnostics.isEmpty())
        return;
    m_diagnostics.clear();
    emit diagnosticsChanged();
}

void Tn5250Client::copyDiagnostics()
{
    QStringList lines;
    lines << QStringLiteral("Vantorel %1 support report").arg(version());
    lines << QStringLiteral("Profile: %1").arg(m_currentProfileName);
    lines << QStringLiteral("State: %1").arg(m_connectionState);
    lines << QStringLiteral("Transport: %1").arg(m_tlsEnabled ? QStringLiteral("TN5250/TLS") : QStringLiteral("TN5250"));
    lines << QStringLiteral("Display: %1x%2, cursor %3,%4, zoom %5%")
                 .arg(rows())
                 .arg(columns())
                 .arg(cursorRow())
                 .arg(cursorColumn())
                 .arg(qRound(m_terminalZoom * 100));
    lines << QStringLiteral("Code page: %1").arg(EbcdicCodec::codePageLabel(m_codePage));
    lines << QStringLiteral("Auto reconnect: %1; auto sign-on: %2; saved credential: %3")
                 .arg(onOff(m_autoReconnect), onOff(m_autoLogin),
                      m_passwordSaved ? QStringLiteral("yes") : QStringLiteral("no"));
    lines << QStringLiteral("Records: %1; last record bytes: %2; input fields: %3")
                 .arg(m_rxRecordCount)
                 .arg(m_lastRecordBytes)
                 .arg(m_screen.fields.size());
    if (!m_lastErrorCategory.isEmpty())
        lines << QStringLiteral("Last error: %1 — %2").arg(m_lastErrorCategory, m_lastErrorDetail);
    if (!m_tlsProtocol.isEmpty() || !m_tlsCipher.isEmpty())
        lines << QStringLiteral("TLS: %1 / %2").arg(m_tlsProtocol, m_tlsCipher);
    lines << QStringLiteral("Settings schema: %1").arg(settingsSchemaVersion());
    lines << QString();
    lines << QStringLiteral("Protocol log:");
    const QString log = m_diagnostics.trimmed();
    lines << (log.isEmpty() ? QStringLiteral("(empty)") : log);

    // A QCoreApplication (no GUI) has no clipboard; the status is set anyway.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(lines.join(QLatin1Char('\n')), QClipboard::Clipboard);
    }
    setStatus(tr("Support report copied"));
}
