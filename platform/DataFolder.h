#pragma once

#include <filesystem>

namespace tf {

// The folder holding the geometry data files, Start.jpg and the sample skin.
// They sit beside the executable in the build folder and in the Windows zip;
// an installed copy keeps them in ../share/tessaform relative to its bin
// folder. When neither holds them, the executable's folder is returned, so
// that the error about a missing data file names the place it was sought.
std::filesystem::path FindDataFolder(const std::filesystem::path& exeFolder);

// True for a copy whose data lives in the installed share folder: it keeps
// its settings and working files in the user's folders, even where it could
// write beside itself (root running it from /usr/bin).
bool IsInstalledCopy(const std::filesystem::path& exeFolder);

} // namespace tf
