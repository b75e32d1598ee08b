#include "interpretedscreen.h"

#include "protocol/recordframer.h"

void InterpretedScreen::run(quint8 opcode, const QByteArray &data)
{
    typedef DataStreamInterpreter::Step Step;
    DataStreamInterpreter interpreter(screen, savedScreens, wideScreenOffered);
    last = interpreter.run(opcode, data);
    if (last.readMode != DataStreamInterpreter::READ_MODE_UNCHANGED)
        pendingReadMode = last.readMode;
    for (const Step &step : last.steps) {
        switch (step.kind) {
        case Step::Log:
            log << step.text;
            break;
        case Step::Alarm:
            ++alarms;
            break;
        case Step::InputInvited:
            invitations << QStringLiteral("%1, %2").arg(step.visibleCells).arg(step.fields);
            break;
        case Step::Answer:
            m_sent += RecordFramer::wire(step.opcode, step.data, 0);
            break;
        }
    }
    if (last.screenChanged)
        ++screenChanges;
}

void InterpretedScreen::runRecord(const QByteArray &record)
{
    const RecordFramer::Received received = RecordFramer::parse(record);
    if (!received.accepted) {
        log << received.rejection;
        return;
    }
    log << RecordFramer::receivedLine(received);
    run(received.opcode, received.data);
}

QByteArray InterpretedScreen::takeSent()
{
    QByteArray sent;
    sent.swap(m_sent);
    return sent;
}

QStringList InterpretedScreen::logStartingWith(const QString &prefix) const
{
    QStringList matching;
    for (const QString &line : log) {
        if (line.startsWith(prefix))
            matching << line;
    }
    return matching;
}
