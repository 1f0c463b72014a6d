#include "platform/RegularFile.h"

#include "platform/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tf {
namespace {

QString ErrnoReason(int code) { return QString::fromStdString(std::generic_category().message(code)); }

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { close(m_fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Without O_NONBLOCK the open of a FIFO waits for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        ThrowFileOpenError(path, ErrnoReason(errno));
    const Descriptor file(fd);
    struct stat status = {};
    if (fstat(fd, &status) != 0)
        ThrowFileOpenError(path, ErrnoReason(errno));
    if (!S_ISREG(status.st_mode))
        ThrowNotRegularFile(path, S_ISDIR(status.st_mode));
    if (std::uintmax_t(status.st_size) > maxBytes)
        ThrowFileTooLarge(path, std::uintmax_t(status.st_size), maxBytes);

    std::string bytes(size_t(status.st_size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = read(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            ThrowFileOpenError(path, ErrnoReason(errno));
        if (count == 0)
            break; // shrunk while read
        done += size_t(count);
    }
    bytes.resize(done);
    return bytes;
}

} // namespace tf
