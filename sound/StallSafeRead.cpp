#include "sound/StallSafeRead.h"

#include "sound/FindFileIgnoringCase.h"
#include "sound/RegularFile.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace rotenu {
namespace {

// What the reading thread and the one waiting for it share; the reading thread may outlive the other.
struct Reading {
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t progress = 0;
    bool done = false;
    bool abandoned = false;
    std::optional<std::string> bytes;
};

std::atomic<int> stuckReadings{0};

void Read(const std::shared_ptr<Reading>& reading, const QByteArray& path) {
    const auto progressed = [&](std::size_t bytes) {
        const std::lock_guard lock(reading->mutex);
        reading->progress = bytes + 1; // a file found counts as progress too
        reading->changed.notify_all();
    };
    std::optional<std::string> bytes;
    const QByteArray found = FindFileIgnoringCase(path);
    if (!found.isEmpty()) {
        progressed(0);
        bytes = ReadRegularFile(found.constData(), kMaxSoundFileBytes, progressed);
    }
    const std::lock_guard lock(reading->mutex);
    if (reading->abandoned) {
        --stuckReadings;
        return;
    }
    reading->bytes = std::move(bytes);
    reading->done = true;
    reading->changed.notify_all();
}

} // namespace

std::optional<std::string> ReadFileUnlessStalled(const QByteArray& path) {
    if (stuckReadings > 0)
        return std::nullopt;
    auto reading = std::make_shared<Reading>();
    try {
        std::thread(Read, reading, path).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    std::unique_lock lock(reading->mutex);
    for (std::size_t seen = reading->progress; !reading->done; seen = reading->progress) {
        if (!reading->changed.wait_for(lock, kReadStallTimeout,
                                       [&] { return reading->done || reading->progress != seen; })) {
            reading->abandoned = true;
            ++stuckReadings;
            return std::nullopt;
        }
    }
    return std::move(reading->bytes);
}

} // namespace rotenu
