#pragma once
// Standard C++ and POSIX only: the sound part module compiles it too.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace rotenu {

// The most of a sound file that is read: beyond it, what was read plays (over six minutes of CD
// quality), rather than holding that much memory for an alarm.
constexpr std::size_t kMaxSoundFileBytes = 64 * 1024 * 1024;

// The bytes of the file at `path` (its first `limit` bytes), read whole at once; nothing when it is
// not a regular file or cannot be read. Anything but a regular file (a FIFO, a device, a folder)
// is never opened, not even one that takes a regular file's place between the look and the open:
// the open does not wait, and what it opened is looked at again. `progress`, when given, is told
// the bytes read so far after each read.
std::optional<std::string> ReadRegularFile(const char* path, std::size_t limit,
                                           const std::function<void(std::size_t)>& progress = {});

} // namespace rotenu
