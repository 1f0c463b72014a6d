#pragma once

#include <filesystem>

namespace tf {

// The folder archives are unpacked into: "tmp" beside the executable when
// the executable's folder can be written, else "tmp" in the user's cache
// folder (an installed copy).
std::filesystem::path ChooseWorkFolder(const std::filesystem::path& exeFolder);

// True when a file can be created in folder (tried, not guessed from the
// permission bits, which say nothing for the superuser or on Windows).
bool IsWritableFolder(const std::filesystem::path& folder);

} // namespace tf
