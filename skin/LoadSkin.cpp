// Placeholder until the loading pipeline lands.
#include "skin/LoadSkin.h"

namespace tf {

void LoadSkin(SkinSession&) {}

Rect GrowRect(Prompts&, const Rect& base, const Rect&) { return base; }

PreviewLayout ApplyEqPlacement(const EditorSettings&) { return {}; }

} // namespace tf
