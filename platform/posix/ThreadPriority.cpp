#include "platform/ThreadPriority.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tf {
namespace {

// Five steps of nice weigh about a third of a normal thread: the work still
// gets most of an idle machine, the window most of a busy one.
constexpr int kNiceSteps = 5;
constexpr int kMostNice = 19;

} // namespace

void LowerCurrentThreadPriority()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
#ifdef __linux__
    // Linux keeps a nice value per thread (POSIX would change the process).
    const auto thread = id_t(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        setpriority(PRIO_PROCESS, thread, std::min(current + kNiceSteps, kMostNice));
#endif
}

} // namespace tf
