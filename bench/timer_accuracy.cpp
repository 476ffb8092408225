// How punctually the feeding timer's alarms come on the real clock: the every-cycle alarm run on
// our repeating timer, side by side in one event loop with the same alarm on a plain repeating
// QTimer (the fair baseline) and on a chain of single-shot timers, each started by the tick before
// it (which drifts by design). All count at a shortened period.
//   timer_accuracy [--period MS] [--ticks N] [--wait TICKS] [--cycles N] [--load US]
// --load busies every tick handler for that long, as a slow handler or a busy machine would.

#include "feedtimer/MonotonicClock.h"
#include "feedtimer/RepeatingTimer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace rotenu;
using Clock = std::chrono::steady_clock;

namespace {

struct Settings {
    int periodMs = 20;
    int ticks = 210;
    int waitTicks = 30;
    int cycles = 3;
    int loadUs = 0;
};

void Busy(int microseconds) {
    const auto until = Clock::now() + std::chrono::microseconds(microseconds);
    while (Clock::now() < until) {
    }
}

// The every-cycle alarm's steps on each tick: count to the feeding period, sound, wait, count again.
class EveryCycleAlarm {
public:
    EveryCycleAlarm(const Settings& settings, std::function<void(int)> setPeriod)
        : m_settings(settings), m_setPeriod(std::move(setPeriod)) {}

    void tick() {
        Busy(m_settings.loadUs);
        if (m_waiting) {
            m_waiting = false;
            m_setPeriod(m_settings.periodMs);
            return;
        }
        if (++m_bar < m_settings.ticks)
            return;
        alarms.push_back(Clock::now());
        m_bar = 0;
        if (m_settings.waitTicks > 0) {
            m_waiting = true;
            m_setPeriod(m_settings.waitTicks * m_settings.periodMs);
        }
    }

    std::vector<Clock::time_point> alarms;

private:
    const Settings& m_settings;
    std::function<void(int)> m_setPeriod;
    int m_bar = 0;
    bool m_waiting = false;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption period(QStringLiteral("period"), QStringLiteral("Tick period in ms."),
                                    QStringLiteral("MS"), QStringLiteral("20"));
    const QCommandLineOption ticks(QStringLiteral("ticks"), QStringLiteral("Ticks of a feeding period."),
                                   QStringLiteral("N"), QStringLiteral("210"));
    const QCommandLineOption wait(QStringLiteral("wait"), QStringLiteral("Wait after each alarm, in ticks."),
                                  QStringLiteral("TICKS"), QStringLiteral("30"));
    const QCommandLineOption cycles(QStringLiteral("cycles"), QStringLiteral("Alarms to measure."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption load(QStringLiteral("load"),
                                  QStringLiteral("Busy time of each tick handler in µs."),
                                  QStringLiteral("US"), QStringLiteral("0"));
    parser.addOptions({period, ticks, wait, cycles, load});
    parser.process(application);
    Settings settings;
    settings.periodMs = std::max(1, parser.value(period).toInt());
    settings.ticks = std::max(1, parser.value(ticks).toInt());
    settings.waitTicks = std::max(0, parser.value(wait).toInt());
    settings.cycles = std::max(1, parser.value(cycles).toInt());
    settings.loadUs = std::max(0, parser.value(load).toInt());

    RepeatingTimer ours(SystemMonotonicClock());
    EveryCycleAlarm oursAlarm(settings, [&ours](int ms) { ours.setInterval(ms); });
    QObject::connect(&ours, &RepeatingTimer::timeout, &ours, [&oursAlarm] { oursAlarm.tick(); });

    // Qt's own repeating timer, precise, its interval changed for the wait as ours is.
    QTimer plain;
    plain.setTimerType(Qt::PreciseTimer);
    EveryCycleAlarm plainAlarm(settings, [&plain](int ms) { plain.setInterval(ms); });
    QObject::connect(&plain, &QTimer::timeout, &plain, [&plainAlarm] { plainAlarm.tick(); });

    // The naive way: every tick starts a fresh single shot of the current period.
    int chainPeriod = settings.periodMs;
    QTimer chain;
    chain.setSingleShot(true);
    chain.setTimerType(Qt::PreciseTimer);
    EveryCycleAlarm chainAlarm(settings, [&chainPeriod](int ms) { chainPeriod = ms; });
    QObject::connect(&chain, &QTimer::timeout, &chain, [&] {
        chainAlarm.tick();
        chain.start(chainPeriod);
    });

    const auto done = [&] {
        return static_cast<int>(oursAlarm.alarms.size()) >= settings.cycles &&
               static_cast<int>(plainAlarm.alarms.size()) >= settings.cycles &&
               static_cast<int>(chainAlarm.alarms.size()) >= settings.cycles;
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &application, [&] {
        if (done())
            application.quit();
    });
    watch.start(50);

    ours.setInterval(settings.periodMs);
    const Clock::time_point start = Clock::now();
    ours.setEnabled(true);
    plain.start(settings.periodMs);
    chain.start(settings.periodMs);
    application.exec();

    std::printf("feeding timer accuracy: period %d ms, %d ticks a cycle, wait %d ticks, %d alarms, "
                "handler load %d us; all timers in one event loop\n",
                settings.periodMs, settings.ticks, settings.waitTicks, settings.cycles, settings.loadUs);
    std::printf("%5s  %12s  %26s  %26s  %30s\n", "alarm", "ideal (ms)", "RepeatingTimer late (ms)",
                "repeating QTimer late (ms)", "chained single-shot late (ms)");
    for (int k = 0; k < settings.cycles; ++k) {
        const auto ideal =
            std::chrono::milliseconds(static_cast<long long>(settings.periodMs) *
                                      (settings.ticks + k * (settings.ticks + settings.waitTicks)));
        std::printf("%5d  %12.3f  %26.3f  %26.3f  %30.3f\n", k + 1, Milliseconds(ideal),
                    Milliseconds(oursAlarm.alarms[k] - (start + ideal)),
                    Milliseconds(plainAlarm.alarms[k] - (start + ideal)),
                    Milliseconds(chainAlarm.alarms[k] - (start + ideal)));
    }
    return 0;
}
