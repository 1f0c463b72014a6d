#include "skin/PreviewPlacement.h"

namespace tf {

PreviewLayout ApplyEqPlacement(const EditorSettings& editor)
{
    PreviewLayout layout;
    layout.eqVisible = editor.ShowEqualizer;
    if (editor.ShowEqualizer && editor.EqualizerOnTop) {
        layout.eqTop = 1;
        layout.mainTop = 117;
    }
    return layout;
}

} // namespace tf
