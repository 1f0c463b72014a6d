#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

// Text files are read as bytes (Shift-JIS or ASCII) and never converted.
// Larger files than this are refused: no skin or data file comes near it.
constexpr std::uintmax_t kMaxTextFileBytes = 64ull * 1024 * 1024;

// Whole file; throws AppError(FileOpen) naming the file when it is missing,
// unreadable or over the limit.
std::string ReadFileBytes(const std::filesystem::path& path,
                          std::uintmax_t maxBytes = kMaxTextFileBytes);

// Lines end at CR LF, CR or LF; a line end at the very end of the text does
// not start another line, so "a\r\nb\r\n" is two lines and "" none.
std::vector<std::string> SplitLines(std::string_view text);

std::vector<std::string> ReadLines(const std::filesystem::path& path);

} // namespace tf
