#pragma once

#include <filesystem>

namespace tf {

// The folder holding the geometry data files, Start.jpg and the sample skin.
// They sit beside the executable in the build folder and in the Windows zip;
// an installed copy keeps them in ../share/tessaform relative to its bin
// folder. When neither holds them, the executable's folder is returned, so
// that the error about a missing data file names the place it was sought.
std::filesystem::path FindDataFolder(const std::filesystem::path& exeFolder);

// The uninstaller the Windows setup program leaves beside the programs.
inline constexpr const char* kUninstallerName = "uninstall.exe";

// True for an installed copy, which keeps its settings and working files in
// the user's folders even where it could write beside itself: one whose data
// lives in the installed share folder (root running it from /usr/bin), and
// one the Windows setup program put in place, known by its uninstaller (the
// per-user program folder belongs to the user and is writable).
bool IsInstalledCopy(const std::filesystem::path& exeFolder);

// The user's folder for the settings file of an installed copy: the
// configuration folder, on Windows the roaming application data folder,
// which follows the user from one machine to the next.
std::filesystem::path UserSettingsFolder();

} // namespace tf
