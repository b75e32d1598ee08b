#ifndef VANTOREL_DEMOHOST_HOSTENVIRONMENT_H
#define VANTOREL_DEMOHOST_HOSTENVIRONMENT_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include "readresponse.h"

// The demo host's NEW-ENVIRON exchange, the way an IBM i telnet server runs
// it (RFC 1572, RFC 4777): the SEND it writes, and its check of the IS the
// terminal answers with.
namespace HostEnvironment {

// The seed an IBM i sends for an encrypted sign-on. The demo host signs on
// through the screen only, so its seed is a fixed one, chosen to hold bytes
// that must be quoted (0x00-0x03) and 0xFF, which telnet doubles.
QByteArray seed();

// SEND USERVAR "IBMRSEED" <seed> VAR USERVAR: the seed, then every VAR and
// every USERVAR. Bytes of the seed equal to an item code are quoted with ESC.
QByteArray sendRequest(const QByteArray &seed);

// The check of the terminal's IS (variables as "USERVAR NAME" and value): a
// device name, and KBDTYPE, CODEPAGE and CHARSET together and as IBM i's
// national-language table pairs them. `codePage` receives the code page the
// host takes for the session: the terminal's when the triple is right, 37
// otherwise, as an IBM i keeps its default CCSID then.
ResponseCheck check(const QList<QPair<QString, QByteArray> > &variables, int *codePage);

} // namespace HostEnvironment

#endif
