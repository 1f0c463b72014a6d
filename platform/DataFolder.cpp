#include "platform/DataFolder.h"

#include "platform/FileSystem.h"

namespace fs = std::filesystem;

#ifndef TESSAFORM_DATA_FROM_BIN
#define TESSAFORM_DATA_FROM_BIN "../share/tessaform"
#endif

namespace tf {
namespace {

// One file every run reads at start-up stands for the whole set.
bool HoldsDataFiles(const fs::path& folder)
{
    return IsRegularFile(folder / "btnspos.dat");
}

} // namespace

fs::path FindDataFolder(const fs::path& exeFolder)
{
    if (HoldsDataFiles(exeFolder))
        return exeFolder;
    const fs::path installed = (exeFolder / TESSAFORM_DATA_FROM_BIN).lexically_normal();
    if (HoldsDataFiles(installed))
        return installed;
    return exeFolder;
}

bool IsInstalledCopy(const fs::path& exeFolder)
{
    return FindDataFolder(exeFolder) != exeFolder || IsRegularFile(exeFolder / kUninstallerName);
}

} // namespace tf
