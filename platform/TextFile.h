#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

// Text files are read as bytes (Shift-JIS or ASCII) and never converted.
// Larger files than this are refused: real skin and data files stay under
// 10 KiB, and a flood of line ends must not cost more than a bounded amount.
constexpr std::uintmax_t kMaxTextFileBytes = 1024ull * 1024;

// Whole file; throws AppError(FileOpen) naming the file when it is missing,
// not a regular file (a folder, FIFO or device is refused before it is
// opened, so nothing blocks), unreadable or over the limit.
std::string ReadFileBytes(const std::filesystem::path& path,
                          std::uintmax_t maxBytes = kMaxTextFileBytes);

// Lines end at CR LF, CR or LF; a line end at the very end of the text does
// not start another line, so "a\r\nb\r\n" is two lines and "" none.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines, handed one at a time without keeping them.
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit);

std::vector<std::string> ReadLines(const std::filesystem::path& path);

} // namespace tf
