#pragma once

#include <QString>
#include <filesystem>
#include <string_view>

namespace tf {

// Writes the whole file under a temporary name in the target's folder and
// renames it into place, so a failed write never leaves a half-written file
// and never destroys the previous file of that name. Throws
// AppError(FileCreate) with the path and the system's reason.
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// The error of a file that cannot be created or written.
[[noreturn]] void ThrowFileCreateError(const std::filesystem::path& path, const QString& reason);

} // namespace tf
