#include "support/SessionFixture.h"

#include "skin/LoadSkin.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf::test {

SessionFixture::SessionFixture()
    : session(BinFolder(), prompts)
{
    InitializeSession(session);
}

void SessionFixture::load(const fs::path& folder)
{
    SetSkinSource(session, folder);
    LoadSkin(session);
}

} // namespace tf::test
