#pragma once
// A repeating timer with two settings, its period in milliseconds and whether it is enabled.
//
// Each tick is due at a fixed deadline, the start of the timing plus n whole periods, so that the
// ticks do not drift however long the timer runs and however late the event loop delivers one.
// Assigning a setting the value it already has changes nothing; a real change restarts the timing
// from that moment. A change made while a tick is being handled counts from the tick's own
// deadline, so that a run that changes its period at every cycle keeps its rhythm as well.

#include "feedtimer/MonotonicClock.h"

#include <QObject>

namespace rotenu {

class RepeatingTimer final : public QObject {
    Q_OBJECT
public:
    explicit RepeatingTimer(MonotonicClock& clock, QObject* parent = nullptr);
    ~RepeatingTimer() override;

    int interval() const { return m_interval; }
    // A period of 0 or less gives no ticks.
    void setInterval(int milliseconds);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    void timeout();

private:
    void restart();
    void due();
    ClockTime period() const;

    MonotonicClock& m_clock;
    std::unique_ptr<ClockAlarm> m_alarm;
    int m_interval = 1000;
    bool m_enabled = false;
    ClockTime m_nextDeadline{};
    // The deadline of the tick being handled, if one is.
    const ClockTime* m_handling = nullptr;
};

} // namespace rotenu
