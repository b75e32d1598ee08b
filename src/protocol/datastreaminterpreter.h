#ifndef VANTOREL_DATASTREAMINTERPRETER_H
#define VANTOREL_DATASTREAMINTERPRETER_H

#include <QByteArray>
#include <QString>
#include <QVector>

class SavedScreens;
class TerminalScreen;

// The 5250 data stream of one host record, carried out on the presentation
// space. The record's opcode decides the handling; the data of the
// command-carrying opcodes holds 5250 commands, each ESC (0x04) and a command
// code with its operands (IBM 5250 Functions Reference, "5250 data stream
// commands"). Write To Display and Write Error Code walk their orders
// (writeorders.cpp), which move the write position, define fields and write
// characters through TerminalScreen; Save and Restore Screen use the saved
// screens; the read commands only note what the next AID key must answer.
//
// Whatever reaches beyond the screen is not done here but reported, in the
// order it happened: the lines for the protocol log, the alarm, the host's
// invitation to type, an input error, and the answers the host asked for (Save Screen, Read
// Screen, Read Immediate, the 5250 Query, the Cancel Invite echo). The client
// acts on the report once the record is done.
//
// Malformed data is logged and skipped; a truncated order ends its command
// quietly, since the host's data cannot be trusted past it. Nothing is read
// outside the record's bytes.
class DataStreamInterpreter
{
public:
    // One thing the interpreter did beyond the screen.
    struct Step
    {
        enum Kind {
            Log,          // text: a line for the protocol log
            Alarm,        // the host sounded the alarm (CC2 0x04)
            InputInvited, // a read command opened the keyboard: visibleCells, fields at that moment
            Answer,       // a record for the host: opcode, data
            InputError    // Write Error Code inhibited input until Reset
        };
        Kind kind = Log;
        QString text;
        int visibleCells = 0;
        int fields = 0;
        quint8 opcode = 0;
        QByteArray data;
    };

    // Marks a read request the record left as it was.
    static const int READ_MODE_UNCHANGED = -1;

    // One record of a few bytes per command could ask for thousands of
    // answers of a screen each, or thousands of log lines; no host needs
    // more than a handful of either in one record. Past these the rest is
    // counted in the report and skipped, so what a record makes the
    // terminal send, keep and log is bounded whatever the host writes.
    static const int MAX_ANSWERS_PER_RECORD = 8;
    static const int MAX_LOG_LINES_PER_RECORD = 32;

    // The report of one record.
    struct Effects
    {
        QVector<Step> steps;
        // The read the next AID key answers (an AidResponse::ReadMode), 0
        // when the record withdrew it, READ_MODE_UNCHANGED when untouched.
        int readMode = READ_MODE_UNCHANGED;
        // The presentation space or its indicators may have changed.
        bool screenChanged = false;
        // The record carried commands (rather than a control opcode): the
        // client follows it with its after-record step.
        bool commandsRun = false;
        // What the record asked for beyond the per-record bounds and did
        // not get: answers not built and log lines not written.
        int skippedAnswers = 0;
        int skippedLogLines = 0;

        int count(Step::Kind kind) const;
    };

    // `wideScreenOffered`: the terminal offered the 27 x 132 screen, which
    // decides the device the Query Reply describes.
    DataStreamInterpreter(TerminalScreen &screen, SavedScreens &savedScreens, bool wideScreenOffered);

    Effects run(quint8 opcode, const QByteArray &data);

private:
    // The command scanner and the commands (datastreaminterpreter.cpp)
    void scanCommands(const QByteArray &data);
    int processCommand(const QByteArray &data, int index);
    int processStructuredField(const QByteArray &data, int start, int end);
    void answerQuery();

    // Write To Display and its orders (writeorders.cpp)
    int processWriteToDisplay(const QByteArray &data, int index);
    void applyControlCharacters(quint8 cc1, quint8 cc2);
    int processWriteOrders(const QByteArray &data, int start, int end,
                           int *lastCursorOrder = nullptr, int *cursorIndex = nullptr);
    bool setAddress(quint8 row, quint8 column);
    void parseStartOfHeader(const QByteArray &data, int &position, int end);

    void log(const QString &text);
    // Whether one more log line or answer fits this record's bound; when not,
    // the skip is counted, so a caller can leave out building it.
    bool mayLog();
    bool mayAnswer();
    // The record's summary line, written whatever the bound says.
    void logSummary(const QString &text);
    void answer(quint8 opcode, const QByteArray &data);

    TerminalScreen &m_screen;
    SavedScreens &m_savedScreens;
    bool m_wideScreenOffered;
    Effects m_effects;
    int m_logLines = 0;
    int m_answers = 0;
    // The visible cells counted for the last Write To Display's log line,
    // while no command since has changed a cell; -1 when not known.
    int m_countedCells = -1;
};

#endif
