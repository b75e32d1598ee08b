#ifndef SAILFISHAPP_H
#define SAILFISHAPP_H

// Stand-in for the platform's libsailfishapp on systems that do not have it.
// It offers the same three calls so that the application includes and calls
// it exactly as it would the real library.

#include <QString>
#include <QUrl>

class QGuiApplication;
class QQuickView;

namespace SailfishApp {

// A heap-allocated application object; the caller owns it.
QGuiApplication *application(int &argc, char **argv);

// A heap-allocated view whose QML import path includes the data directory.
QQuickView *createView();

// The URL of a file inside the application's data directory: the executable's
// directory replaced by share/<application name>, as on the phone. When that
// does not exist (running from a build tree), the source tree is used, and
// the build tree for what the build makes (the compiled translations).
QUrl pathTo(const QString &filename);

} // namespace SailfishApp

#endif
