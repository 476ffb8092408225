#include "tests/support/WaveFile.h"

#include <QDataStream>
#include <QFile>

#include <cmath>
#include <numbers>

namespace rotenu::testing {

QByteArray ToneWave(double seconds, int toneHz) {
    constexpr int kRate = 44100;
    const auto frames = quint32(std::lround(seconds * kRate));
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
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
    return wave;
}

bool WriteToneWave(const QString& path, double seconds, int toneHz) {
    const QByteArray wave = ToneWave(seconds, toneHz);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(wave) == wave.size();
}

} // namespace rotenu::testing
