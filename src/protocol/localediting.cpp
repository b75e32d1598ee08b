// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::tab() {}
void Tn5250Client::backtab() {}
void Tn5250Client::backspace() {}
void Tn5250Client::deleteCharacter() {}
void Tn5250Client::fieldExit() {}
void Tn5250Client::fieldPlus() {}
void Tn5250Client::fieldMinus() {}
void Tn5250Client::home() {}
void Tn5250Client::newLine() {}
void Tn5250Client::toggleInsertMode() {}
void Tn5250Client::eraseToEndOfField() {}
void Tn5250Client::eraseInput() {}
void Tn5250Client::endOfField() {}
void Tn5250Client::moveCursorLeft() {}
void Tn5250Client::moveCursorRight() {}
void Tn5250Client::moveCursorUp() {}
void Tn5250Client::moveCursorDown() {}
void Tn5250Client::setCursorCell(int, int) {}
