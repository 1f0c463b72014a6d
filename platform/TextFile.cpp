#include "platform/TextFile.h"

#include "platform/RegularFile.h"

namespace tf {

std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    return ReadRegularFile(path, maxBytes);
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit)
{
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            visit(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        visit(text.substr(start));
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    return SplitLines(ReadFileBytes(path));
}

} // namespace tf
