#include "platform/ThreadPriority.h"

#include <windows.h>

namespace tf {

void LowerCurrentThreadPriority()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace tf
