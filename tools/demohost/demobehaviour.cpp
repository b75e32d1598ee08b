#include "demobehaviour.h"

namespace {

struct BehaviourName
{
    DemoBehaviour behaviour;
    const char *name;
};

const BehaviourName BEHAVIOURS[] = {
    { DemoBehaviour::Normal, "normal" },
    { DemoBehaviour::CloseAfterFirstRecord, "close-after-record" },
    { DemoBehaviour::NeverNegotiate, "silent" },
};

} // namespace

QString behaviourName(DemoBehaviour behaviour)
{
    for (const BehaviourName &entry : BEHAVIOURS) {
        if (entry.behaviour == behaviour)
            return QLatin1String(entry.name);
    }
    return QString();
}

QStringList behaviourNames()
{
    QStringList names;
    for (const BehaviourName &entry : BEHAVIOURS)
        names << QLatin1String(entry.name);
    return names;
}

bool parseBehaviour(const QString &name, DemoBehaviour *behaviour)
{
    for (const BehaviourName &entry : BEHAVIOURS) {
        if (name == QLatin1String(entry.name)) {
            if (behaviour)
                *behaviour = entry.behaviour;
            return true;
        }
    }
    return false;
}
