#pragma once

namespace tf {

// Puts the calling thread below the threads that answer the user: work
// nobody waits on this very moment (the pictures of a gallery, a batch run
// from the window) then leaves the window its share of a busy machine, so
// that it paints and takes clicks at once. Once per thread; later calls do
// nothing.
void LowerCurrentThreadPriority();

} // namespace tf
