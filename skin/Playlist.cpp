// Placeholder until the playlist is composed.
#include "skin/Playlist.h"

namespace tf {

bool ComposePlaylist(SkinState&, PreviewPictures&, const std::filesystem::path&,
                     const std::filesystem::path&, int32_t, int32_t)
{
    return false;
}

} // namespace tf
