#pragma once

namespace tf {

// Makes every large block of memory (a decoded bitmap, an archive, an
// image file) go back to the system as soon as it is freed, whichever
// thread frees it. Without it the C library keeps such blocks in pools of
// the thread that used them, and a batch on many threads holds far more
// than the skins it is converting: the largest skins at -j 12 took 268 MiB
// where their memory budget allows 192. Called once, at the start.
void ReturnLargeBlocksAtOnce();

} // namespace tf
