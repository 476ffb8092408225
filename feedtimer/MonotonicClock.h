#pragma once
// The time source of the repeating timer. The program uses the system's monotonic clock; tests
// put in a clock of their own that they move forward by hand.

#include <chrono>
#include <functional>
#include <memory>

namespace rotenu {

// Nanoseconds since an origin that the clock chooses; only differences mean anything.
using ClockTime = std::chrono::nanoseconds;

// One pending wake-up: calls its handler on the GUI thread once the clock has reached the deadline.
class ClockAlarm {
public:
    virtual ~ClockAlarm() = default;
    // Replaces any deadline set before. A deadline already passed is due at once.
    virtual void setDeadline(ClockTime deadline) = 0;
    virtual void cancel() = 0;
};

class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual ClockTime now() const = 0;
    virtual std::unique_ptr<ClockAlarm> createAlarm(std::function<void()> onDue) = 0;
};

// The process's monotonic clock, its alarms run by the event loop of the calling thread.
MonotonicClock& SystemMonotonicClock();

} // namespace rotenu
