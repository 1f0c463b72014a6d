#pragma once

// A session as a freshly started window has it: geometry read from the data
// files beside the executables, message boxes answered by script.

#include "skin/SkinSession.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include <memory>

namespace tf::test {

struct SessionFixture {
    SessionFixture();
    // Resolves folder and loads it.
    void load(const std::filesystem::path& folder);

    ScriptedPrompts Prompts;
    TempFolder ExeFolder; // own working folder per test
    SkinSession Session;
    SkinState& state() { return Session.State; }
};

} // namespace tf::test
