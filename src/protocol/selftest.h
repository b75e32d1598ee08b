#ifndef VANTOREL_SELFTEST_H
#define VANTOREL_SELFTEST_H

#include <QByteArray>

// The display self-test: a fixed sign-on-like screen written as the data of
// one Put/Get record, which the client runs through the same interpreter as
// host records, so that parsing, field definition, the hidden password field
// and the painting can be checked before any connection exists. Its texts
// are encoded with the active code page.
namespace SelfTest {

QByteArray stream();

} // namespace SelfTest

#endif
