#ifndef VANTOREL_DEMOHOST_READRESPONSE_H
#define VANTOREL_DEMOHOST_READRESPONSE_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

class HostCodec;
struct ScreenDescription;

// One field of a read response: the terminal sends SBA row column and the
// field's data for each field it returns (IBM 5250 data stream reference,
// Read MDT Fields).
struct ResponseField
{
    int row = 0;
    int column = 0;
    QByteArray data;      // as received (EBCDIC)
    QString text;         // decoded, trailing blanks and nulls removed
    QString name;         // the screen field starting there, if any
    bool nondisplay = false;
};

// The host's verdict on one read response: everything in it that the screen
// it answers does not allow (see checkReadResponse). Problems name positions
// and sizes, never the contents of a nondisplay field.
struct ResponseCheck
{
    bool performed = false;
    QStringList problems;

    bool ok() const { return performed && problems.isEmpty(); }
    // "check OK", or "check FAILED: " and the problems joined by "; ".
    QString summary() const;
};

// What the terminal answered to a screen: cursor, AID and the returned fields.
struct ReadResponse
{
    bool valid = false;
    QString error;        // why the data was not a read response
    quint8 opcode = 0;
    quint8 flags = 0;
    int cursorRow = 0;
    int cursorColumn = 0;
    quint8 aid = 0;
    QVector<ResponseField> fields;
    QString screen;       // name of the screen it answered
    ResponseCheck check;  // filled by the session for Put/Get answers

    QString aidName() const;
    // The text of the named field, or an empty text when it was not returned.
    QString fieldText(const QString &name) const;
    bool hasField(const QString &name) const;
    // One line for the log: 'AID Enter cursor 6,53 field 6,53 "QSECOFR" field
    // 7,53 (redacted, 8 chars)'. Nondisplay fields are never shown.
    QString describe() const;
};

// Parses the data of a Put/Get (or Read Immediate) record. `screen` names the
// returned fields and marks the nondisplay ones; it may be null.
ReadResponse parseReadResponse(quint8 opcode, quint8 flags, const QByteArray &data,
                               const ScreenDescription *screen, const HostCodec &codec);

// Checks a response against the screen it answers, as an IBM i display file
// would see it: the cursor inside the screen, an AID key the screen takes, no
// field data with a key that sends none (Clear, Help, the roll keys, Print,
// PA keys and the function keys the Start of Header marked in
// `noDataKeyMask`, bit n-1 for Fn), fields only at the screen's input fields
// and no longer than them, content that the field's type allows, the sign of
// a signed-numeric field in the zone of its last digit, no lower case in a
// monocase field and, with Enter, every mandatory-entry field present and
// every mandatory-fill field complete.
ResponseCheck checkReadResponse(const ReadResponse &response, const ScreenDescription &screen,
                                quint32 noDataKeyMask, const HostCodec &codec);

#endif
