// PROVISIONAL STUB
#include "screen/terminalscreen.h"
bool TerminalScreen::typeCharacter(QChar, QString *, bool *) { return false; }
bool TerminalScreen::validateCharacter(const Field &, QChar) { return false; }
bool TerminalScreen::fieldExit(bool, QString *, bool *) { return false; }
bool TerminalScreen::backspace() { return false; }
bool TerminalScreen::deleteCharacter() { return false; }
bool TerminalScreen::eraseToEndOfField(QString *) { return false; }
void TerminalScreen::eraseInput() {}
bool TerminalScreen::moveToEndOfField() { return false; }
void TerminalScreen::tab(bool) {}
void TerminalScreen::newLine() {}
bool TerminalScreen::setFieldText(int, const QString &, QString *) { return false; }
bool TerminalScreen::validateForEnter(QString *) { return true; }
