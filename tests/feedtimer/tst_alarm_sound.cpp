// End to end: the alarm as the user hears it. A private PulseAudio server with a null sink takes
// the program's sound; recording the sink's monitor shows what played.

#include "ManualClock.h"
#include "feedtimer/Timer.h"
#include "platform/RealPlatform.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>
#include <numbers>

using namespace rotenu;
using namespace std::chrono_literals;

namespace {

constexpr int SampleRate = 44100;
constexpr double ToneHz = 1000;
const QString SinkName = QStringLiteral("rotenu_null");

// A mono 16-bit PCM wave file of a sine tone.
QByteArray ToneWave(double seconds) {
    const int frames = static_cast<int>(seconds * SampleRate);
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&out](const char* four) { out.writeRawData(four, 4); };
    tag("RIFF");
    out << quint32(36 + frames * 2);
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(SampleRate) << quint32(SampleRate * 2)
        << quint16(2) << quint16(16);
    tag("data");
    out << quint32(frames * 2);
    for (int i = 0; i < frames; ++i)
        out << qint16(std::lround(16000 * std::sin(2 * std::numbers::pi * ToneHz * i / SampleRate)));
    return wave;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// What a recording holds, judged in blocks of 50 ms (a whole number of periods of the tone).
struct Hearing {
    int loudBlocks = 0; // blocks well above silence
    int toneBlocks = 0; // loud blocks whose power is nearly all at the tone's frequency
};

Hearing Listen(const QByteArray& raw) {
    const auto* samples = reinterpret_cast<const qint16*>(raw.constData());
    const qsizetype count = raw.size() / 2;
    constexpr int block = SampleRate / 20;
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * ToneHz / SampleRate);
    Hearing hearing;
    for (qsizetype start = 0; start + block <= count; start += block) {
        double energy = 0, s1 = 0, s2 = 0;
        for (int i = 0; i < block; ++i) {
            const double x = samples[start + i];
            energy += x * x;
            const double s0 = x + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double rms = std::sqrt(energy / block);
        if (rms < 300)
            continue;
        ++hearing.loudBlocks;
        const double tonePower = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
        if (2 * tonePower / (block * energy) > 0.8)
            ++hearing.toneBlocks;
    }
    return hearing;
}

} // namespace

class TestAlarmSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void alarmPlaysTheWaveFileOfTheHelpNote();
    void withoutAPlayableFileTheBellRings();

private:
    // Runs the one-cycle alarm to its end while recording the sink, and returns the recording.
    QByteArray recordAlarm(std::function<bool(const Hearing&)> heardEnough);

    QTemporaryDir m_serverDir;
    QProcess m_server;
    std::unique_ptr<QTemporaryDir> m_workDir;
    QString m_previousDir;
};

void TestAlarmSound::initTestCase() {
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulseaudio.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty())
        QSKIP("pulseaudio, parec or pactl is not installed (scripts/setup installs them): no sound server to "
              "test with");
    QVERIFY(m_serverDir.isValid());
    const QString dir = m_serverDir.path();
    const QString socket = dir + QStringLiteral("/native");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    environment.remove(QStringLiteral("PULSE_SERVER"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    m_server.setProcessEnvironment(environment);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    // Nothing but a socket of its own and the null sink: no real device, no desktop session.
    m_server.start(pulseaudio,
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disable-shm=yes"),
                    QStringLiteral("--use-pid-file=no"), QStringLiteral("--system=no"),
                    QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                    QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                    QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=") + SinkName});
    if (!m_server.waitForStarted(10000))
        QSKIP(qPrintable(QStringLiteral("the sound server cannot start: ") + m_server.errorString()));

    qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toLocal8Bit());
    qputenv("PULSE_CLIENTCONFIG", "/dev/null");
    bool ready = false;
    for (int attempt = 0; attempt < 100 && !ready && m_server.state() == QProcess::Running; ++attempt) {
        QProcess info;
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        ready =
            info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
        if (!ready)
            QTest::qWait(100);
    }
    if (!ready) {
        m_server.kill();
        m_server.waitForFinished(5000);
        QSKIP(qPrintable(QStringLiteral("the sound server did not come up: ") +
                         QString::fromLocal8Bit(m_server.readAll()).trimmed()));
    }
}

void TestAlarmSound::cleanupTestCase() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

void TestAlarmSound::init() {
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid());
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestAlarmSound::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_workDir.reset();
}

QByteArray TestAlarmSound::recordAlarm(std::function<bool(const Hearing&)> heardEnough) {
    QProcess recorder;
    // Its messages untranslated: the test reads one of them.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("LANGUAGE"));
    recorder.setProcessEnvironment(environment);
    recorder.start(
        QStringLiteral("parec"),
        {QStringLiteral("--verbose"), QStringLiteral("--device=") + SinkName + QStringLiteral(".monitor"),
         QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(SampleRate),
         QStringLiteral("--channels=1"), QStringLiteral("--raw"), QStringLiteral("--latency-msec=20")});
    if (!recorder.waitForStarted(5000))
        return {};
    QByteArray log;
    const bool recorderReady = QTest::qWaitFor(
        [&] {
            log += recorder.readAllStandardError();
            return log.contains("Stream successfully created") || recorder.state() != QProcess::Running;
        },
        10000);
    if (!recorderReady || recorder.state() != QProcess::Running)
        return {};

    RealPlatform platform;
    testing::ManualClock clock;
    TForm2 form(platform.services(), clock);
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    clock.advance(210s);

    QByteArray recording;
    // Running out of time only ends the recording; the caller judges what it holds.
    [[maybe_unused]] const bool heard = QTest::qWaitFor(
        [&] {
            recording += recorder.readAllStandardOutput();
            return heardEnough(Listen(recording));
        },
        8000);
    recorder.terminate();
    recorder.waitForFinished(5000);
    recording += recorder.readAllStandardOutput();
    if (!log.contains("Stream successfully created"))
        qWarning("parec: %s", log.constData());
    return recording;
}

void TestAlarmSound::alarmPlaysTheWaveFileOfTheHelpNote() {
    // Named as the help note says, in the lower case that differs from the program's "test.WAV".
    WriteFile(QStringLiteral("test.wav"), ToneWave(0.8));
    const QByteArray recording = recordAlarm([](const Hearing& h) { return h.toneBlocks >= 12; });
    const Hearing hearing = Listen(recording);
    QVERIFY2(hearing.toneBlocks >= 12,
             qPrintable(QStringLiteral("heard %1 blocks of the tone, %2 loud blocks in %3 bytes")
                            .arg(hearing.toneBlocks)
                            .arg(hearing.loudBlocks)
                            .arg(recording.size())));
}

void TestAlarmSound::withoutAPlayableFileTheBellRings() {
    if (!QFile::exists(QStringLiteral("/usr/share/sounds/freedesktop/stereo/bell.oga")))
        QSKIP("the freedesktop sound theme is not installed (sound-theme-freedesktop): no bell to hear");
    const auto rang = [](const Hearing& h) { return h.loudBlocks >= 2; };

    // No file at all.
    Hearing hearing = Listen(recordAlarm(rang));
    QVERIFY2(hearing.loudBlocks >= 2, "the bell did not ring for a missing file");
    QCOMPARE(hearing.toneBlocks, 0);

    // A file of that name that is no sound.
    WriteFile(QStringLiteral("test.WAV"), QByteArray("this is not a wave file\n").repeated(100));
    hearing = Listen(recordAlarm(rang));
    QVERIFY2(hearing.loudBlocks >= 2, "the bell did not ring for a file that cannot be played");
    QCOMPARE(hearing.toneBlocks, 0);
}

QTEST_MAIN(TestAlarmSound)
#include "tst_alarm_sound.moc"
