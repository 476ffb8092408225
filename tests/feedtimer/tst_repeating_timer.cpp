#include "feedtimer/RepeatingTimer.h"
#include "tests/support/ManualClock.h"

#include <QSignalSpy>
#include <QTest>

using namespace rotenu;
using namespace std::chrono_literals;
using testing::ManualClock;

namespace {

// The moments at which the timer ticked, as milliseconds after `origin`.
struct TickLog {
    TickLog(RepeatingTimer& timer, const ManualClock& clock) : origin(clock.now()) {
        QObject::connect(&timer, &RepeatingTimer::timeout, &timer, [this, &clock] {
            ticks << std::chrono::duration_cast<std::chrono::milliseconds>(clock.now() - origin).count();
        });
    }
    ClockTime origin;
    QList<qint64> ticks;
};

QList<qint64> Multiples(qint64 first, qint64 step, int count) {
    QList<qint64> values;
    for (int i = 0; i < count; ++i)
        values << first + i * step;
    return values;
}

} // namespace

class TestRepeatingTimer : public QObject {
    Q_OBJECT
private slots:
    void ticksAtWholePeriodsFromTheStart();
    void sameValueKeepsTheRhythmChangeRestartsIt();
    void changeDuringATickCountsFromTheTicksDeadline();
    void offOrNonPositivePeriodGivesNoTicks();
    void realClockNeverTicksEarly();
};

void TestRepeatingTimer::ticksAtWholePeriodsFromTheStart() {
    ManualClock clock;
    RepeatingTimer timer(clock);
    QCOMPARE(timer.isEnabled(), false);
    QCOMPARE(timer.interval(), 1000);
    TickLog log(timer, clock);
    clock.advance(5s);
    QVERIFY(log.ticks.isEmpty());

    timer.setInterval(250);
    timer.setEnabled(true);
    clock.advance(2600ms);
    QCOMPARE(log.ticks, Multiples(5250, 250, 10));

    // A thousand ticks later the rhythm is exactly where it began.
    clock.advance(250s);
    QCOMPARE(log.ticks.size(), 1010);
    QCOMPARE(log.ticks.last(), 5000 + 1010 * 250);

    // An event loop held up past six deadlines delivers those ticks at once; the next comes on the
    // old rhythm, not a period after the late ones.
    clock.jump(1400ms);
    clock.deliverDue();
    QCOMPARE(log.ticks.mid(1010), (QList<qint64>(6, 259000)));
    clock.advance(250ms);
    QCOMPARE(log.ticks.size(), 1017);
    QCOMPARE(log.ticks.last(), 259250);
}

void TestRepeatingTimer::sameValueKeepsTheRhythmChangeRestartsIt() {
    ManualClock clock;
    RepeatingTimer timer(clock);
    TickLog log(timer, clock);
    timer.setEnabled(true);
    clock.advance(1400ms);
    QCOMPARE(log.ticks, QList<qint64>{1000});

    // The values it already has: the running period goes on.
    timer.setInterval(1000);
    timer.setEnabled(true);
    clock.advance(700ms);
    QCOMPARE(log.ticks, (QList<qint64>{1000, 2000}));

    // A new period counts in full from the change, at 2100.
    timer.setInterval(3000);
    clock.advance(6000ms);
    QCOMPARE(log.ticks, (QList<qint64>{1000, 2000, 5100, 8100}));

    // Off and on again: a restart from the moment it comes back, at 8500.
    clock.advance(400ms);
    timer.setEnabled(false);
    clock.advance(10s);
    QCOMPARE(log.ticks.size(), 4);
    timer.setEnabled(true);
    clock.advance(3s);
    QCOMPARE(log.ticks.last(), 18500 + 3000);

    // Back to a period it had before is still a change: restart at 21700.
    clock.advance(200ms);
    timer.setInterval(1000);
    clock.advance(1000ms);
    QCOMPARE(log.ticks.last(), 22700);
}

void TestRepeatingTimer::changeDuringATickCountsFromTheTicksDeadline() {
    ManualClock clock;
    RepeatingTimer timer(clock);
    TickLog log(timer, clock);
    // Alternates a long and a short period from its own tick, as the every-cycle alarm does.
    int handled = 0;
    connect(&timer, &RepeatingTimer::timeout, &timer, [&] {
        ++handled;
        timer.setInterval(timer.interval() == 1000 ? 3000 : 1000);
    });
    timer.setEnabled(true);

    // The event loop delivers every tick 40 ms late; the next period still starts at the deadline.
    for (int i = 0; i < 6; ++i) {
        clock.jump(std::chrono::milliseconds(timer.interval()) + (i == 0 ? 40ms : 0ms));
        clock.deliverDue();
    }
    QCOMPARE(handled, 6);
    QCOMPARE(log.ticks, (QList<qint64>{1040, 4040, 5040, 8040, 9040, 12040}));
    // The sixth tick was due at 12000 and set a period of 1000: the next is due at 13000, not 13040.
    clock.advance(959ms);
    QCOMPARE(log.ticks.size(), 6);
    clock.advance(1ms);
    QCOMPARE(log.ticks.last(), 13000);
    clock.advance(3000ms);
    QCOMPARE(log.ticks.last(), 16000);

    // Outside a tick a change counts from the moment it is made.
    clock.advance(300ms);
    timer.setInterval(5000);
    clock.advance(5000ms);
    QCOMPARE(log.ticks.last(), 21300);
}

void TestRepeatingTimer::offOrNonPositivePeriodGivesNoTicks() {
    ManualClock clock;
    RepeatingTimer timer(clock);
    QSignalSpy ticks(&timer, &RepeatingTimer::timeout);
    timer.setInterval(0);
    timer.setEnabled(true);
    clock.advance(60s);
    timer.setInterval(-5);
    clock.advance(60s);
    QCOMPARE(ticks.count(), 0);
    QCOMPARE(clock.pendingAlarms(), 0);

    timer.setInterval(100);
    clock.advance(1s);
    QCOMPARE(ticks.count(), 10);
    timer.setEnabled(false);
    QCOMPARE(clock.pendingAlarms(), 0);
    clock.advance(60s);
    QCOMPARE(ticks.count(), 10);

    // A timer deleted by its own tick goes without touching what is gone.
    auto* owned = new RepeatingTimer(clock);
    owned->setInterval(10);
    owned->setEnabled(true);
    connect(owned, &RepeatingTimer::timeout, owned, [owned] { delete owned; });
    clock.advance(1s);
    QCOMPARE(clock.pendingAlarms(), 0);
}

void TestRepeatingTimer::realClockNeverTicksEarly() {
    RepeatingTimer timer(SystemMonotonicClock());
    QList<ClockTime> seen;
    connect(&timer, &RepeatingTimer::timeout, &timer, [&] { seen << SystemMonotonicClock().now(); });
    timer.setInterval(15);
    const ClockTime start = SystemMonotonicClock().now();
    timer.setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 8, 10000);
    timer.setEnabled(false);
    for (int n = 0; n < seen.size(); ++n)
        QVERIFY2(seen[n] >= start + (n + 1) * 15ms,
                 qPrintable(QStringLiteral("tick %1 came early").arg(n + 1)));
}

QTEST_GUILESS_MAIN(TestRepeatingTimer)
#include "tst_repeating_timer.moc"
