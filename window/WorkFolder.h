#pragma once

#include <filesystem>

namespace tf {

// The folder archives are unpacked into: "tmp" beside the executable when
// the executable's folder can be written, else "tmp" in the user's cache
// folder (an installed copy).
std::filesystem::path ChooseWorkFolder(const std::filesystem::path& exeFolder);

} // namespace tf
