#include "app/FuncUnit.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <QElapsedTimer>
#include <cmath>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

bool IsBlankCode(unsigned char c) { return c >= 1 && c <= 32; }

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return lower;
}

// Whether text, lowered, starts with prefix (already lowered).
bool StartsWithLowered(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// Items of the split rule. The text ends at its end or at a zero byte.
std::vector<std::string> SplitItems(std::string_view text, char delimiter)
{
    std::vector<std::string> items;
    const auto at = [&](size_t i) -> unsigned char {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const auto delim = static_cast<unsigned char>(delimiter);
    size_t p = 0;
    while (IsBlankCode(at(p)))
        ++p;
    while (at(p) != 0) {
        std::string item;
        if (at(p) == '"') {
            ++p;
            while (at(p) != 0) {
                if (at(p) == '"') {
                    if (at(p + 1) == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += char(at(p));
                ++p;
            }
        } else {
            const size_t start = p;
            while (at(p) > 32 && at(p) != delim)
                ++p;
            item.assign(text.substr(start, p - start));
        }
        items.push_back(std::move(item));
        while (IsBlankCode(at(p)))
            ++p;
        if (at(p) == delim && at(p) != 0) {
            if (at(p + 1) == 0)
                items.emplace_back();
            do
                ++p;
            while (IsBlankCode(at(p)));
        }
    }
    return items;
}

} // namespace

std::string JoinPath(std::string_view folder, std::string_view name)
{
    const char separator = char(fs::path::preferred_separator);
    std::string joined(folder);
    if (joined.empty() || joined.back() != separator)
        joined += separator;
    joined += name;
    return joined;
}

void ClearFolder(const fs::path& folder, std::vector<fs::path>& subfolders)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return;
    std::vector<fs::path> entries;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        entries.push_back(it->path());
    }
    for (const fs::path& entry : entries) {
        const fs::file_status status = fs::symlink_status(entry, error);
        if (error)
            continue;
        if (fs::is_symlink(status)) {
            fs::remove(entry, error); // the link itself, never its target
            continue;
        }
        fs::permissions(entry, fs::perms::owner_read | fs::perms::owner_write
                                   | (fs::is_directory(status) ? fs::perms::owner_exec : fs::perms::none),
                        fs::perm_options::add, error);
        if (fs::is_directory(status))
            subfolders.push_back(entry);
        else
            fs::remove(entry, error);
    }
}

void DeleteTree(const fs::path& folder, bool removeRoot)
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(folder, error))) {
        if (removeRoot)
            fs::remove(folder, error);
        return;
    }
    std::vector<fs::path> list;
    ClearFolder(folder, list);
    size_t done = 0;
    while (done < list.size()) {
        const size_t first = done;
        done = list.size();
        for (size_t i = first; i < done; ++i)
            ClearFolder(list[i], list);
    }
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        fs::remove(*it, error);
    if (removeRoot)
        fs::remove(folder, error);
}

std::string NumericPrefix(std::string_view text)
{
    size_t length = 0;
    while (length < text.size()) {
        const char c = text[length];
        if (!((c >= '0' && c <= '9') || c == ',' || c == ' '))
            break;
        ++length;
    }
    return std::string(text.substr(0, length));
}

std::string ReadIniValue(const TStringList& lines, std::string_view section, std::string_view key)
{
    if (section.empty() || key.empty() || lines.empty())
        return {};
    const std::string header = "[" + LowerAscii(section) + "]";
    const std::string wantedKey = LowerAscii(key);
    bool found = false;
    for (const std::string& line : lines) {
        if (StartsWithLowered(line, header))
            found = true;
        if (found && StartsWithLowered(line, wantedKey)) {
            const long long count = (long long)line.size() - (long long)key.size() - 1;
            if (count <= 0)
                return {};
            return line.substr(line.size() - size_t(count));
        }
    }
    return {};
}

std::string RectToStr(const Rect& rect, std::string_view separator)
{
    std::string text = std::to_string(rect.left);
    for (int32_t value : {rect.top, rect.right, rect.bottom}) {
        text += separator;
        text += std::to_string(value);
    }
    return text;
}

std::string RectToText(const Rect& rect)
{
    return RectToStr(rect, " ");
}

Rect StrToRect(std::string_view left, std::string_view top, std::string_view right,
               std::string_view bottom)
{
    Rect rect;
    rect.bottom = StrToInt(bottom);
    rect.right = StrToInt(right);
    rect.top = StrToInt(top);
    rect.left = StrToInt(left);
    return rect;
}

int SplitToList(std::string_view text, char delimiter, TStringList& list)
{
    if (text.empty() || delimiter == '\0')
        return 0;
    list = SplitItems(text, delimiter);
    return int(list.size());
}

int SplitToIntegers(std::string_view text, char delimiter, TIntegerArray& values)
{
    if (text.empty() || delimiter == '\0')
        return 0;
    const std::vector<std::string> items = SplitItems(text, delimiter);
    values.clear();
    for (const std::string& item : items)
        values.push_back(ParseInteger(item).value_or(0));
    return int(values.size());
}

int SplitToPoints(std::string_view text, char delimiter, TPointArray& points)
{
    if (text.empty() || delimiter == '\0')
        return 0;
    const std::vector<std::string> items = SplitItems(text, delimiter);
    points.clear();
    for (size_t i = 0; i + 1 < items.size(); i += 2)
        points.push_back({ParseInteger(items[i]).value_or(0), ParseInteger(items[i + 1]).value_or(0)});
    return int(points.size());
}

bool IsNumber(std::string_view text)
{
    return ParseInteger(text).has_value();
}

int32_t StrToInt(std::string_view text)
{
    const auto value = ParseInteger(text);
    if (!value)
        ThrowConversionError(text);
    return *value;
}

int PaintGradient(const Rect& rect, Bitmap& canvas, int direction, int mode,
                  const std::array<Color, 2>& colours)
{
    QElapsedTimer timer;
    timer.start();
    if (mode == 0) {
        canvas.fill(rect, colours[0]);
    } else if (mode == 1) {
        const Color start = ResolveSystemColor(colours[0]);
        const Color end = ResolveSystemColor(colours[1]);
        const int64_t n = direction == 0 ? rect.width() : rect.height();
        // One line needs no steps; the division below needs two.
        const int64_t divisor = std::max<int64_t>(n - 1, 1);
        const int starts[3] = {RedOf(start), GreenOf(start), BlueOf(start)};
        const int ends[3] = {RedOf(end), GreenOf(end), BlueOf(end)};
        int64_t steps[3];
        for (int c = 0; c < 3; ++c)
            steps[c] = std::llrint((long double)(ends[c] - starts[c]) / (long double)divisor * 10000.0L);
        for (int64_t k = 0; k < n; ++k) {
            const Color colour = MakeColor(int(starts[0] + k * steps[0] / 10000),
                                           int(starts[1] + k * steps[1] / 10000),
                                           int(starts[2] + k * steps[2] / 10000));
            if (direction == 0)
                canvas.drawLine({int32_t(rect.left + k), rect.top}, {int32_t(rect.left + k), rect.bottom}, colour);
            else
                canvas.drawLine({rect.left, int32_t(rect.top + k)}, {rect.right, int32_t(rect.top + k)}, colour);
        }
    }
    return int(timer.elapsed());
}

} // namespace tf
