#ifndef VANTOREL_RECONNECTSCHEDULE_H
#define VANTOREL_RECONNECTSCHEDULE_H

// When to try a lost connection again: the wait grows 2, 5, 10, 20 seconds
// and then stays at 30 for as long as the host keeps failing. The count of
// attempts starts again when the connection lifecycle says so (a user
// connect or disconnect, or a session that came up).
class ReconnectSchedule
{
public:
    int attempts() const { return m_attempts; }
    // Counts one more attempt; returns the seconds to wait before it.
    int schedule();
    void reset() { m_attempts = 0; }

private:
    int m_attempts = 0;
};

#endif
