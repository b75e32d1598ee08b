#include "demosession.h"

#include <QAbstractSocket>
#include <QSslCipher>
#include <QSslSocket>
#include <QStringList>

#include "hostilemodes.h"
#include "hostenvironment.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace HostProtocol;

namespace {

// The 5250 Query: Write Structured Field with one structured field of five
// bytes (length 0005, class D9, type 70, flags 00).
const unsigned char QUERY_COMMAND[] = { ESC, CMD_WRITE_STRUCTURED_FIELD, 0x00, 0x05,
                                        SF_CLASS_5250, SF_TYPE_QUERY, 0x00 };

const char DEFAULT_DEVICE_NAME[] = "QPADEV0001";

// Enough for a test to look back over every key of a session.
const int MAX_KEPT_RESPONSES = 500;

QString printable(const QByteArray &bytes)
{
    QString text;
    for (int i = 0; i < bytes.size(); ++i) {
        const quint8 byte = quint8(bytes.at(i));
        if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(char(byte));
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text;
}

} // namespace

DemoSession::DemoSession(int id, QAbstractSocket *socket, const ScreenRegistry &screens, bool waitForTls,
                         const QString &systemName, QObject *parent)
    : QObject(parent)
    , m_id(id)
    , m_socket(socket)
    , m_screens(screens)
    , m_tls(waitForTls)
    , m_phase(waitForTls ? WaitingForTls : Negotiating)
{
    m_screenVariables.insert(QStringLiteral("system"), systemName);
    m_screenVariables.insert(QStringLiteral("subsystem"), QStringLiteral("QINTER"));
    m_screenVariables.insert(QStringLiteral("device"), QLatin1String(DEFAULT_DEVICE_NAME));
    m_screenVariables.insert(QStringLiteral("user"), QString());
    m_screenVariables.insert(QStringLiteral("signonuser"), QString());
    m_screenVariables.insert(QStringLiteral("message"), QString());

    socket->setParent(this);
    connect(socket, SIGNAL(readyRead()), this, SLOT(socketReadyRead()));
    connect(socket, SIGNAL(disconnected()), this, SLOT(socketDisconnected()));
    connect(socket, SIGNAL(error(QAbstractSocket::SocketError)), this, SLOT(socketError()));
}

void DemoSession::begin()
{
    if (!m_socket)
        return;
    if (m_hostile && !m_hostile->begin())
        return;
    if (m_tls)
        connect(m_socket.data(), SIGNAL(encrypted()), this, SLOT(socketEncrypted()));
    else
        start();
}

void DemoSession::log(const QString &text)
{
    emit logMessage(QStringLiteral("[session %1] %2").arg(m_id).arg(text));
}

void DemoSession::start()
{
    m_phase = Negotiating;
    if (m_behaviour == DemoBehaviour::NeverNegotiate) {
        log(QStringLiteral("Staying silent (never negotiates)"));
        return;
    }
    // Like an IBM i: the environment first, so that the device name is known
    // before the terminal type decides the display.
    m_environRequested = true;
    sendCommand(DO, OPT_NEW_ENVIRON);
}

void DemoSession::socketEncrypted()
{
    if (QSslSocket *ssl = qobject_cast<QSslSocket *>(m_socket.data()))
        log(QStringLiteral("TLS established (%1)").arg(ssl->sessionCipher().name()));
    start();
}

void DemoSession::socketError()
{
    if (!m_socket)
        return;
    if (m_phase == WaitingForTls)
        log(QStringLiteral("TLS handshake with the terminal failed: %1").arg(m_socket->errorString()));
    else if (m_socket->error() != QAbstractSocket::RemoteHostClosedError)
        log(QStringLiteral("Socket error: %1").arg(m_socket->errorString()));
}

void DemoSession::socketDisconnected()
{
    if (m_phase == Closed)
        return;
    m_phase = Closed;
    log(QStringLiteral("Terminal disconnected"));
    if (m_socket)
        m_socket->deleteLater();
    emit closed();
}

void DemoSession::close()
{
    if (m_phase == Closed || !m_socket)
        return;
    log(QStringLiteral("Closing the session"));
    // disconnected() follows once the pending data is written.
    m_socket->disconnectFromHost();
}

void DemoSession::socketReadyRead()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    // A silent host does not answer what the terminal offers either.
    if (m_behaviour != DemoBehaviour::NeverNegotiate)
        processBytes(bytes);
}

// One byte at a time, so records and commands may be split over any number
// of reads (RFC 854 command structure; records end at IAC EOR, RFC 885).
void DemoSession::processBytes(const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i) {
        const quint8 byte = quint8(bytes.at(i));
        switch (m_telnetState) {
        case Data:
            if (byte == IAC)
                m_telnetState = Command;
            else
                m_record.append(char(byte));
            break;
        case Command:
            if (byte == IAC) {
                // An escaped 0xFF data byte.
                m_record.append(char(IAC));
                m_telnetState = Data;
            } else if (byte == EOR) {
                const QByteArray record = m_record;
                m_record.clear();
                m_telnetState = Data;
                if (!record.isEmpty())
                    handleRecord(record);
            } else if (byte >= WILL && byte <= DONT) {
                m_verb = byte;
                m_telnetState = Option;
            } else if (byte == SB) {
                m_subnegotiation.clear();
                m_telnetState = Subnegotiation;
            } else {
                // NOP, GA and the like carry nothing for a 5250 host.
                m_telnetState = Data;
            }
            break;
        case Option:
            m_telnetState = Data;
            handleVerb(m_verb, byte);
            break;
        case Subnegotiation:
            if (byte == IAC)
                m_telnetState = SubnegotiationIac;
            else
                m_subnegotiation.append(char(byte));
            break;
        case SubnegotiationIac:
            if (byte == IAC) {
                m_subnegotiation.append(char(IAC));
                m_telnetState = Subnegotiation;
            } else if (byte == SE) {
                const QByteArray payload = m_subnegotiation;
                m_subnegotiation.clear();
                m_telnetState = Data;
                handleSubnegotiation(payload);
            } else {
                log(QStringLiteral("Dropped a subnegotiation ended by IAC 0x%1").arg(byte, 2, 16, QLatin1Char('0')));
                m_subnegotiation.clear();
                m_telnetState = Data;
            }
            break;
        }
        if (m_phase == Closed)
            return;
    }
}

void DemoSession::sendCommand(quint8 verb, quint8 option)
{
    if (!m_socket)
        return;
    const char bytes[] = { char(IAC), char(verb), char(option) };
    writeOut(QByteArray(bytes, 3), false);
    log(QStringLiteral("TELNET TX %1 %2").arg(verbName(verb), optionName(option)));
}

void DemoSession::sendSubnegotiation(quint8 option, const QByteArray &payload)
{
    if (!m_socket)
        return;
    QByteArray bytes;
    bytes.append(char(IAC));
    bytes.append(char(SB));
    bytes.append(char(option));
    bytes.append(escapeIac(payload));
    bytes.append(char(IAC));
    bytes.append(char(SE));
    writeOut(bytes, false);
}

void DemoSession::sendRecord(quint8 opcode, const QByteArray &data)
{
    if (!m_socket)
        return;
    writeOut(frameRecord(opcode, data), true);
    if (m_behaviour == DemoBehaviour::CloseAfterFirstRecord && ++m_recordsSent == 1) {
        log(QStringLiteral("Hanging up after the first record"));
        close();
    }
}

// Everything the host writes; a hostile mode may take it over.
void DemoSession::writeOut(const QByteArray &bytes, bool record)
{
    if (!m_socket)
        return;
    if (m_hostile && m_hostile->divert(bytes, record))
        return;
    m_socket->write(bytes);
}

void DemoSession::refuse(const QString &what)
{
    log(QStringLiteral("The terminal refused %1; a 5250 session needs it").arg(what));
    close();
}

// The answers follow RFC 854's rule against loops: an option already in the
// requested state is not acknowledged again.
void DemoSession::handleVerb(quint8 verb, quint8 option)
{
    log(QStringLiteral("TELNET RX %1 %2").arg(verbName(verb), optionName(option)));
    if (m_reacknowledge && (verb == WILL || verb == DO)
        && (option == OPT_NEW_ENVIRON || option == OPT_TERMINAL_TYPE || option == OPT_BINARY || option == OPT_EOR))
        sendCommand(verb == WILL ? DO : WILL, option);
    switch (verb) {
    case WILL:
        if (option == OPT_NEW_ENVIRON) {
            if (!m_environAgreed) {
                m_environAgreed = true;
                if (!m_environRequested) {
                    m_environRequested = true;
                    sendCommand(DO, OPT_NEW_ENVIRON);
                }
                sendSubnegotiation(OPT_NEW_ENVIRON, HostEnvironment::sendRequest(HostEnvironment::seed()));
                log(QStringLiteral("TELNET TX SB NEW-ENVIRON SEND USERVAR IBMRSEED (seed) VAR USERVAR"));
            }
        } else if (option == OPT_TERMINAL_TYPE) {
            if (!m_terminalTypeAgreed) {
                m_terminalTypeAgreed = true;
                if (!m_terminalTypeRequested) {
                    m_terminalTypeRequested = true;
                    sendCommand(DO, OPT_TERMINAL_TYPE);
                }
                sendSubnegotiation(OPT_TERMINAL_TYPE, QByteArray(1, char(SUB_SEND)));
                log(QStringLiteral("TELNET TX SB TERMINAL-TYPE SEND"));
            }
        } else if (option == OPT_BINARY) {
            if (!m_terminalWillBinary) {
                m_terminalWillBinary = true;
                if (!m_transparentRequested)
                    sendCommand(DO, OPT_BINARY);
            }
        } else if (option == OPT_EOR) {
            if (!m_terminalWillEor) {
                m_terminalWillEor = true;
                if (!m_transparentRequested)
                    sendCommand(DO, OPT_EOR);
            }
        } else {
            sendCommand(DONT, option);
        }
        break;
    case DO:
        if (option == OPT_BINARY) {
            if (!m_terminalDoBinary) {
                m_terminalDoBinary = true;
                if (!m_transparentRequested)
                    sendCommand(WILL, OPT_BINARY);
            }
        } else if (option == OPT_EOR) {
            if (!m_terminalDoEor) {
                m_terminalDoEor = true;
                if (!m_transparentRequested)
                    sendCommand(WILL, OPT_EOR);
            }
        } else {
            sendCommand(WONT, option);
        }
        break;
    case WONT:
        if (option == OPT_NEW_ENVIRON) {
            // Allowed: the session then runs on a generated device name.
            if (m_environAgreed)
                sendCommand(DONT, option);
            m_environAgreed = false;
            m_environDone = true;
        } else if (option == OPT_TERMINAL_TYPE) {
            refuse(QStringLiteral("TERMINAL-TYPE"));
            return;
        } else if (option == OPT_BINARY || option == OPT_EOR) {
            refuse(optionName(option));
            return;
        }
        break;
    case DONT:
        if (option == OPT_BINARY || option == OPT_EOR) {
            refuse(optionName(option));
            return;
        }
        break;
    default:
        break;
    }
    if (m_hostile)
        m_hostile->verbHandled(verb, option);
    advanceNegotiation();
}

void DemoSession::handleSubnegotiation(const QByteArray &bytes)
{
    if (bytes.size() < 2) {
        log(QStringLiteral("Ignored a subnegotiation of %1 bytes").arg(bytes.size()));
        return;
    }
    const quint8 option = quint8(bytes.at(0));
    const quint8 code = quint8(bytes.at(1));
    if (option == OPT_TERMINAL_TYPE && code == SUB_IS) {
        m_terminalType = QString::fromLatin1(bytes.mid(2));
        m_terminalTypeDone = true;
        log(QStringLiteral("Terminal type: %1").arg(m_terminalType));
        advanceNegotiation();
    } else if (option == OPT_NEW_ENVIRON && (code == SUB_IS || code == SUB_INFO)) {
        handleEnvironment(bytes.mid(2));
        m_environDone = true;
        advanceNegotiation();
    } else {
        log(QStringLiteral("Ignored subnegotiation %1 code %2").arg(optionName(option)).arg(code));
    }
}

// RFC 1572: a list of VAR or USERVAR, the name, optionally VALUE and the
// value; ESC makes the next byte literal.
void DemoSession::handleEnvironment(const QByteArray &payload)
{
    m_environment = payload;
    m_environmentVariables.clear();
    QStringList described;
    int i = 0;
    while (i < payload.size()) {
        const quint8 type = quint8(payload.at(i));
        if (type != ENV_VAR && type != ENV_USERVAR) {
            log(QStringLiteral("NEW-ENVIRON: unexpected byte 0x%1 at offset %2")
                    .arg(type, 2, 16, QLatin1Char('0'))
                    .arg(i));
            break;
        }
        ++i;
        QByteArray name;
        QByteArray value;
        QByteArray *target = &name;
        while (i < payload.size()) {
            const quint8 byte = quint8(payload.at(i));
            if (byte == ENV_VAR || byte == ENV_USERVAR)
                break;
            ++i;
            if (byte == ENV_VALUE && target == &name) {
                target = &value;
            } else if (byte == ENV_ESC) {
                if (i < payload.size())
                    target->append(payload.at(i++));
            } else {
                target->append(char(byte));
            }
        }
        const QString key = QStringLiteral("%1 %2")
                                .arg(type == ENV_USERVAR ? QStringLiteral("USERVAR") : QStringLiteral("VAR"),
                                     QString::fromLatin1(name));
        m_environmentVariables.append(qMakePair(key, value));
        described << QStringLiteral("%1=%2").arg(key, printable(value));
        if (type == ENV_USERVAR && name == "DEVNAME" && !value.isEmpty())
            m_screenVariables.insert(QStringLiteral("device"), QString::fromLatin1(value));
    }
    log(QStringLiteral("NEW-ENVIRON IS: %1").arg(described.isEmpty() ? QStringLiteral("(empty)")
                                                                     : described.join(QStringLiteral(", "))));
    int codePage = 37;
    m_environmentCheck = HostEnvironment::check(m_environmentVariables, &codePage);
    m_codec = HostCodec(codePage);
    log(QStringLiteral("NEW-ENVIRON %1").arg(m_environmentCheck.summary()));
}

// Environment, then terminal type, then END-OF-RECORD and BINARY both ways;
// once all four are agreed the 5250 Query goes out.
void DemoSession::advanceNegotiation()
{
    if (m_phase != Negotiating || !m_socket)
        return;
    if (!m_environDone)
        return;
    if (!m_terminalTypeRequested) {
        m_terminalTypeRequested = true;
        sendCommand(DO, OPT_TERMINAL_TYPE);
        return;
    }
    if (!m_terminalTypeDone)
        return;
    if (!m_transparentRequested) {
        m_transparentRequested = true;
        if (!m_terminalWillEor)
            sendCommand(DO, OPT_EOR);
        if (!m_terminalDoEor)
            sendCommand(WILL, OPT_EOR);
        if (!m_terminalWillBinary)
            sendCommand(DO, OPT_BINARY);
        if (!m_terminalDoBinary)
            sendCommand(WILL, OPT_BINARY);
    }
    if (!(m_terminalWillBinary && m_terminalDoBinary && m_terminalWillEor && m_terminalDoEor))
        return;
    m_phase = AwaitingQueryReply;
    log(QStringLiteral("Negotiation complete: %1, code page %2").arg(m_terminalType).arg(m_codec.codePage()));
    emit negotiated();
    if (m_hostile)
        m_hostile->negotiated();
    sendRecord(OPCODE_NO_OPERATION,
               QByteArray(reinterpret_cast<const char *>(QUERY_COMMAND), int(sizeof(QUERY_COMMAND))));
    log(QStringLiteral("Sent 5250 Query"));
}

// TN5250 record header (RFC 1205, RFC 2877): length, 12 A0, reserved,
// variable header length, flags, reserved, opcode.
void DemoSession::handleRecord(const QByteArray &record)
{
    if (record.size() < RECORD_HEADER_LENGTH) {
        log(QStringLiteral("Ignored short record (%1 bytes)").arg(record.size()));
        return;
    }
    const int declared = (quint8(record.at(0)) << 8) | quint8(record.at(1));
    if (declared != record.size() || quint8(record.at(2)) != RECORD_TYPE_HIGH
        || quint8(record.at(3)) != RECORD_TYPE_LOW) {
        log(QStringLiteral("Ignored malformed record (declared %1, received %2)").arg(declared).arg(record.size()));
        return;
    }
    const int variableLength = quint8(record.at(6));
    if (variableLength < 4 || 6 + variableLength > record.size()) {
        log(QStringLiteral("Ignored record with variable header length %1").arg(variableLength));
        return;
    }
    const quint8 flags = quint8(record.at(7));
    const quint8 opcode = quint8(record.at(9));
    const QByteArray data = record.mid(6 + variableLength);

    if (opcode == OPCODE_NO_OPERATION && data.size() >= 7 && quint8(data.at(2)) == AID_STRUCTURED_FIELD
        && quint8(data.at(5)) == SF_CLASS_5250 && quint8(data.at(6)) == SF_TYPE_QUERY) {
        m_queryReply = data;
        // Device type and model in EBCDIC at offsets 30-33 and 35-36.
        const QString device = data.size() >= 37 ? m_codec.decode(data.mid(30, 4)) + QLatin1Char('-')
                                                        + m_codec.decode(data.mid(35, 2))
                                                  : QStringLiteral("(short reply)");
        log(QStringLiteral("Query Reply: %1 bytes, display %2").arg(data.size()).arg(device));
        emit queryReplyReceived();
        if (m_phase == AwaitingQueryReply) {
            m_phase = Serving;
            showScreen(QStringLiteral("signon"));
            if (m_hostile)
                m_hostile->serving();
        }
        return;
    }
    if (opcode == OPCODE_SAVE_SCREEN) {
        // The terminal's answer to Save Screen: a token to hand back.
        m_saveToken = data;
        log(QStringLiteral("Save Screen token: %1 bytes").arg(data.size()));
        if (!m_pendingWindow.isEmpty()) {
            const QString window = m_pendingWindow;
            m_pendingWindow.clear();
            m_underScreen = m_currentScreen;
            m_underLayout = m_currentLayout;
            showScreen(window);
        }
        return;
    }
    if (flags & FLAG_SYSTEM_REQUEST) {
        // The terminal locked its keyboard; give the screen back.
        log(QStringLiteral("System Request"));
        if (m_phase == Serving)
            showScreen(m_currentScreen);
        return;
    }
    if (flags & FLAG_ATTENTION) {
        log(QStringLiteral("Attention"));
        return;
    }
    if (flags & FLAG_TEST_REQUEST) {
        log(QStringLiteral("Test Request"));
        return;
    }
    switch (opcode) {
    case OPCODE_PUT_GET:
    case OPCODE_READ_IMMEDIATE:
        handleReadResponse(opcode, flags, data);
        break;
    case OPCODE_CANCEL_INVITE:
        log(QStringLiteral("Cancel Invite acknowledged"));
        break;
    default:
        log(QStringLiteral("Ignored record with opcode 0x%1 (%2 data bytes)")
                .arg(opcode, 2, 16, QLatin1Char('0'))
                .arg(data.size()));
        break;
    }
}

void DemoSession::handleReadResponse(quint8 opcode, quint8 flags, const QByteArray &data)
{
    ReadResponse response = parseReadResponse(opcode, flags, data, &m_currentLayout, m_codec);
    log(response.describe());
    // Answers to a screen are checked against it; a Read Immediate answer is
    // not tied to an operator's key.
    if (opcode == OPCODE_PUT_GET) {
        response.check = checkReadResponse(response, m_currentLayout, m_noDataKeyMask, m_codec);
        log(response.check.summary());
    }
    m_lastResponse = response;
    m_responses.append(response);
    if (m_responses.size() > MAX_KEPT_RESPONSES)
        m_responses.removeFirst();
    ++m_responseCount;
    emit responseReceived();
    if (!response.valid || opcode != OPCODE_PUT_GET || m_phase != Serving)
        return;
    if (m_holdReplies) {
        m_heldResponses.append(response);
        log(QStringLiteral("Holding the reply to %1").arg(response.aidName()));
        return;
    }
    answer(response);
}

void DemoSession::answer(const ReadResponse &response)
{
    const ScreenDefinition *definition = m_screens.find(m_currentScreen);
    if (!definition || !definition->onAid) {
        showScreen(m_currentScreen);
        return;
    }
    const ScreenReply reply = definition->onAid(*this, response);
    if (m_phase == Closed)
        return;
    switch (reply.kind) {
    case ScreenReply::Disconnect:
        close();
        break;
    case ScreenReply::InputError:
        sendInputError(reply.message);
        break;
    case ScreenReply::Window:
        openWindow(reply.screen);
        break;
    case ScreenReply::CloseWindow:
        closeWindow();
        break;
    case ScreenReply::Show:
        showScreen(reply.screen.isEmpty() ? m_currentScreen : reply.screen, reply.message, reply.rollLines);
        break;
    }
}

// The message as an IBM i writes it on the error line: high intensity from
// the line's second column, then Read MDT Fields again, so that the fields
// the operator corrects after Reset come back with the next key.
void DemoSession::sendInputError(const QString &message)
{
    QByteArray data;
    data.append(char(ESC));
    data.append(char(CMD_WRITE_ERROR_CODE));
    data.append(char(ATTR_HIGH));
    data.append(m_codec.encode(message));
    data.append(char(ATTR_NORMAL));
    data.append(char(ESC));
    data.append(char(CMD_READ_MDT_FIELDS));
    data.append(char(0x00));
    data.append(char(0x00));
    sendRecord(OPCODE_PUT_GET, data);
    log(QStringLiteral("Sent Write Error Code: %1").arg(message));
}

void DemoSession::openWindow(const QString &name)
{
    m_pendingWindow = name;
    const char save[] = { char(ESC), char(CMD_SAVE_SCREEN) };
    sendRecord(OPCODE_SAVE_SCREEN, QByteArray(save, 2));
    log(QStringLiteral("Sent Save Screen for window %1").arg(name));
}

void DemoSession::closeWindow()
{
    if (m_underScreen.isEmpty() || m_saveToken.isEmpty()) {
        log(QStringLiteral("No window to close"));
        showScreen(m_currentScreen);
        return;
    }
    // The token as the terminal gave it: ESC, Restore Screen and its own bytes.
    sendRecord(OPCODE_RESTORE_SCREEN, m_saveToken);
    m_currentScreen = m_underScreen;
    m_currentLayout = m_underLayout;
    m_underScreen.clear();
    const char read[] = { char(ESC), char(CMD_READ_MDT_FIELDS), 0x00, 0x00 };
    sendRecord(OPCODE_PUT_GET, QByteArray(read, 4));
    log(QStringLiteral("Sent Restore Screen: back to %1").arg(m_currentScreen));
    emit screenShown(m_currentScreen);
}

void DemoSession::setMessageWaiting(bool on)
{
    m_messageWaiting = on;
    sendRecord(on ? OPCODE_MESSAGE_LIGHT_ON : OPCODE_MESSAGE_LIGHT_OFF, QByteArray());
    log(on ? QStringLiteral("Message waiting light on") : QStringLiteral("Message waiting light off"));
}

void DemoSession::setHoldReplies(bool hold)
{
    if (hold == m_holdReplies)
        return;
    m_holdReplies = hold;
    log(hold ? QStringLiteral("Holding replies") : QStringLiteral("Releasing replies"));
    // A handler may turn holding on again; what is left then stays held.
    while (!m_holdReplies && !m_heldResponses.isEmpty() && m_phase == Serving)
        answer(m_heldResponses.takeFirst());
}

void DemoSession::showScreen(const QString &name, const QString &message, int rollLines)
{
    const ScreenDefinition *definition = m_screens.find(name);
    if (!definition) {
        log(QStringLiteral("No screen named \"%1\"").arg(name));
        return;
    }
    ScreenDescription layout = definition->layout;
    if (definition->prepare)
        definition->prepare(layout, *this);
    m_screenVariables.insert(QStringLiteral("message"), message);
    const bool roll = rollLines != 0 && name == m_currentScreen && layout.rollTop > 0;
    const QByteArray data = roll ? buildRollStream(layout, rollLines, m_screenVariables, m_codec)
                                 : buildScreenStream(layout, m_screenVariables, m_codec);
    sendRecord(OPCODE_PUT_GET, data);
    // The terminal keeps a Start of Header's no-data keys until the next one.
    if (!layout.header.isEmpty())
        m_noDataKeyMask = noDataKeyMaskAfterHeader(layout.header, m_noDataKeyMask);
    m_currentScreen = name;
    m_currentLayout = layout;
    ++m_screensSent;
    log(QStringLiteral("Sent screen %1 (%2 data bytes%3)")
            .arg(name)
            .arg(data.size())
            .arg(roll ? QStringLiteral(", rolled %1 rows").arg(rollLines) : QString()));
    emit screenShown(name);
}
