#pragma once

#include <QByteArray>

#include <chrono>
#include <optional>
#include <string>

namespace rotenu {

// How long a look-up or read may go without progress before the file counts as unreadable.
constexpr std::chrono::milliseconds kReadStallTimeout{2000};

// Looks up the regular file at `path`, its letter case ignored, and reads it whole, on a thread of
// its own; waits only while the reading goes on. A file system that stops answering (a stale
// network mount) costs one `kReadStallTimeout` and leaves that thread stuck in the kernel, holding
// nothing else; while one is stuck, later reads fail at once rather than pile up more of them.
std::optional<std::string> ReadFileUnlessStalled(const QByteArray& path);

} // namespace rotenu
