#pragma once
// Wave files for the sound tests and benchmarks: 16-bit mono PCM at 44.1 kHz, the encoding every
// player takes. Other encodings come from sox, where a test needs them.

#include <QByteArray>
#include <QString>

namespace rotenu::testing {

// `seconds` of a sine tone of `toneHz` (silence at 0 Hz), as the bytes of a wave file.
QByteArray ToneWave(double seconds, int toneHz = 0);
// Writes ToneWave(seconds, toneHz) to `path`; false when it cannot.
bool WriteToneWave(const QString& path, double seconds, int toneHz = 0);

} // namespace rotenu::testing
