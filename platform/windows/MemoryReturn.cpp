#include "platform/MemoryReturn.h"

namespace tf {

// The Windows heap gives blocks of this size their own pages from the
// system and returns them when they are freed.
void ReturnLargeBlocksAtOnce() {}

} // namespace tf
