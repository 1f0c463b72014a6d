#pragma once

// Reading a file that must be a regular one. The file is opened first,
// without waiting (a FIFO or device would wait for a writer for ever), and
// the type is checked on what was opened: checking the name first and
// opening it afterwards could be raced by swapping the file in between.

#include <QString>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tf {

// Whole file, at most maxBytes; throws AppError(FileOpen) naming the file
// when it is missing, not a regular file, unreadable or larger.
std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The errors of the readers of both systems.
[[noreturn]] void ThrowNotRegularFile(const std::filesystem::path& path, bool isFolder);
[[noreturn]] void ThrowFileTooLarge(const std::filesystem::path& path, std::uintmax_t size,
                                    std::uintmax_t maxBytes);

} // namespace tf
