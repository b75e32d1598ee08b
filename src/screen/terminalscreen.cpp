// PROVISIONAL STUB
#include "screen/terminalscreen.h"
TerminalScreen::TerminalScreen() : data(24 * 80, '\0'), attributes(24 * 80, char(0x20)) {}
void TerminalScreen::resize(int, int) {}
void TerminalScreen::clear(bool) {}
unsigned char TerminalScreen::rawAt(int) const { return 0; }
unsigned char TerminalScreen::attributeAt(int) const { return 0x20; }
bool TerminalScreen::isAttributeAt(int) const { return false; }
bool TerminalScreen::isNondisplayAt(int) const { return false; }
QChar TerminalScreen::charAt(int) const { return QLatin1Char(' '); }
int TerminalScreen::clampIndex(int) const { return 0; }
int TerminalScreen::indexFromAddress(int, int) const { return -1; }
void TerminalScreen::setDisplayAddress(int, int) {}
void TerminalScreen::setDisplayAddressIndex(int) {}
void TerminalScreen::advanceDisplayAddress() {}
void TerminalScreen::writeByte(unsigned char) {}
void TerminalScreen::writeTransparent(const QByteArray &) {}
void TerminalScreen::repeatTo(int, int, unsigned char) {}
void TerminalScreen::eraseTo(int, int) {}
void TerminalScreen::setExtendedAttribute(unsigned char, unsigned char) {}
bool TerminalScreen::insertCursor(int, int) { return false; }
void TerminalScreen::roll(unsigned char, unsigned char, unsigned char) {}
void TerminalScreen::recomputeAttributes() {}
void TerminalScreen::moveCursor(int, int) {}
void TerminalScreen::setCursorIndex(int) {}
int TerminalScreen::cursorRow() const { return 0; }
int TerminalScreen::cursorColumn() const { return 0; }
void TerminalScreen::moveCursorRelative(int, int) {}
void TerminalScreen::moveCursorHome() {}
QString TerminalScreen::plainText(bool) const { return QString(); }
