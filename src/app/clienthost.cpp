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
//
// A host cannot make this path hold the interface or fill the memory: the
// socket's bytes are parsed for a bounded time per turn of the event loop
// and the rest continues in the next turn, in order (readHostData); the
// socket holds only so much unread, after which TCP holds the host back;
// the interpreter bounds what one record makes the terminal answer and log;
// and a host that does not read what it asked for loses the connection once
// the unsent output passes a bound (checkUnsentOutput).
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QTimer>

#include "protocol/datastream.h"
#include "protocol/recordframer.h"
#include "protocol/selftest.h"
#include "protocol/telnetcodes.h"
#include "settings/devicename.h"

namespace {

// The socket is read in slices of this size...
const qint64 HOST_READ_SLICE_BYTES = 64 * 1024;
// ...and parsing stops after the record or command that ends past the turn's
// time (Tn5250Client::HOST_TURN_MS), so that painting and the operator's
// keys get their turn.
// What the socket may hold unread. Far above any burst of screens; past it
// the socket stops reading and TCP flow control holds the host back.
const qint64 HOST_READ_BUFFER_BYTES = 1024 * 1024;
// Output still waiting for the host. A real host reads every answer long
// before this much piles up; one that does not is flooding the terminal
// with requests it does not read.
const qint64 MAX_UNSENT_BYTES = 4 * 1024 * 1024;

} // namespace

void limitReadBuffer(QAbstractSocket *socket)
{
    if (socket)
        socket->setReadBufferSize(HOST_READ_BUFFER_BYTES);
}

void Tn5250Client::socketReadyRead()
{
    // A socket that was dropped may still deliver a queued signal; only the
    // current connection's bytes are ours.
    QObject *from = sender();
    if (!m_socket || (from && from != m_socket.data()))
        return;
    // A continuation is due: it reads what arrived now after what it holds.
    if (m_hostDataTimer->isActive())
        return;
    readHostData();
}

// One turn's share of the host's data: slices of the socket, parsed until
// the socket is empty or the turn's time is up, then the rest in the next
// turn. Bytes read from a socket that is no longer current are dropped.
void Tn5250Client::readHostData()
{
    QAbstractSocket *socket = m_socket.data();
    if (!socket || m_unparsedFrom.data() != socket) {
        m_unparsedHostBytes.clear();
        m_unparsedOffset = 0;
    }
    if (!socket)
        return;
    m_hostTurn.start();
    for (;;) {
        if (m_unparsedOffset >= m_unparsedHostBytes.size()) {
            m_unparsedHostBytes.clear();
            m_unparsedOffset = 0;
            if (socket->bytesAvailable() <= 0)
                return;
            m_unparsedHostBytes = socket->read(HOST_READ_SLICE_BYTES);
            m_unparsedFrom = socket;
        }
        m_unparsedOffset = feedHostBytes(m_unparsedHostBytes, m_unparsedOffset, true);
        if (m_socket.data() != socket) {
            // The connection ended inside this slice.
            m_unparsedHostBytes.clear();
            m_unparsedOffset = 0;
            return;
        }
        if (hostTurnOver()) {
            m_hostDataTimer->start();
            return;
        }
    }
}

void Tn5250Client::processTelnetBytes(const QByteArray &bytes)
{
    feedHostBytes(bytes, 0, false);
}

// What a record makes the client do may end the connection (a QML handler
// that disconnects or connects again as the state changes): the rest of
// these bytes belong to the connection that is gone, and the parser, reset
// for the new one meanwhile, starts that one from a clean state once more.
int Tn5250Client::feedHostBytes(const QByteArray &bytes, int from, bool budgeted)
{
    m_feedingSocket = m_socket.data();
    m_feedBudgeted = budgeted;
    m_feedSerial = m_connectionSerial;
    const int next = m_telnetParser.feed(bytes, *this, from);
    if (!stillCurrent(m_feedSerial))
        m_telnetParser.reset();
    return next;
}

bool Tn5250Client::telnetPaused()
{
    // The client ended the connection inside this feed: nothing more of its
    // data is acted on.
    if (!stillCurrent(m_feedSerial) || m_socket.data() != m_feedingSocket)
        return true;
    return m_feedBudgeted && hostTurnOver();
}

bool Tn5250Client::hostTurnOver() const
{
    return m_hostTurn.elapsed() >= m_hostTurnMs;
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
    checkUnsentOutput();
}

// A host that keeps asking for answers and never reads them would make the
// terminal's output grow without end. Past the bound the connection ends
// with its own error category. No reconnect is scheduled: waiting does not
// mend a host that floods the terminal with requests it does not read, and
// every retry would run into the same flood; the user connects again when
// the host is fixed, as after the other failures that cannot pass by
// themselves.
void Tn5250Client::checkUnsentOutput()
{
    if (!m_socket)
        return;
    const qint64 unsent = m_socket->bytesToWrite();
    if (unsent <= MAX_UNSENT_BYTES)
        return;
    const QString category = tr("Host not reading");
    const QString detail = tr("More than %1 MB of the terminal's output waited unsent").arg(MAX_UNSENT_BYTES >> 20);
    appendDiagnostic(QStringLiteral("Host is not reading: %1 bytes of output unsent, connection ended without reconnect")
                         .arg(unsent));
    m_connectionErrorReported = true;
    m_connectionTimer->stop();
    dropSocket(true);
    setLastError(category, detail);
    setStatus(tr("%1: %2").arg(category, detail));
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
    }
    clearSessionPresentation();
    setConnectionState(QStringLiteral("Error"));
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

bool Tn5250Client::sendRecord(quint8 opcode, const QByteArray &data, quint8 flags)
{
    if (!m_socket)
        return false;
    if (!RecordFramer::fits(data.size())) {
        appendDiagnostic(RecordFramer::refusedLine(data.size()));
        return false;
    }
    const quint32 serial = m_connectionSerial;
    QAbstractSocket *const socket = m_socket.data();
    socket->write(RecordFramer::wire(opcode, data, flags));
    // On its way before the views and the log react to the key: what the
    // operator waits for is the host's answer. A write error found here
    // ends the connection at once.
    socket->flush();
    if (!stillCurrent(serial) || m_socket.data() != socket)
        return false;
    appendDiagnostic(RecordFramer::sentLine(opcode, data.size(), flags));
    checkUnsentOutput();
    return stillCurrent(serial) && m_socket.data() == socket;
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
    // An answer may end the connection (checkUnsentOutput); what is left of
    // the record then belongs to a session that is over.
    QAbstractSocket *const socket = m_socket.data();
    for (const Step &step : effects.steps) {
        if (!stillCurrent(serial) || m_socket.data() != socket)
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
    if (!stillCurrent(serial) || m_socket.data() != socket)
        return;
    if (effects.skippedAnswers > 0) {
        appendDiagnostic(QStringLiteral("Skipped %1 answers of this record beyond the first %2")
                             .arg(effects.skippedAnswers)
                             .arg(DataStreamInterpreter::MAX_ANSWERS_PER_RECORD));
    }
    if (effects.skippedLogLines > 0)
        appendDiagnostic(QStringLiteral("Left %1 more lines of this record out of the log").arg(effects.skippedLogLines));
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
