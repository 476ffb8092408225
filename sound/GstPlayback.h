#pragma once

#include <functional>
#include <string_view>

namespace rotenu::sound {

// How a file is read: the alarm only as a wave file, whatever encoding it holds; a sound theme's
// file as whatever audio it is.
enum class SoundFileKind { Wave, AnyAudio };

// Plays the bytes of one file, already read, through a GStreamer pipeline of its own and the desktop's sound
// server (PulseAudio, or PipeWire through pipewire-pulse), and returns when it has ended, failed or is no
// longer `wanted` (asked every 50 ms while it plays). `outcome` runs exactly once: true as soon as the first
// samples are playing, false when the file cannot be played, the server refuses the stream, the server has
// not answered within a short time, or the sound has not started within a longer one.
void PlayToEnd(std::string_view bytes, SoundFileKind kind, const std::function<void(bool playing)>& outcome,
               const std::function<bool()>& wanted);

} // namespace rotenu::sound
