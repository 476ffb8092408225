#pragma once
// Wave files for the sound tests and benchmarks: 16-bit mono PCM at 44.1 kHz, the encoding every
// player takes. Other encodings come from sox, where a test needs them.

#include <QDataStream>
#include <QFile>

#include <cmath>
#include <numbers>

namespace rotenu::testing {

// Writes `seconds` of a sine tone of `toneHz` (silence at 0 Hz) to `path`; false when it cannot.
inline bool WriteToneWave(const QString& path, double seconds, int toneHz = 0) {
    constexpr int kRate = 44100;
    const auto frames = quint32(std::lround(seconds * kRate));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&out](const char* four) { out.writeRawData(four, 4); };
    tag("RIFF");
    out << quint32(36 + frames * 2);
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2) << quint16(2)
        << quint16(16);
    tag("data");
    out << quint32(frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(std::lround(16000 * std::sin(2 * std::numbers::pi * toneHz * i / kRate)));
    return out.status() == QDataStream::Ok && file.flush();
}

} // namespace rotenu::testing
