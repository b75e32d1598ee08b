#ifndef VANTOREL_TELNETCODES_H
#define VANTOREL_TELNETCODES_H

#include <QtGlobal>

// The telnet bytes TN5250 uses, as RFC 854/855 (commands), RFC 856 (BINARY),
// RFC 858 (SGA), RFC 885 (END-OF-RECORD), RFC 1091 (TERMINAL-TYPE), RFC 1572
// (NEW-ENVIRON) and RFC 2877/4777 (TN5250) write them.
namespace Telnet {

// Commands (RFC 854), each following IAC.
const quint8 SE = 0xF0;   // end of subnegotiation
const quint8 SB = 0xFA;   // start of subnegotiation
const quint8 WILL = 0xFB;
const quint8 WONT = 0xFC;
const quint8 DO = 0xFD;
const quint8 DONT = 0xFE;
const quint8 IAC = 0xFF;
const quint8 EOR = 0xEF;  // end of record (RFC 885): ends every TN5250 record

// Options.
const quint8 OPT_BINARY = 0x00;         // 0
const quint8 OPT_SGA = 0x03;            // 3
const quint8 OPT_TERMINAL_TYPE = 0x18;  // 24
const quint8 OPT_EOR = 0x19;            // 25
const quint8 OPT_NEW_ENVIRON = 0x27;    // 39

// Subnegotiation codes (RFC 1091, RFC 1572).
const quint8 SUB_IS = 0x00;
const quint8 SUB_SEND = 0x01;

// NEW-ENVIRON item codes (RFC 1572). ESC quotes the next byte of a name or
// value, so that names and values may hold the four codes themselves.
const quint8 ENV_VAR = 0x00;
const quint8 ENV_VALUE = 0x01;
const quint8 ENV_ESC = 0x02;
const quint8 ENV_USERVAR = 0x03;

// Terminal types offered in TERMINAL-TYPE IS (RFC 4777): a 3477
// when the 27 x 132 screen is offered, the plain 24 x 80 3179 otherwise.
const char TERMINAL_TYPE_WIDE[] = "IBM-3477-FC";
const char TERMINAL_TYPE_NARROW[] = "IBM-3179-2";

// The user variables of the NEW-ENVIRON IS reply (RFC 4777).
const char ENV_DEVNAME[] = "DEVNAME";
const char ENV_KBDTYPE[] = "KBDTYPE";
const char ENV_CODEPAGE[] = "CODEPAGE";
const char ENV_CHARSET[] = "CHARSET";

// The host's random seed for an encrypted password (RFC 4777): the name is
// followed directly by eight binary bytes, quoted with ESC where they equal
// an item code. The terminal signs on through the screen, so it reads the
// seed only to step over it.
const char ENV_IBMRSEED[] = "IBMRSEED";
const int IBMRSEED_LENGTH = 8;

// IBM i's national-language table for a 5250 display: the keyboard type and
// the character set that go with each EBCDIC code page (CCSID). The host
// takes a code page only when KBDTYPE, CODEPAGE and CHARSET arrive together.
struct NationalLanguage
{
    int codePage;
    const char *keyboardType;
    const char *characterSet;
};

const NationalLanguage NATIONAL_LANGUAGES[] = {
    { 37,  "USB", "697" }, // United States, Canada
    { 273, "AGB", "697" }, // Germany, Austria
    { 277, "DMB", "697" }, // Denmark, Norway
    { 278, "FNB", "697" }, // Finland, Sweden
    { 280, "ITB", "697" }, // Italy
    { 284, "SPB", "697" }, // Spain, Latin America
    { 285, "UKB", "697" }, // United Kingdom
    { 297, "FAB", "697" }, // France
    { 500, "INB", "697" }, // International
    { 870, "CSB", "959" }, // Latin-2 multilingual
    { 871, "ICB", "697" }, // Iceland
};

// A TN5250 record carries a 16-bit length field, so no record is longer
// than 65535 bytes; the telnet layer never holds more than that for one
// record or one subnegotiation.
const int MAX_BUFFERED_BYTES = 0xFFFF;

} // namespace Telnet

#endif
