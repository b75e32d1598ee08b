// PROVISIONAL STUB
#include "screen/terminalscreen.h"
void TerminalScreen::startField(bool, unsigned char, unsigned char, const QVector<unsigned short> &, unsigned char, int) {}
void TerminalScreen::clearFormatTable() {}
void TerminalScreen::clearFormatTableForHeader() {}
int TerminalScreen::fieldIndexAt(int) const { return -1; }
bool TerminalScreen::isProtectedAt(int) const { return true; }
bool TerminalScreen::isValidInputPosition(int) const { return false; }
int TerminalScreen::nextInputField(int, bool) const { return -1; }
void TerminalScreen::resetMdt(bool) {}
void TerminalScreen::nullFields(bool) {}
QByteArray TerminalScreen::fieldBytes(const Field &) const { return QByteArray(); }
void TerminalScreen::setFieldBytes(const Field &, const QByteArray &) {}
bool TerminalScreen::functionSendsData(int) const { return true; }
