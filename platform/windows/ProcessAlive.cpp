#include "platform/ProcessAlive.h"

#include <windows.h>

namespace tf {

int64_t CurrentProcessId() { return int64_t(GetCurrentProcessId()); }

bool IsProcessAlive(int64_t pid)
{
    if (pid <= 0 || pid != int64_t(DWORD(pid)))
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        // A process of another user may refuse to be opened: it still runs.
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

} // namespace tf
