#ifndef VANTOREL_TESTS_HEXFIXTURE_H
#define VANTOREL_TESTS_HEXFIXTURE_H

#include <QByteArray>
#include <QString>

// Host streams kept as readable hex files in tests/data: pairs of hex digits
// separated by any white space, '#' starts a comment that runs to the end of
// the line, and a text in double quotes stands for its EBCDIC bytes in code
// page 37 ("SIGN ON" is E2 C9 C7 D5 40 D6 D5).
namespace HexFixture {

QByteArray parse(const QString &text, QString *error = nullptr);
QByteArray load(const QString &name); // a file of tests/data; fails the test when missing
QString dataPath(const QString &name);

} // namespace HexFixture

#endif
