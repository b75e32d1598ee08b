#include "connection/reconnectschedule.h"

namespace {

// Seconds to wait, indexed by the number of attempts already scheduled.
const int RECONNECT_DELAYS[] = { 2, 5, 10, 20, 30 };
const int RECONNECT_DELAY_COUNT = sizeof(RECONNECT_DELAYS) / sizeof(RECONNECT_DELAYS[0]);

} // namespace

int ReconnectSchedule::schedule()
{
    const int index = m_attempts < 0 ? 0 : m_attempts;
    const int delay = index >= RECONNECT_DELAY_COUNT - 1 ? RECONNECT_DELAYS[RECONNECT_DELAY_COUNT - 1]
                                                         : RECONNECT_DELAYS[index];
    ++m_attempts;
    return delay;
}
