#pragma once
// A sound server of the kind the machine runs (PulseAudio or PipeWire), private to one test or
// benchmark, as tests/support/private-sound-server starts it: a socket in a throwaway runtime
// directory and one null sink, whose monitor MonitorRecorder reads; nothing reaches a real device.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <memory>
#include <utility>
#include <vector>

namespace rotenu::testing {

class PrivateSoundServer {
public:
    // Points this process's sound clients (PULSE_SERVER) at the server's socket, which is absent
    // until start().
    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Why no server can run here (a program is missing); empty when one can.
    QString unavailable() const;
    // Starts the server and waits until it takes clients; false with `why` when it does not.
    bool start(QString* why = nullptr);
    // Ends the server; its socket goes with it.
    void stop();
    // Stops and continues the server's processes: a server that hangs.
    void pause() { signalServer(SIGSTOP); }
    void resume() { signalServer(SIGCONT); }

    QString sinkName() const { return QStringLiteral("rotenu_null"); }

private:
    // Sends `signal` to the script and every part of the server (their own process group).
    void signalServer(int signal);

    QTemporaryDir m_runtimeDir;
    std::unique_ptr<QProcess> m_server;
    QByteArray m_previousServer;
};

// Records the null sink's monitor as 16-bit mono samples at `SampleRate`, noting when each part
// of the recording arrived.
class MonitorRecorder {
public:
    static constexpr int SampleRate = 44100;
    using Clock = std::chrono::steady_clock;

    explicit MonitorRecorder(const PrivateSoundServer& server);
    ~MonitorRecorder();
    // Waits until the recording stream runs; false when it does not.
    bool waitUntilRecording();
    // Everything recorded so far (reading what has arrived).
    const QByteArray& recording();
    // When the sample at `index` came in (the time point's epoch when it has not yet).
    Clock::time_point arrivalOfSample(qsizetype index) const;

private:
    void read();

    QProcess m_process;
    QByteArray m_recording;
    QByteArray m_log;
    std::vector<std::pair<qsizetype, Clock::time_point>> m_arrivals; // samples recorded by then
};

} // namespace rotenu::testing
