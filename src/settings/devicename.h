#ifndef VANTOREL_DEVICENAME_H
#define VANTOREL_DEVICENAME_H

#include <QString>

// The IBM i display device name as the terminal may request it: upper case,
// only A-Z, 0-9 and '_', at most 10 characters. Empty means "let the host
// choose", and then no device name is sent at all.
QString sanitizeDeviceName(const QString &text);

#endif
