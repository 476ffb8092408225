#include "tests/support/PrivateSoundServer.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace rotenu::testing {
namespace {
const QString kScript = QStringLiteral(ROTENU_SOUND_SERVER_SCRIPT);
} // namespace

PrivateSoundServer::PrivateSoundServer() : m_previousServer(qgetenv("PULSE_SERVER")) {
    qputenv("PULSE_SERVER",
            QString(QStringLiteral("unix:") + m_runtimeDir.path() + QStringLiteral("/pulse/native"))
                .toLocal8Bit());
    qputenv("PULSE_CLIENTCONFIG", "/dev/null");
}

PrivateSoundServer::~PrivateSoundServer() {
    stop();
    qputenv("PULSE_SERVER", m_previousServer);
}

QString PrivateSoundServer::unavailable() const {
    QProcess check;
    check.start(kScript, {QStringLiteral("--check")});
    if (!check.waitForFinished(5000))
        return kScript + QStringLiteral(" did not run");
    return check.exitCode() == 0 ? QString()
                                 : QString::fromLocal8Bit(check.readAllStandardOutput()).trimmed();
}

bool PrivateSoundServer::start(QString* why) {
    stop();
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::MergedChannels);
    // A process group of its own, so that pause() stops every part at once.
    m_server->setChildProcessModifier([] { ::setpgid(0, 0); });
    m_server->start(kScript, {m_runtimeDir.path(), sinkName()});
    QByteArray output;
    // Each part waits up to 10 s for the one before it.
    const bool ready = m_server->waitForStarted(5000) &&
                       QTest::qWaitFor(
                           [&] {
                               output += m_server->readAll();
                               return output.contains("ready\n") || m_server->state() != QProcess::Running;
                           },
                           60000) &&
                       output.contains("ready\n");
    if (!ready && why)
        *why = QStringLiteral("the sound server did not come up: ") + QString::fromLocal8Bit(output);
    if (!ready)
        stop();
    return ready;
}

void PrivateSoundServer::signalServer(int signal) {
    if (m_server && m_server->state() == QProcess::Running)
        ::kill(-static_cast<pid_t>(m_server->processId()), signal);
}

void PrivateSoundServer::stop() {
    if (!m_server)
        return;
    resume();
    // The script ends its parts, the PulseAudio protocol's server first.
    m_server->terminate();
    if (!m_server->waitForFinished(10000)) {
        signalServer(SIGKILL);
        m_server->waitForFinished(5000);
    }
    m_server.reset();
    QFile::remove(m_runtimeDir.path() + QStringLiteral("/pulse/native"));
}

MonitorRecorder::MonitorRecorder(const PrivateSoundServer& server) {
    // Its messages untranslated: waitUntilRecording() reads one of them.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("LANGUAGE"));
    m_process.setProcessEnvironment(environment);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { read(); });
    m_process.start(QStringLiteral("parec"),
                    {QStringLiteral("--verbose"),
                     QStringLiteral("--device=") + server.sinkName() + QStringLiteral(".monitor"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(SampleRate),
                     QStringLiteral("--channels=1"), QStringLiteral("--raw"),
                     QStringLiteral("--latency-msec=5")});
}

MonitorRecorder::~MonitorRecorder() {
    m_process.disconnect();
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool MonitorRecorder::waitUntilRecording() {
    return m_process.waitForStarted(5000) &&
           QTest::qWaitFor(
               [this] {
                   m_log += m_process.readAllStandardError();
                   return m_log.contains("Stream successfully created") ||
                          m_process.state() != QProcess::Running;
               },
               10000) &&
           m_process.state() == QProcess::Running;
}

void MonitorRecorder::read() {
    const QByteArray data = m_process.readAllStandardOutput();
    if (data.isEmpty())
        return;
    m_recording += data;
    m_arrivals.emplace_back(m_recording.size() / 2, Clock::now());
}

const QByteArray& MonitorRecorder::recording() {
    read();
    return m_recording;
}

MonitorRecorder::Clock::time_point MonitorRecorder::arrivalOfSample(qsizetype index) const {
    const auto arrival = std::find_if(m_arrivals.begin(), m_arrivals.end(),
                                      [index](const auto& entry) { return entry.first > index; });
    return arrival == m_arrivals.end() ? Clock::time_point{} : arrival->second;
}

} // namespace rotenu::testing
