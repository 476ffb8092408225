// The memory that alarm cycles leave behind: the feeding timer's one-cycle alarm sounded again
// and again through the real sound player on a private sound server, the process's resident size
// and the heap in use printed as the cycles go on.
//   alarm_memory [CYCLES] [--fifo]    CYCLES: alarms sounded (default 400); --fifo: test.wav a FIFO

#include "bench/RealSound.h"
#include "feedtimer/Timer.h"
#include "tests/support/ManualClock.h"
#include "tests/support/PrivateSoundServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <malloc.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

using namespace rotenu;
using namespace std::chrono_literals;

namespace {

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void Report(int cycle) {
    const struct mallinfo2 heap = mallinfo2();
    std::printf("  %6d %10ld %12zu %8lld\n", cycle, ResidentKb(), heap.uordblks / 1024,
                static_cast<long long>(QDir(QStringLiteral("/proc/self/task")).count() - 2));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    const bool fifo = argc > 2 && std::strcmp(argv[2], "--fifo") == 0;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const bool made =
        fifo ? ::mkfifo("test.WAV", 0600) == 0
             : QProcess::execute(QStringLiteral("sox"),
                                 {QStringLiteral("-n"), QStringLiteral("test.WAV"), QStringLiteral("synth"),
                                  QStringLiteral("0.2"), QStringLiteral("sine"), QStringLiteral("800")}) == 0;
    testing::PrivateSoundServer server;
    QString why;
    if (!made || !server.unavailable().isEmpty() || !server.start(&why)) {
        std::printf("  no test.wav or no sound server: %s%s\n", qPrintable(server.unavailable()),
                    qPrintable(why));
        return 1;
    }
    bench::RealSound sound;
    const PlatformServices& services = sound.services;
    testing::ManualClock clock;
    TForm2 form(services, clock);
    std::printf("== %d alarm cycles, test.wav %s\n   cycle   RSS (kB)  heap in use (kB)  threads\n", cycles,
                fifo ? "a FIFO" : "a 0.2 s tone");
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        form.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        clock.advance(210s);
        QTest::qWait(400); // the sound has played and its thread has ended
        if (cycle == 1 || cycle % 50 == 0)
            Report(cycle);
    }
    return 0;
}
