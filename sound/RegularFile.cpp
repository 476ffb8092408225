#include "sound/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rotenu {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool IsRegular(const struct stat& status) {
    return S_ISREG(status.st_mode);
}

} // namespace

std::optional<std::string> ReadRegularFile(const char* path, std::size_t limit,
                                           const std::function<void(std::size_t)>& progress) {
    struct stat status {};
    if (::stat(path, &status) != 0 || !IsRegular(status))
        return std::nullopt;
    // O_NONBLOCK: a FIFO put in the file's place opens at once rather than wait for a writer.
    const FileDescriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !IsRegular(status))
        return std::nullopt;
    std::string bytes;
    bytes.resize(std::min<std::size_t>(limit, status.st_size > 0 ? std::size_t(status.st_size) : 0));
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // The file may have grown since fstat.
            if (filled >= limit)
                break;
            bytes.resize(std::min(limit, filled + 64 * 1024));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (progress)
            progress(filled);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace rotenu
