#ifndef VANTOREL_QMLTYPES_H
#define VANTOREL_QMLTYPES_H

// Registers the application's QML types in the module "harbour.vantorel"
// 1.0: TerminalItem (the painted screen), TerminalInput (where operator keys
// enter) and ScreenSegmentModel (field marks and hot-spots). The entry point
// calls it before loading the interface; tests that load the pages call it
// too.
void registerQmlTypes();

#endif
