#include "platform/ProcessAlive.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace tf {

int64_t CurrentProcessId() { return int64_t(getpid()); }

bool IsProcessAlive(int64_t pid)
{
    if (pid <= 0 || pid != int64_t(pid_t(pid)))
        return false;
    // Signal 0 only asks whether the process exists.
    return kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace tf
