#ifndef VANTOREL_DEMOHOST_H
#define VANTOREL_DEMOHOST_H
// PROVISIONAL STUB
#include <QObject>
class DemoHost : public QObject
{
    Q_OBJECT
public:
    explicit DemoHost(QObject *parent = nullptr) : QObject(parent) {}
};
#endif
