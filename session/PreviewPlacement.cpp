#include "session/PreviewPlacement.h"

namespace tf {

PreviewLayout ApplyEqPlacement(const EditorSettings& editor)
{
    const ssf::JoinedLayout joined = ssf::JoinedLayoutOf(editor.ShowEqualizer && editor.EqualizerOnTop);
    PreviewLayout layout;
    layout.EqVisible = editor.ShowEqualizer;
    layout.MainTop = kPreviewBorder + joined.MainTop;
    layout.EqTop = kPreviewBorder + joined.EqTop;
    return layout;
}

} // namespace tf
