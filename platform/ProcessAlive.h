#pragma once

#include <cstdint>

namespace tf {

// This process's id, as written into the names of its temporary files and
// folders.
int64_t CurrentProcessId();

// True while a process of that id runs on this machine (one of another user
// counts: it may still be writing).
bool IsProcessAlive(int64_t pid);

} // namespace tf
