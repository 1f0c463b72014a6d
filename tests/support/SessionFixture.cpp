#include "support/SessionFixture.h"

#include "skin/LoadSkin.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf::test {

SessionFixture::SessionFixture()
    : Session(BinFolder(), Prompts)
{
    InitializeSession(Session);
}

void SessionFixture::load(const fs::path& folder)
{
    SetSkinSource(Session, folder);
    LoadSkin(Session);
}

} // namespace tf::test
