// What sounding costs the GUI thread, and how soon the alarm is heard, on a private sound server
// that runs, is stopped (SIGSTOP) or is absent; side by side with the former synchronous
// libcanberra calls where libcanberra is built in (ROTENU_BENCH_OLD_CANBERRA).
//   sound_latency [CALLS]     CALLS: beeps and alarms timed in each case (default 50)

#include "bench/RealSound.h"
#include "feedtimer/Timer.h"
#include "tests/support/ManualClock.h"
#include "tests/support/PrivateSoundServer.h"
#include "tests/support/WaveFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#ifdef ROTENU_BENCH_OLD_CANBERRA
#include <canberra.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace rotenu;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::MonitorRecorder;

namespace {

// Runs the event loop until `done` or the time-out; wakes on every event, so that the recorder's
// arrivals are noted when they come.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    QTimer wake;
    wake.start(5);
    while (!done()) {
        if (Clock::now() >= until)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void Settle(std::chrono::milliseconds time) {
    WaitUntil([] { return false; }, time);
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Figures {
    std::vector<double> ms;
    QString text() const {
        if (ms.empty())
            return QStringLiteral("-");
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return QStringLiteral("%1 / %2")
            .arg(sorted[sorted.size() / 2], 0, 'f', 3)
            .arg(sorted.back(), 0, 'f', 3);
    }
};

// The GUI thread's time in each of `calls` calls, each after `prepare`, the event loop running
// 20 ms between them.
Figures TimeCalls(int calls, const std::function<void()>& call, const std::function<void()>& prepare = {}) {
    Figures figures;
    for (int i = 0; i < calls; ++i) {
        if (prepare)
            prepare();
        const auto start = Clock::now();
        call();
        figures.ms.push_back(Ms(Clock::now() - start));
        Settle(20ms);
    }
    return figures;
}

// The feeding timer one tick before its alarm; alarm() runs the tick that sounds it.
class AlarmAtNextTick {
public:
    explicit AlarmAtNextTick(const PlatformServices& services) : m_form(services, m_clock) {}
    void arm() {
        m_form.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        m_clock.advance(209s);
    }
    void alarm() { m_clock.advance(1s); }

private:
    testing::ManualClock m_clock;
    TForm2 m_form;
};

#ifdef ROTENU_BENCH_OLD_CANBERRA
// The former sound calls, kept here only as the figure to compare with: one libcanberra context
// opened on the GUI thread at the first sound and given up for good when that fails.
class OldCanberraSound final : public Beeper, public WavePlayer {
public:
    ~OldCanberraSound() override {
        if (m_context)
            ca_context_destroy(m_context);
    }
    void beep() override {
        ca_context* c = context();
        if (!c || ca_context_play(c, 0, CA_PROP_EVENT_ID, "bell", nullptr) != CA_SUCCESS)
            QApplication::beep();
    }
    void playAsync(const QString& fileName, std::function<void()> cannotPlay) override {
        ca_context* c = context();
        const QByteArray path = QFile::encodeName(QDir::current().absoluteFilePath(fileName));
        if (!c || ca_context_play(c, 1, CA_PROP_MEDIA_FILENAME, path.constData(), nullptr) != CA_SUCCESS)
            cannotPlay();
    }

private:
    ca_context* context() {
        if (m_context || m_failed)
            return m_context;
        if (ca_context_create(&m_context) != CA_SUCCESS || ca_context_open(m_context) != CA_SUCCESS) {
            if (m_context)
                ca_context_destroy(m_context);
            m_context = nullptr;
            m_failed = true;
        }
        return m_context;
    }
    ca_context* m_context = nullptr;
    bool m_failed = false;
};
#endif

// The onsets of `count` alarms after their ticks: the arrival at the recorder of the first sample
// well above silence, that is the moment the server has mixed it, plus the recorder's latency of at
// most 5 ms. (The samples cannot be timed by their count: a sink mixes ahead of time, and again
// when a new stream comes, and its monitor hands on both.)
Figures AlarmOnsets(testing::PrivateSoundServer& server, const PlatformServices& services, int count) {
    MonitorRecorder recorder(server);
    Figures figures;
    // Samples come in some while after the stream is created.
    if (!recorder.waitUntilRecording() || !WaitUntil([&] { return recorder.recording().size() > 8000; }, 5s))
        return figures;
    AlarmAtNextTick timer(services);
    for (int i = 0; i < count; ++i) {
        timer.arm();
        Settle(400ms); // the last sound has died away
        const qsizetype from = recorder.recording().size() / 2;
        const auto tick = Clock::now();
        timer.alarm();
        std::optional<qsizetype> first;
        WaitUntil(
            [&] {
                const QByteArray& raw = recorder.recording();
                const auto* samples = reinterpret_cast<const qint16*>(raw.constData());
                for (qsizetype s = from; s < raw.size() / 2 && !first; ++s) {
                    if (std::abs(samples[s]) > 1000)
                        first = s;
                }
                return first.has_value();
            },
            3s);
        if (first)
            figures.ms.push_back(Ms(recorder.arrivalOfSample(*first) - tick));
    }
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    if (!testing::WriteToneWave(QStringLiteral("test.WAV"), 0.3, 1000))
        return 1;

    testing::PrivateSoundServer server;
    if (!server.unavailable().isEmpty()) {
        std::printf("  no sound server to measure with: %s\n", qPrintable(server.unavailable()));
        return 0;
    }
    QString why;
    if (!server.start(&why)) {
        std::printf("  %s\n", qPrintable(why));
        return 1;
    }

    bench::RealSound sound;
    const PlatformServices& services = sound.services;

    // With --readied, the first alarm comes after the player was readied, as the feeding timer's
    // window does when it is shown; the run then ends, the one figure printed.
    if (argc > 2 && std::strcmp(argv[2], "--readied") == 0) {
        sound.player.prepare();
        Settle(1s);
        std::printf("  first alarm after the timer window readied the player: %s\n",
                    qPrintable(AlarmOnsets(server, services, 1).text()));
        return 0;
    }
    // First of all, while the sound part is not loaded yet: the very first alarm of a run.
    const Figures cold = AlarmOnsets(server, services, 1);
    const Figures warm = AlarmOnsets(server, services, 10);
    std::printf("== alarm onset: tick to its first sample on the server (ms), goal < 30\n");
    std::printf("  first alarm of the run (loads the sound part): %s\n", qPrintable(cold.text()));
    std::printf("  later alarms, median / max of 10:             %s\n", qPrintable(warm.text()));
    QFile::rename(QStringLiteral("test.WAV"), QStringLiteral("good.wav"));
    QFile damaged(QStringLiteral("test.WAV"));
    if (damaged.open(QIODevice::WriteOnly))
        damaged.write("RIFF and nothing a wave file holds");
    damaged.close();
    std::printf("  unplayable file, the bell instead, median / max of 5 (goal < 100): %s\n",
                qPrintable(AlarmOnsets(server, services, 5).text()));
    QFile::remove(QStringLiteral("test.WAV"));
    QFile::rename(QStringLiteral("good.wav"), QStringLiteral("test.WAV"));
#ifdef ROTENU_BENCH_OLD_CANBERRA
    {
        OldCanberraSound old;
        PlatformServices oldServices{&old, nullptr, &old};
        std::printf("  former libcanberra call, median / max of 10:  %s\n",
                    qPrintable(AlarmOnsets(server, oldServices, 10).text()));
    }
#endif

    std::printf("== GUI-thread time of one call (ms), median / max of %d; goal: max < 1\n", calls);
    std::printf("  %-16s %-18s %-18s %-18s %-18s\n", "server", "beep", "beep (former)", "alarm",
                "alarm (former)");
    for (const char* state : {"running", "stopped", "absent"}) {
        if (QByteArray(state) == "stopped")
            server.pause();
        if (QByteArray(state) == "absent")
            server.stop();
        // The former calls first: the new ones leave connections waiting on a stopped server,
        // which would fill its queue and make the former calls fail at once.
        Figures oldBeeps, oldAlarms;
#ifdef ROTENU_BENCH_OLD_CANBERRA
        OldCanberraSound old;
        PlatformServices oldServices{&old, nullptr, &old};
        AlarmAtNextTick oldTimer(oldServices);
        oldBeeps = TimeCalls(calls, [&] { old.beep(); });
        oldAlarms = TimeCalls(
            calls, [&] { oldTimer.alarm(); }, [&] { oldTimer.arm(); });
#endif
        AlarmAtNextTick timer(services);
        const Figures beeps = TimeCalls(calls, [&] { sound.beeper.beep(); });
        const Figures alarms = TimeCalls(
            calls, [&] { timer.alarm(); }, [&] { timer.arm(); });
        std::printf("  %-16s %-18s %-18s %-18s %-18s\n", state, qPrintable(beeps.text()),
                    qPrintable(oldBeeps.text()), qPrintable(alarms.text()), qPrintable(oldAlarms.text()));
        std::fflush(stdout);
        if (QByteArray(state) == "stopped")
            server.resume();
    }
    // A test.wav that never opens (a FIFO nobody writes): the bell instead, and what the alarm costs.
    if (!server.start(&why)) {
        std::printf("  %s\n", qPrintable(why));
        return 1;
    }
    QFile::remove(QStringLiteral("test.WAV"));
    if (::mkfifo("test.WAV", 0600) == 0) {
        std::printf("== test.wav a FIFO, server running\n");
        std::printf("  the bell instead, onset median / max of 5 (ms): %s\n",
                    qPrintable(AlarmOnsets(server, services, 5).text()));
        AlarmAtNextTick timer(services);
        std::printf("  GUI-thread time of the alarm, median / max of %d (ms): %s\n", calls,
                    qPrintable(TimeCalls(
                                   calls, [&] { timer.alarm(); }, [&] { timer.arm(); })
                                   .text()));
    }
    // Sounds may still wait for the server: the program quits without waiting for them.
    return 0;
}
