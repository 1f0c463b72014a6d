#include "platform/HeadlessGui.h"

namespace tf {

// The Windows platform needs no display and is the one that sees the
// system's own faces (the offscreen one would look for font files beside Qt
// and draw empty boxes).
void ChooseHeadlessGuiPlatform() {}

} // namespace tf
