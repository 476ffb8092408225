#include "feedtimer/MonotonicClock.h"

#include <QTimer>

namespace rotenu {
namespace {

class SystemClockAlarm final : public ClockAlarm {
public:
    SystemClockAlarm(const MonotonicClock& clock, std::function<void()> onDue)
        : m_clock(clock), m_onDue(std::move(onDue)) {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { expired(); });
    }

    void setDeadline(ClockTime deadline) override {
        m_deadline = deadline;
        arm();
    }

    void cancel() override { m_timer.stop(); }

private:
    void arm() {
        const ClockTime left = m_deadline - m_clock.now();
        // Rounded up: the event loop counts whole milliseconds and must not wake us early.
        const auto wait = left.count() > 0 ? std::chrono::ceil<std::chrono::milliseconds>(left)
                                           : std::chrono::milliseconds(0);
        m_timer.start(wait);
    }

    void expired() {
        if (m_clock.now() < m_deadline) {
            arm();
            return;
        }
        m_onDue();
    }

    const MonotonicClock& m_clock;
    std::function<void()> m_onDue;
    QTimer m_timer;
    ClockTime m_deadline{};
};

class SystemMonotonicClockImpl final : public MonotonicClock {
public:
    ClockTime now() const override {
        return std::chrono::duration_cast<ClockTime>(std::chrono::steady_clock::now().time_since_epoch());
    }
    std::unique_ptr<ClockAlarm> createAlarm(std::function<void()> onDue) override {
        return std::make_unique<SystemClockAlarm>(*this, std::move(onDue));
    }
};

} // namespace

MonotonicClock& SystemMonotonicClock() {
    static SystemMonotonicClockImpl clock;
    return clock;
}

} // namespace rotenu
