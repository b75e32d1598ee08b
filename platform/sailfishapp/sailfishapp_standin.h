#ifndef SAILFISHAPP_STANDIN_H
#define SAILFISHAPP_STANDIN_H

#include <QString>

// What only the stand-in has: the data-directory rule behind pathTo() and
// createView(), open to tests for any executable directory.
namespace SailfishAppStandIn {

// <prefix>/share/harbour-vantorel for an executable in <prefix>/bin when that
// holds a qml folder; otherwise the source tree (a build-tree run) when it
// has one; otherwise the installed location all the same.
QString dataDirectoryFor(const QString &applicationDirPath);

// The file behind pathTo(): inside that data directory; for a build-tree
// run, a file the build made (the compiled translations) comes from the
// build tree when it is there.
QString pathFor(const QString &applicationDirPath, const QString &filename);

} // namespace SailfishAppStandIn

#endif
