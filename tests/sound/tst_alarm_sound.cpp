// End to end: the alarm as the user hears it. A private sound server with a null sink takes the
// program's sound; recording the sink's monitor shows what played.

#include "feedtimer/Timer.h"
#include "platform/LoadablePart.h"
#include "platform/RealPlatform.h"
#include "sound/SoundPartEntry.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ManualClock.h"
#include "tests/support/PrivateSoundServer.h"
#include "tests/support/WaveFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <sys/stat.h>
#include <unistd.h>

using namespace rotenu;
using namespace std::chrono_literals;
using testing::MonitorRecorder;

namespace {

constexpr char SoundAndQuit[] = "--sound-and-quit";
constexpr char ThemeBell[] = "--theme-bell";
constexpr int Rate = MonitorRecorder::SampleRate;
constexpr int Block = Rate / 20; // 50 ms: a whole number of periods of every tone used here

// What a recording holds from `from` on: blocks well above silence, and those of them whose power
// is mostly at `toneHz`.
struct Hearing {
    int loudBlocks = 0;
    int toneBlocks = 0;
    QString text() const {
        return QStringLiteral("%1 tone blocks among %2 loud").arg(toneBlocks).arg(loudBlocks);
    }
};

Hearing Listen(const QByteArray& raw, qsizetype from, double toneHz) {
    const auto* samples = reinterpret_cast<const qint16*>(raw.constData());
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * toneHz / Rate);
    Hearing hearing;
    for (qsizetype start = from / 2; start + Block <= raw.size() / 2; start += Block) {
        double energy = 0, s1 = 0, s2 = 0;
        for (int i = 0; i < Block; ++i) {
            const double x = samples[start + i];
            energy += x * x;
            const double s0 = x + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        if (std::sqrt(energy / Block) < 300)
            continue;
        ++hearing.loudBlocks;
        if (2 * (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (Block * energy) > 0.5)
            ++hearing.toneBlocks;
    }
    return hearing;
}

// What a sound that never ends could pile up: the program's threads and open files, the server's clients.
struct Holdings {
    qsizetype threads = 0, files = 0, serverClients = 0;
    bool operator<=(const Holdings& o) const {
        return threads <= o.threads && files <= o.files && serverClients <= o.serverClients;
    }
    QString text() const {
        return QStringLiteral("%1 threads, %2 files, %3 server clients")
            .arg(threads)
            .arg(files)
            .arg(serverClients);
    }
};

Holdings Held() {
    const auto entries = [](const char* folder) {
        return QDir(QString::fromLatin1(folder))
            .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
            .size();
    };
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("clients")});
    // A server that refuses pactl ("Too many connections") has more clients than any count.
    const bool listed = pactl.waitForFinished(5000) && pactl.exitCode() == 0;
    return {entries("/proc/self/task"), entries("/proc/self/fd"),
            listed ? pactl.readAllStandardOutput().count('\n') : std::numeric_limits<qsizetype>::max()};
}

// A feeding timer window whose one-cycle alarm has come due: started, and 3½ minutes on.
struct RungAlarm {
    explicit RungAlarm(const PlatformServices& services) : form(services, clock) {
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        clock.advance(210s);
    }
    testing::ManualClock clock;
    TForm2 form;
};

// テスト in Shift_JIS: not valid UTF-8.
constexpr char ShiftJisFolder[] = "\x83\x65\x83\x58\x83\x67";

} // namespace

class TestAlarmSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void eachEncodingPlaysItsOwnTone_data();
    void eachEncodingPlaysItsOwnTone();
    void damagedFilePlaysWhatItHoldsOrRingsTheBell_data();
    void damagedFilePlaysWhatItHoldsOrRingsTheBell();
    void nextAlarmEndsTheSoundStillPlaying();
    void stoppedServerHoldsNothing();
    void serverThatStartsLateOrRestartsIsUsed();
    void bellFollowsTheDesktopSoundSettings_data();
    void bellFollowsTheDesktopSoundSettings();

private:
    // Where the recording stands once the last sound has died away.
    qsizetype quietRecording();
    // Sounds the one-cycle alarm through `services` and waits until `heard` is true of what the
    // sink plays from then on (or 10 s have passed: the first sound of a run may wait for GStreamer to list
    // its plugins), and `listenOnMs` longer; returns what was heard.
    Hearing soundAlarm(const PlatformServices& services, double toneHz,
                       std::function<bool(const Hearing&)> heard, int listenOnMs = 0);
    static bool toneHeard(const Hearing& h) { return h.toneBlocks >= 3; }
    // Sounds the alarm through the real player with its beeps counted: a file that plays is heard
    // and never falls back to the beep as well; one that cannot gives one beep, the bell.
    void alarmPlaysOrBeeps(double toneHz, bool plays);

    testing::PrivateSoundServer m_server;
    std::unique_ptr<MonitorRecorder> m_recorder;
    bool m_quietFirst = true;                 // whether soundAlarm() waits for the last sound to die away
    std::unique_ptr<QTemporaryDir> m_workDir; // the current folder during each test
};

void TestAlarmSound::initTestCase() {
    if (!m_server.unavailable().isEmpty())
        QSKIP(qPrintable(m_server.unavailable() + QStringLiteral(" (scripts/setup installs it)")));
    QString why;
    if (!m_server.start(&why))
        QSKIP(qPrintable(why));
    // The desktop's own sound settings (a silenced bell, another theme) must not reach these tests.
    qputenv("GSETTINGS_BACKEND", "memory");
}

void TestAlarmSound::init() {
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid() && QDir::setCurrent(m_workDir->path()));
}

Hearing TestAlarmSound::soundAlarm(const PlatformServices& services, double toneHz,
                                   std::function<bool(const Hearing&)> heard, int listenOnMs) {
    const qsizetype from = quietRecording();
    const RungAlarm alarm(services);
    (void)QTest::qWaitFor([&] { return heard(Listen(m_recorder->recording(), from, toneHz)); }, 10000);
    QTest::qWait(listenOnMs);
    return Listen(m_recorder->recording(), from, toneHz);
}

qsizetype TestAlarmSound::quietRecording() {
    if (!m_recorder) {
        m_recorder = std::make_unique<MonitorRecorder>(m_server);
        if (!m_recorder->waitUntilRecording())
            return 0;
    }
    // The last sound has died away: its last 100 ms are silent.
    (void)QTest::qWaitFor(
        [&] {
            const QByteArray& recording = m_recorder->recording();
            return recording.size() >= 4 * Block &&
                   Listen(recording, recording.size() - 4 * Block, 1).loudBlocks == 0;
        },
        m_quietFirst ? 3000 : 0);
    return m_recorder->recording().size();
}

void TestAlarmSound::eachEncodingPlaysItsOwnTone_data() {
    QTest::addColumn<QStringList>("soxArguments");
    QTest::addColumn<int>("toneHz");
    // sox writes a quarter-second tone to test.wav with the output options `format`.
    const auto row = [](const char* name, const char* format, int toneHz) {
        const QString arguments =
            QStringLiteral("-n %1 test.wav synth 0.25 sine %2").arg(QString::fromLatin1(format));
        QTest::newRow(name) << arguments.arg(toneHz).split(u' ') << toneHz;
    };
    // What sox writes: more than 16 bits or more than two channels as WAVE_FORMAT_EXTENSIBLE,
    // unless told -t wavpcm.
    row("PCM 8-bit 8 kHz", "-r 8000 -b 8", 500);
    row("PCM 16-bit stereo 16 kHz", "-r 16000 -c 2 -b 16", 600);
    row("PCM 24-bit extensible stereo 96 kHz", "-r 96000 -c 2 -b 24", 700);
    row("PCM 24-bit plain", "-t wavpcm -r 44100 -b 24", 800);
    row("PCM 32-bit extensible", "-r 44100 -b 32", 900);
    row("float 32-bit stereo 48 kHz", "-r 48000 -c 2 -e floating-point -b 32", 1000);
    row("float 64-bit 96 kHz", "-r 96000 -e floating-point -b 64", 1100);
    row("IMA ADPCM 22 kHz", "-r 22050 -e ima-adpcm", 1200);
    row("MS ADPCM 11 kHz", "-r 11025 -e ms-adpcm", 1300);
    row("u-law 8 kHz", "-r 8000 -e u-law", 1400);
    row("A-law 8 kHz", "-r 8000 -e a-law", 1500);
    row("GSM 6.10 8 kHz", "-r 8000 -e gsm-full-rate", 600);
}

void TestAlarmSound::alarmPlaysOrBeeps(double toneHz, bool plays) {
    RealPlatform platform;
    testing::CountingBeeper beeper;
    beeper.passOn = platform.services().beeper;
    PlatformServices services = platform.services();
    services.beeper = &beeper;
    // The bell is short: one loud block of it is enough; listening on, no tone of the file comes.
    const auto heard = [plays](const Hearing& h) { return plays ? toneHeard(h) : h.loudBlocks >= 1; };
    const Hearing hearing = soundAlarm(services, toneHz, heard, plays ? 300 : 500);
    QVERIFY2(heard(hearing) && (plays || hearing.toneBlocks == 0), qPrintable(hearing.text()));
    QCOMPARE(beeper.count, plays ? 0 : 1);
}

void TestAlarmSound::eachEncodingPlaysItsOwnTone() {
    QFETCH(QStringList, soxArguments);
    QFETCH(int, toneHz);
    if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty())
        QSKIP("sox is not installed (scripts/setup installs it): no file in these encodings");
    QProcess sox;
    sox.start(QStringLiteral("sox"), soxArguments);
    QVERIFY(sox.waitForFinished(10000) && sox.exitCode() == 0);
    alarmPlaysOrBeeps(toneHz, true);
}

void TestAlarmSound::damagedFilePlaysWhatItHoldsOrRingsTheBell_data() {
    QTest::addColumn<QByteArray>("damage");
    QTest::addColumn<bool>("plays");
    // Every way an alarm file cannot play: the alarm falls back to the beep.
    for (const char* damage : {"missing", "empty", "truncated", "no samples", "not a wave file",
                               "RIFF of no wave", "unknown encoding", "unreadable", "a FIFO", "a folder"})
        QTest::newRow(damage) << QByteArray(damage) << false;
    // Data that ends before its header says: what there is of it plays.
    QTest::newRow("data cut short") << QByteArray("data cut short") << true;
    QTest::newRow("in a Shift_JIS folder") << QByteArray("in a Shift_JIS folder") << true;
}

void TestAlarmSound::damagedFilePlaysWhatItHoldsOrRingsTheBell() {
    QFETCH(QByteArray, damage);
    QFETCH(bool, plays);
    if (!QFile::exists(QStringLiteral("/usr/share/sounds/freedesktop/stereo/bell.oga")))
        QSKIP("the freedesktop sound theme is not installed (sound-theme-freedesktop): no bell to hear");
    constexpr int ToneHz = 1000;
    const auto leaveFolder = qScopeGuard([&] {
        if (damage == "in a Shift_JIS folder" &&
            ::chdir(QFile::encodeName(m_workDir->path()).constData()) == 0)
            ::unlink(QByteArray(QByteArray(ShiftJisFolder) + "/test.WAV").constData()),
                ::rmdir(ShiftJisFolder);
    });
    if (damage == "in a Shift_JIS folder")
        QVERIFY(::mkdir(ShiftJisFolder, 0700) == 0 && ::chdir(ShiftJisFolder) == 0);
    QFile file(QStringLiteral("test.WAV"));
    if (damage == "a FIFO") {
        QVERIFY(::mkfifo("test.WAV", 0600) == 0);
    } else if (damage == "a folder") {
        QVERIFY(QDir().mkdir(QStringLiteral("test.WAV")));
    } else if (damage != "missing") {
        QVERIFY(testing::WriteToneWave(QStringLiteral("test.WAV"), plays ? 1 : 0.25, ToneHz));
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (damage == "empty")
            file.resize(0);
        else if (damage == "truncated")
            file.resize(30); // within the format chunk
        else if (damage == "no samples")
            file.resize(file.readAll().indexOf("data") + 8); // the header alone
        else if (damage == "data cut short")
            file.resize(file.size() / 2);
        else if (damage == "not a wave file")
            file.write("this is not a wave file\n");
        else if (damage == "RIFF of no wave")
            file.resize(0) && file.write(QByteArray("RIFF but nothing after it\n").repeated(40));
        else if (damage == "unknown encoding")
            file.seek(20) && file.write("\x77\x77", 2); // the format code
        file.close();
        if (damage == "unreadable") {
            file.setPermissions({});
            if (file.open(QIODevice::ReadOnly))
                QSKIP("this user reads every file (root)");
        }
    }
    alarmPlaysOrBeeps(ToneHz, plays);
    if (damage != "a FIFO")
        return;
    // A file that never opens holds nothing, however many alarms ring the bell for it.
    quietRecording();
    RealPlatform platform;
    const Holdings afterFirst = Held();
    int refused = 0;
    for (int alarm = 2; alarm <= 200; ++alarm)
        platform.services().wavePlayer->playAsync(QStringLiteral("test.WAV"), [&] {
            ++refused;
            platform.services().beeper->beep();
        });
    QTRY_COMPARE_WITH_TIMEOUT(refused, 199, 10000);
    Holdings held;
    QVERIFY2(QTest::qWaitFor([&] { return (held = Held()) <= afterFirst; }, 10000),
             qPrintable(afterFirst.text() + QStringLiteral(" after the first alarm, ") + held.text() +
                        QStringLiteral(" after 200")));
    // And a good file in its place plays.
    QVERIFY(QFile::remove(QStringLiteral("test.WAV")) &&
            testing::WriteToneWave(QStringLiteral("test.WAV"), 0.25, ToneHz));
    alarmPlaysOrBeeps(ToneHz, true);
}

void TestAlarmSound::nextAlarmEndsTheSoundStillPlaying() {
    RealPlatform platform;
    QVERIFY(testing::WriteToneWave(QStringLiteral("test.WAV"), 3, 500));
    QVERIFY(toneHeard(soundAlarm(platform.services(), 500, toneHeard)));
    QVERIFY(testing::WriteToneWave(QStringLiteral("test.WAV"), 0.25, 900));
    m_quietFirst = false;
    const Hearing second = soundAlarm(platform.services(), 900, toneHeard, 700);
    m_quietFirst = true;
    QVERIFY(toneHeard(second));
    // The last 300 ms, after the short tone: the long one would still sound there.
    const QByteArray& recording = m_recorder->recording();
    QCOMPARE(Listen(recording, recording.size() - 12 * Block, 500).loudBlocks, 0);
}

void TestAlarmSound::stoppedServerHoldsNothing() {
    QVERIFY(testing::WriteToneWave(QStringLiteral("test.WAV"), 0.25, 700));
    RealPlatform platform;
    testing::CountingBeeper alarmBeeper;
    PlatformServices services = platform.services();
    services.beeper = &alarmBeeper;
    m_server.pause();
    auto resume = qScopeGuard([this] { m_server.resume(); });
    // A server that does not answer holds a client for 30 s; a sound must not hold the window.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i)
        platform.services().beeper->beep();
    const RungAlarm alarm(services);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QStringLiteral("held for %1 ms").arg(timer.elapsed())));
    QCOMPARE(alarm.form.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral(u"一周期アラーム終了"));
    // An alarm that the server has not answered within a short while gives the beep instead.
    QTRY_COMPARE_WITH_TIMEOUT(alarmBeeper.count, 1, 5000);

    // A program that quits while its sounds still wait for the server quits at once, cleanly.
    QProcess program;
    program.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(SoundAndQuit)});
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    // Once the server goes on, the next alarm plays.
    resume.dismiss();
    m_server.resume();
    QVERIFY(toneHeard(soundAlarm(platform.services(), 700, toneHeard)));
}

void TestAlarmSound::serverThatStartsLateOrRestartsIsUsed() {
    QVERIFY(testing::WriteToneWave(QStringLiteral("test.WAV"), 0.25, 800));
    testing::CountingBeeper beeper;
    RealPlatform platform;
    PlatformServices services = platform.services();
    services.beeper = &beeper;

    // No server yet: the alarm beeps instead.
    m_recorder.reset();
    m_server.stop();
    const RungAlarm alarm(services);
    QTRY_COMPARE(beeper.count, 1);

    for (const char* when : {"started late", "restarted"}) {
        m_recorder.reset();
        m_server.stop();
        QString why;
        QVERIFY2(m_server.start(&why), qPrintable(why));
        const Hearing hearing = soundAlarm(services, 800, toneHeard);
        QVERIFY2(toneHeard(hearing), when);
        QVERIFY2(beeper.count == 1, when);
    }
}

void TestAlarmSound::bellFollowsTheDesktopSoundSettings_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("heard");
    const QByteArray theme = "theme-name='rotenu-test'\n";
    QTest::newRow("the bell of the theme it inherits") << theme << QStringLiteral("tone");
    QTest::newRow("no bell in a loop of themes") << theme << QStringLiteral("freedesktop bell");
    QTest::newRow("the theme's index a FIFO") << theme << QStringLiteral("freedesktop bell");
    QTest::newRow("event sounds off") << theme + "event-sounds=false\n" << QStringLiteral("silence");
}

// In a program of its own, whose desktop settings and data folders are throwaway ones.
void TestAlarmSound::bellFollowsTheDesktopSoundSettings() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, heard);
    if (QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("glib-2.0/schemas/org.gnome.desktop.sound.gschema.xml"))
            .isEmpty())
        QSKIP("GNOME's sound settings schema is not installed (gsettings-desktop-schemas)");
    if (heard == u"freedesktop bell" &&
        !QFile::exists(QStringLiteral("/usr/share/sounds/freedesktop/stereo/bell.oga")))
        QSKIP("the freedesktop sound theme is not installed (sound-theme-freedesktop)");
    constexpr int ToneHz = 1000;
    const QDir root(m_workDir->path());
    const auto write = [&](const QString& name, const QByteArray& text) {
        QVERIFY(root.mkpath(QFileInfo(name).path()));
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    };
    write(QStringLiteral("config/glib-2.0/settings/keyfile"), "[org/gnome/desktop/sound]\n" + settings);
    write(QStringLiteral("data/sounds/rotenu-test/index.theme"),
          "[Sound Theme]\nName=Test\nInherits=rotenu-test-base\nDirectories=stereo\n"
          "[stereo]\nOutputProfile=stereo\n");
    // The theme inherited, which inherits back; its bell is in the one stereo folder it lists.
    write(QStringLiteral("data/sounds/rotenu-test-base/index.theme"),
          "[Sound Theme]\nName=Base\nInherits=rotenu-test\nDirectories=5.1,hq\n"
          "[5.1]\nOutputProfile=5.1\n[hq]\nOutputProfile=stereo\n");
    QVERIFY(root.mkpath(QStringLiteral("data/sounds/rotenu-test-base/hq")) &&
            root.mkpath(QStringLiteral("data/sounds/rotenu-test-base/5.1")));
    QVERIFY(testing::WriteToneWave(root.filePath(QStringLiteral("data/sounds/rotenu-test-base/5.1/bell.wav")),
                                   0.25, 500));
    if (QTest::currentDataTag() == QByteArrayView("the theme's index a FIFO")) {
        const QString index = root.filePath(QStringLiteral("data/sounds/rotenu-test/index.theme"));
        QVERIFY(QFile::remove(index) && ::mkfifo(QFile::encodeName(index).constData(), 0600) == 0);
    }
    if (heard != u"freedesktop bell")
        QVERIFY(testing::WriteToneWave(
            root.filePath(QStringLiteral("data/sounds/rotenu-test-base/hq/bell.wav")), 0.5, ToneHz));

    const qsizetype from = quietRecording();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ThemeBell)});
    // It ends once the bell has. Exit code 0: the bell played, or was silent as asked, and so
    // no other beep stands in for it.
    QVERIFY(program.waitForFinished(15000));
    QCOMPARE(program.exitCode(), 0);
    const auto matches = [&](const Hearing& h) {
        if (heard == u"silence")
            return h.loudBlocks == 0;
        return heard == u"tone" ? toneHeard(h) : h.loudBlocks >= 1 && h.toneBlocks == 0;
    };
    if (heard != u"silence")
        (void)QTest::qWaitFor([&] { return matches(Listen(m_recorder->recording(), from, ToneHz)); }, 2000);
    QTest::qWait(300);
    const Hearing hearing = Listen(m_recorder->recording(), from, ToneHz);
    QVERIFY2(matches(hearing), qPrintable(hearing.text()));
}

// With SoundAndQuit: a program that beeps, sounds the alarm and quits at once.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], SoundAndQuit) == 0) {
        RealPlatform platform;
        platform.services().beeper->beep();
        platform.services().wavePlayer->playAsync(QStringLiteral("test.WAV"), [] {});
        return 0;
    }
    // With ThemeBell: a program that plays the bell through the sound part and tells whether it
    // counted as played.
    if (argc == 2 && qstrcmp(argv[1], ThemeBell) == 0) {
        struct Bell final : SoundRequest {
            bool played = false;
            void tellOutcome(bool playing) override { played = playing; }
            bool stillWanted() const override { return true; }
        } bell;
        if (const auto entry =
                reinterpret_cast<SoundPartEntry>(ResolvePartSymbol(kSoundPart, kSoundPartEntry)))
            entry()->play(std::nullopt, bell);
        return bell.played ? 0 : 1;
    }
    TestAlarmSound test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_alarm_sound.moc"
