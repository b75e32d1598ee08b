#ifndef VANTOREL_DEMOHOST_DEMOBEHAVIOUR_H
#define VANTOREL_DEMOHOST_DEMOBEHAVIOUR_H

#include <QString>
#include <QStringList>

// How the demo host treats a connection, for trying the terminal against a
// host that misbehaves the way real ones do now and then:
//  - normal: an IBM i telnet server (negotiation, Query, the screens);
//  - close-after-record: negotiates, sends its first record (the 5250
//    Query) and hangs up, as a host whose sessions end at once does; a
//    terminal that reconnects must then wait longer and longer;
//  - silent: accepts the connection and never says a word, not even the
//    first telnet command; a terminal must give up after its bound.
enum class DemoBehaviour {
    Normal,
    CloseAfterFirstRecord,
    NeverNegotiate
};

// The option names: "normal", "close-after-record", "silent".
QString behaviourName(DemoBehaviour behaviour);
QStringList behaviourNames();
// False (and `behaviour` untouched) for a name that is none of them.
bool parseBehaviour(const QString &name, DemoBehaviour *behaviour);

#endif
