// Preloaded (LD_PRELOAD) into a Qt Widgets program: at the end of the first paint of a top-level
// window it writes the CLOCK_MONOTONIC time in nanoseconds to the file named by
// FIRST_PAINT_PROBE_OUT and ends the event loop. With FIRST_PAINT_PROBE_CLOSE set it closes that
// window instead, as the user would with its close button. With FIRST_PAINT_PROBE_LIBS set it also
// writes there the shared objects mapped at that moment, one path a line (the probe itself left out).

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void WriteLoadedSharedObjects(const char* path) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    QSet<QByteArray> objects;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        const QByteArray file = slash < 0 ? QByteArray() : line.mid(slash);
        if (file.contains(".so") && !file.contains("first_paint_probe"))
            objects.insert(file);
    }
    QList<QByteArray> sorted(objects.begin(), objects.end());
    std::sort(sorted.begin(), sorted.end());
    QFile out(QString::fromLocal8Bit(path));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(sorted.join('\n') + '\n');
}

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

class FirstPaintProbe final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // Runs once the paint and the flush to the screen that follows it are done.
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, this, [window] {
                const long long painted = MonotonicNanoseconds();
                if (const char* path = std::getenv("FIRST_PAINT_PROBE_OUT")) {
                    if (FILE* out = std::fopen(path, "w")) {
                        std::fprintf(out, "%lld\n", painted);
                        std::fclose(out);
                    }
                }
                if (const char* path = std::getenv("FIRST_PAINT_PROBE_LIBS"))
                    WriteLoadedSharedObjects(path);
                if (std::getenv("FIRST_PAINT_PROBE_CLOSE") && window)
                    window->close();
                else
                    QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void InstallProbe() {
    auto* probe = new FirstPaintProbe(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
