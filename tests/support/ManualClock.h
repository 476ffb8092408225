#pragma once
// A clock that stands still until the test moves it, handing out the alarms that fall due on the
// way, so that minutes of ticks pass in an instant and each at its own time.

#include "feedtimer/MonotonicClock.h"

#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <vector>

namespace rotenu::testing {

class ManualClock final : public MonotonicClock {
public:
    // Not zero, so that a timer that confuses a time with a duration shows it.
    explicit ManualClock(ClockTime start = std::chrono::hours(5)) : m_now(start) {}

    ClockTime now() const override { return m_now; }

    std::unique_ptr<ClockAlarm> createAlarm(std::function<void()> onDue) override {
        return std::make_unique<Alarm>(*this, std::move(onDue));
    }

    // Moves time forward; every alarm due on the way goes off at its own deadline, in order.
    void advance(ClockTime by) {
        const ClockTime target = m_now + by;
        while (Alarm* alarm = earliestDueBy(target)) {
            m_now = std::max(m_now, *alarm->deadline);
            fire(*alarm);
        }
        m_now = target;
    }

    // Moves time forward without any alarm going off, as while the event loop is held up.
    void jump(ClockTime by) { m_now += by; }

    // Lets the alarms that are due go off now, as a late event loop does when it gets round to them.
    void deliverDue() { advance(ClockTime::zero()); }

    // The earliest deadline of all alarms set, if any is.
    std::optional<ClockTime> nextDeadline() const {
        Alarm* next = earliestDueBy(ClockTime::max());
        return next ? next->deadline : std::nullopt;
    }

    int pendingAlarms() const {
        return static_cast<int>(std::count_if(m_alarms.begin(), m_alarms.end(),
                                              [](const Alarm* a) { return a->deadline.has_value(); }));
    }

private:
    struct Alarm final : ClockAlarm {
        Alarm(ManualClock& clock, std::function<void()> onDue) : clock(clock), onDue(std::move(onDue)) {
            clock.m_alarms.push_back(this);
        }
        ~Alarm() override { std::erase(clock.m_alarms, this); }
        void setDeadline(ClockTime at) override { deadline = at; }
        void cancel() override { deadline.reset(); }
        ManualClock& clock;
        std::function<void()> onDue;
        std::optional<ClockTime> deadline;
    };

    Alarm* earliestDueBy(ClockTime limit) const {
        Alarm* earliest = nullptr;
        for (Alarm* alarm : m_alarms)
            if (alarm->deadline && *alarm->deadline <= limit &&
                (!earliest || *alarm->deadline < *earliest->deadline))
                earliest = alarm;
        return earliest;
    }

    void fire(Alarm& alarm) {
        if (++m_firings > 10'000'000)
            qFatal("ManualClock: an alarm keeps falling due at once");
        alarm.deadline.reset();
        alarm.onDue();
    }

    ClockTime m_now;
    std::vector<Alarm*> m_alarms;
    long m_firings = 0;
};

} // namespace rotenu::testing
