#include "support/PrivateSoundServer.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <csignal>

namespace rotenu::testing {
namespace {

bool Installed(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

} // namespace

bool PrivateSoundServer::usesPipeWire() {
    // Where pipewire-pulse is installed it is the desktop's server; pulseaudio must never be put
    // beside it, so its tests run on PipeWire.
    return Installed("pipewire-pulse");
}

PrivateSoundServer::PrivateSoundServer() : m_previousServer(qgetenv("PULSE_SERVER")) {
    const QString dir = m_runtimeDir.path();
    QDir(dir).mkpath(QStringLiteral("pulse"));
    m_environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "PIPEWIRE_RUNTIME_DIR"})
        m_environment.insert(QString::fromLatin1(name), dir);
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    m_environment.insert(QStringLiteral("XDG_STATE_HOME"), dir + QStringLiteral("/state"));
    m_environment.remove(QStringLiteral("PULSE_SERVER"));
    m_environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    qputenv("PULSE_SERVER",
            QString(QStringLiteral("unix:") + dir + QStringLiteral("/pulse/native")).toLocal8Bit());
    qputenv("PULSE_CLIENTCONFIG", "/dev/null");
}

PrivateSoundServer::~PrivateSoundServer() {
    stop();
    qputenv("PULSE_SERVER", m_previousServer);
}

QString PrivateSoundServer::unavailable() const {
    const QList<const char*> programs = usesPipeWire()
                                            ? QList<const char*>{"pipewire", "wireplumber", "pipewire-pulse"}
                                            : QList<const char*>{"pulseaudio"};
    for (const char* program : programs + QList<const char*>{"pactl", "parec"}) {
        if (!Installed(program))
            return QString::fromLatin1(program) + QStringLiteral(" is not installed");
    }
    return {};
}

QProcess* PrivateSoundServer::launch(const QString& program, const QStringList& arguments) {
    auto& process = m_processes.emplace_back(std::make_unique<QProcess>());
    process->setProcessEnvironment(m_environment);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    return process.get();
}

bool PrivateSoundServer::answers() const {
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

bool PrivateSoundServer::start(QString* why) {
    stop();
    const QString socket = m_runtimeDir.path() + QStringLiteral("/pulse/native");
    if (usesPipeWire()) {
        launch(QStringLiteral("pipewire"), {});
        launch(QStringLiteral("wireplumber"), {});
        launch(QStringLiteral("pipewire-pulse"), {});
    } else {
        // Nothing but a socket of its own and the null sink: no real device, no desktop session.
        launch(QStringLiteral("pulseaudio"),
               {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                QStringLiteral("--disable-shm=yes"), QStringLiteral("--use-pid-file=no"),
                QStringLiteral("--system=no"), QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=") + sinkName()});
    }
    QProcess* server = m_processes.back().get();
    bool ready = server->waitForStarted(10000);
    for (int attempt = 0; ready && !answers(); ++attempt) {
        ready = attempt < 100 && server->state() == QProcess::Running;
        QTest::qWait(100);
    }
    if (ready && usesPipeWire()) {
        QProcess load;
        load.start(QStringLiteral("pactl"),
                   {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                    QStringLiteral("sink_name=") + sinkName()});
        ready = load.waitForFinished(5000) && load.exitCode() == 0;
        QProcess setDefault;
        setDefault.start(QStringLiteral("pactl"), {QStringLiteral("set-default-sink"), sinkName()});
        setDefault.waitForFinished(5000);
    }
    if (!ready && why)
        *why =
            QStringLiteral("the sound server did not come up: ") + QString::fromLocal8Bit(server->readAll());
    if (!ready)
        stop();
    return ready;
}

void PrivateSoundServer::stop() {
    resume();
    // The PulseAudio protocol's server first, so that clients see the socket go.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess& process = **it;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    m_processes.clear();
    QFile::remove(m_runtimeDir.path() + QStringLiteral("/pulse/native"));
}

void PrivateSoundServer::pause() {
    for (const auto& process : m_processes)
        ::kill(process->processId(), SIGSTOP);
}

void PrivateSoundServer::resume() {
    for (const auto& process : m_processes) {
        if (process->state() == QProcess::Running)
            ::kill(process->processId(), SIGCONT);
    }
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
