#include "session/PreviewPlacement.h"

namespace tf {

PreviewLayout ApplyEqPlacement(const EditorSettings& editor)
{
    const ssf::JoinedLayout joined = ssf::JoinedLayoutOf(editor.ShowEqualizer && editor.EqualizerOnTop);
    PreviewLayout layout;
    layout.eqVisible = editor.ShowEqualizer;
    layout.mainTop = kPreviewBorder + joined.MainTop;
    layout.eqTop = kPreviewBorder + joined.EqTop;
    return layout;
}

} // namespace tf
