#include "view/qmltypes.h"

#include <QtQml>

#include "view/screensegmentmodel.h"
#include "view/terminalinput.h"
#include "view/terminalitem.h"

void registerQmlTypes()
{
    const char *module = "harbour.vantorel";
    qmlRegisterType<TerminalItem>(module, 1, 0, "TerminalItem");
    qmlRegisterType<TerminalInput>(module, 1, 0, "TerminalInput");
    qmlRegisterType<ScreenSegmentModel>(module, 1, 0, "ScreenSegmentModel");
}
