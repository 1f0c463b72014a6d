#include "platform/MemoryReturn.h"

#include <cstdlib> // defines __GLIBC__ with the C library's own headers

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tf {

void ReturnLargeBlocksAtOnce()
{
#ifdef __GLIBC__
    // Blocks from 1 MiB are mapped on their own and unmapped when freed;
    // setting the threshold also stops glibc from raising it as it goes.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace tf
