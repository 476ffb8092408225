#include "feedtimer/RepeatingTimer.h"

#include <QPointer>

namespace rotenu {

RepeatingTimer::RepeatingTimer(MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_alarm(clock.createAlarm([this] { due(); })) {}

RepeatingTimer::~RepeatingTimer() = default;

ClockTime RepeatingTimer::period() const {
    return std::chrono::milliseconds(m_interval);
}

void RepeatingTimer::setInterval(int milliseconds) {
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    restart();
}

void RepeatingTimer::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    restart();
}

void RepeatingTimer::restart() {
    if (!m_enabled || m_interval <= 0) {
        m_alarm->cancel();
        return;
    }
    const ClockTime from = m_handling ? *m_handling : m_clock.now();
    m_nextDeadline = from + period();
    m_alarm->setDeadline(m_nextDeadline);
}

void RepeatingTimer::due() {
    const ClockTime deadline = m_nextDeadline;
    // The next tick is set before this one is handled: a handler that changes nothing keeps the
    // rhythm, one that changes a setting replaces it.
    m_nextDeadline += period();
    m_alarm->setDeadline(m_nextDeadline);

    const ClockTime* outer = m_handling;
    m_handling = &deadline;
    QPointer<RepeatingTimer> alive(this);
    emit timeout();
    if (alive)
        m_handling = outer;
}

} // namespace rotenu
