// The protocol log and the support report. Every part of the client reports
// notable events through appendDiagnostic into the ProtocolLog; the interface
// shows the log, clears it and copies a support report (settings and
// counters, then the log) to the clipboard.
#include "app/tn5250client.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include "codec/ebcdiccodec.h"

namespace {

QString onOff(bool value)
{
    return value ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

void Tn5250Client::appendDiagnostic(const QString &text)
{
    m_log.append(text);
    emit diagnosticsChanged();
}

void Tn5250Client::clearDiagnostics()
{
    if (m_log.clear())
        emit diagnosticsChanged();
}

void Tn5250Client::copyDiagnostics()
{
    QStringList lines;
    lines << QStringLiteral("Vantorel %1 support report").arg(version());
    lines << QStringLiteral("Profile: %1").arg(currentProfileName());
    lines << QStringLiteral("State: %1").arg(m_connectionState);
    lines << QStringLiteral("Transport: %1").arg(tlsEnabled() ? QStringLiteral("TN5250/TLS") : QStringLiteral("TN5250"));
    lines << QStringLiteral("Display: %1x%2, cursor %3,%4, zoom %5%")
                 .arg(rows())
                 .arg(columns())
                 .arg(cursorRow())
                 .arg(cursorColumn())
                 .arg(qRound(terminalZoom() * 100));
    lines << QStringLiteral("Code page: %1").arg(EbcdicCodec::codePageLabel(codePage()));
    lines << QStringLiteral("Auto reconnect: %1; auto sign-on: %2; saved credential: %3")
                 .arg(onOff(autoReconnect()), onOff(autoLogin()),
                      passwordSaved() ? QStringLiteral("yes") : QStringLiteral("no"));
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
    const QString log = m_log.text().trimmed();
    lines << (log.isEmpty() ? QStringLiteral("(empty)") : log);

    // A QCoreApplication (no GUI) has no clipboard; the status is set anyway.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(lines.join(QLatin1Char('\n')), QClipboard::Clipboard);
    }
    setStatus(tr("Support report copied"));
}
