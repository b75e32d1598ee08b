// The client's side of the host connection's data: one way in, one way out.
// Bytes from the socket go to the telnet parser; its events come back here.
// Negotiation commands and subnegotiations are answered as TelnetOptions
// decides; every complete record has its header checked by the record
// framer, counted, and its data run by the data-stream interpreter on the
// presentation space. What the interpreter reports is then acted on in order
// (log lines, the alarm, the status, the answers), followed by the one step
// after each record (afterRecord). Everything the terminal sends leaves
// through sendRecord or, outside records, sendTelnet. The display self-test
// runs its stream through the same path.
#include "app/tn5250client.h"

#include <QAbstractSocket>

#include "protocol/datastream.h"
#include "protocol/recordframer.h"
#include "protocol/selftest.h"
#include "protocol/telnetcodes.h"
#include "settings/devicename.h"

void Tn5250Client::socketReadyRead()
{
    // A socket that was dropped may still deliver a queued signal; only the
    // current connection's bytes are ours.
    QObject *from = sender();
    if (!m_socket || (from && from != m_socket.data()))
        return;
    processTelnetBytes(m_socket->readAll());
}

// What a record makes the client do may end the connection (a QML handler
// that disconnects or connects again as the state changes): the rest of
// these bytes belong to the connection that is gone, and the parser, reset
// for the new one meanwhile, starts that one from a clean state once more.
void Tn5250Client::processTelnetBytes(const QByteArray &bytes)
{
    m_feedSerial = m_connectionSerial;
    m_telnetParser.feed(bytes, *this);
    if (!stillCurrent(m_feedSerial))
        m_telnetParser.reset();
}

void Tn5250Client::telnetRecord(const QByteArray &record)
{
    if (stillCurrent(m_feedSerial))
        processRecord(record);
}

void Tn5250Client::telnetNegotiation(quint8 verb, quint8 option)
{
    if (!stillCurrent(m_feedSerial))
        return;
    const TelnetOptions::Answer answer = m_telnetOptions.answer(verb, option);
    appendDiagnostic(answer.received);
    if (answer.reply.isEmpty())
        return;
    sendTelnet(answer.reply, answer.sent);
    if (answer.agreed)
        setStatus(tr("Connected — waiting for IBM i display"));
}

void Tn5250Client::telnetSubnegotiation(const QByteArray &bytes)
{
    if (!stillCurrent(m_feedSerial))
        return;
    const TelnetOptions::Request request = TelnetOptions::request(bytes);
    // A request for an option the terminal has not agreed to is the host's
    // mistake; answering it would claim the option after all (RFC 855).
    if (request != TelnetOptions::NoRequest && !m_telnetOptions.localEnabled(quint8(bytes.at(0)))) {
        appendDiagnostic(QStringLiteral("Ignored %1 SEND: the option is not enabled")
                             .arg(TelnetOptions::optionName(quint8(bytes.at(0)))));
        return;
    }
    switch (request) {
    case TelnetOptions::TerminalTypeRequest:
        sendTelnet(TelnetOptions::subnegotiation(Telnet::OPT_TERMINAL_TYPE, TelnetOptions::terminalTypeIs(support132())));
        appendDiagnostic(QStringLiteral("Terminal type: %1").arg(QLatin1String(TelnetOptions::terminalType(support132()))));
        break;
    case TelnetOptions::EnvironmentRequest: {
        const TelnetOptions::EnvironmentAnswer answer =
            TelnetOptions::environmentIs(bytes, sanitizeDeviceName(deviceName()), codePage());
        if (answer.skippedBytes > 0)
            appendDiagnostic(QStringLiteral("Malformed NEW-ENVIRON SEND: %1 bytes name no variable")
                                 .arg(answer.skippedBytes));
        if (!answer.deviceName.isEmpty())
            appendDiagnostic(QStringLiteral("Requested IBM i device name: %1").arg(answer.deviceName));
        if (answer.codePageSent) {
            const Telnet::NationalLanguage &language = TelnetOptions::nationalLanguage(codePage());
            appendDiagnostic(QStringLiteral("Requested EBCDIC code page %1 (keyboard %2, character set %3)")
                                 .arg(language.codePage)
                                 .arg(QLatin1String(language.keyboardType), QLatin1String(language.characterSet)));
        }
        for (const QString &variable : answer.missing)
            appendDiagnostic(QStringLiteral("NEW-ENVIRON: no value for %1").arg(variable));
        sendTelnet(TelnetOptions::subnegotiation(Telnet::OPT_NEW_ENVIRON, answer.payload));
        break;
    }
    case TelnetOptions::NoRequest:
        break;
    }
}

void Tn5250Client::telnetDropped(const QString &diagnostic)
{
    if (stillCurrent(m_feedSerial))
        appendDiagnostic(diagnostic);
}

void Tn5250Client::startNegotiation()
{
    if (!m_socket || m_negotiationStarted)
        return;
    const quint32 serial = m_connectionSerial;
    m_negotiationStarted = true;
    if (!m_connected) {
        m_connected = true;
        emit connectedChanged();
        if (!stillCurrent(serial))
            return;
    }
    setConnectionState(QStringLiteral("Negotiating"));
    if (!stillCurrent(serial))
        return;
    setStatus(tr("Negotiating TN5250…"));
    if (!stillCurrent(serial))
        return;
    // The one option the terminal offers unasked: it lets the host ask for
    // the device name, keyboard type and code page (RFC 4777). The host's
    // DO then acknowledges it and is not answered again (RFC 1143).
    QString sent;
    const QByteArray offer = m_telnetOptions.offer(Telnet::OPT_NEW_ENVIRON, &sent);
    if (!offer.isEmpty())
        sendTelnet(offer, sent);
}

// Without a socket nothing is written and nothing logged.
void Tn5250Client::sendTelnet(const QByteArray &bytes, const QString &logLine)
{
    if (!m_socket)
        return;
    m_socket->write(bytes);
    if (!logLine.isEmpty())
        appendDiagnostic(logLine);
}

void Tn5250Client::processRecord(const QByteArray &record)
{
    const RecordFramer::Received received = RecordFramer::parse(record);
    if (!received.accepted) {
        appendDiagnostic(received.rejection);
        return;
    }
    const quint32 serial = m_connectionSerial;
    ++m_rxRecordCount;
    m_lastRecordBytes = received.size;
    sessionEstablished();
    if (!stillCurrent(serial))
        return;
    emit protocolStatsChanged();
    if (!stillCurrent(serial))
        return;
    appendDiagnostic(RecordFramer::receivedLine(received));
    if (stillCurrent(serial))
        process5250Data(received.opcode, received.data);
}

void Tn5250Client::sendRecord(quint8 opcode, const QByteArray &data, quint8 flags)
{
    if (!m_socket)
        return;
    if (!RecordFramer::fits(data.size())) {
        appendDiagnostic(RecordFramer::refusedLine(data.size()));
        return;
    }
    m_socket->write(RecordFramer::wire(opcode, data, flags));
    appendDiagnostic(RecordFramer::sentLine(opcode, data.size(), flags));
}

void Tn5250Client::process5250Data(quint8 opcode, const QByteArray &data)
{
    DataStreamInterpreter interpreter(m_screen, m_savedScreens, support132());
    afterRecord(interpreter.run(opcode, data));
}

// What the record did beyond the screen, in the order it did it; then the
// one step after each record: presentation changed, views notified, the
// automatic sign-on check, the type-ahead replay. The last two answer the
// host from here, never from inside the interpreter.
void Tn5250Client::afterRecord(const DataStreamInterpreter::Effects &effects)
{
    typedef DataStreamInterpreter::Step Step;
    const quint32 serial = m_connectionSerial;
    if (effects.readMode != DataStreamInterpreter::READ_MODE_UNCHANGED)
        m_pendingReadMode = effects.readMode;
    for (const Step &step : effects.steps) {
        if (!stillCurrent(serial))
            return;
        switch (step.kind) {
        case Step::Log:
            appendDiagnostic(step.text);
            break;
        case Step::Alarm:
            emit terminalBell();
            break;
        case Step::InputInvited:
            // A read after Write Error Code leaves the keyboard to Reset.
            if (m_screen.inputError)
                setStatus(tr("Input error — press Reset"));
            else if (step.visibleCells != 0 || step.fields != 0)
                setStatus(tr("Connected — input ready • %1 chars • %2 fields").arg(step.visibleCells).arg(step.fields));
            else
                setStatus(tr("IBM i requested input, but decoded screen is empty • RX %1").arg(m_rxRecordCount));
            break;
        case Step::Answer:
            sendRecord(step.opcode, step.data, 0);
            break;
        case Step::InputError:
            // Keys typed ahead assumed the screen the host just refused.
            m_typeAheadQueue.clear();
            setStatus(tr("Input error — press Reset"));
            break;
        }
    }
    if (!stillCurrent(serial))
        return;
    if (effects.screenChanged)
        emit screenChanged();
    if (!effects.commandsRun || !stillCurrent(serial))
        return;
    // First what the host made of a saved sign-on, then (on a sign-on screen
    // still waiting) the automatic one.
    checkSignOnAnswer();
    if (stillCurrent(serial))
        maybeAutoLogin();
    if (stillCurrent(serial))
        drainTypeAhead();
}

void Tn5250Client::showDisplayTest()
{
    if (m_connected) {
        setStatus(tr("Disconnect before running the display self-test"));
        return;
    }
    resetProtocolState();
    // Exactly as if a Put/Get record with this data had arrived; no header
    // is built, so the record counters stay at zero.
    process5250Data(DataStream::OP_PUT_GET, SelfTest::stream());
    setStatus(tr("5250 self-test — parser/render ready • %1 chars • %2 fields")
                  .arg(visibleCellCount())
                  .arg(m_screen.fields.size()));
    appendDiagnostic(QStringLiteral("Local 5250 parser/display self-test shown (no host data)"));
}
