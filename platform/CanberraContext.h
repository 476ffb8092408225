#pragma once
// One libcanberra context for the whole program, opened on first use so that start-up does not
// pay for connecting to the sound server.

#include <string>

struct ca_context;

namespace rotenu {

class CanberraContext {
public:
    CanberraContext() = default;
    ~CanberraContext();
    CanberraContext(const CanberraContext&) = delete;
    CanberraContext& operator=(const CanberraContext&) = delete;

    // Starts the sound theme's event (e.g. "bell"); false when it cannot start.
    bool playEvent(const char* eventId);
    // Starts playing a wave file asynchronously; false when it cannot start (missing, unreadable
    // or unsupported file, no sound server).
    bool playFile(const std::string& path);

private:
    ca_context* context();
    ca_context* m_context = nullptr;
    bool m_failed = false;
};

} // namespace rotenu
