// INI text read the private-profile way: parse, read, then write a value and
// read the written text back.

#include "platform/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

bool OnOneLine(const std::string& text)
{
    return text.find_first_of("\r\n") == std::string::npos;
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\v\f");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\v\f") - first + 1);
}

// Names that a line of the file can carry back: the profile functions write
// others too, but what they write then reads as something else on Windows as
// well (a key holding '=', a section holding ']', a key that starts a
// comment or a header).
bool RoundTrips(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string_view trimmedKey = Trimmed(key);
    return OnOneLine(section) && OnOneLine(key) && OnOneLine(value) && section.find(']') == std::string::npos
        && !trimmedKey.empty() && trimmedKey.find('=') == std::string_view::npos && trimmedKey.front() != '['
        && trimmedKey.front() != ';';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(4096);
    const std::string text = input.ConsumeRemainingBytesAsString();

    tf::IniFile ini = tf::IniFile::Parse(text);
    const auto found = ini.value(section, key);
    if (found && (found->size() > tf::IniFile::kMaxValueBytes || !ini.hasSection(section)))
        std::abort();
    if (ini.readString(section, key, "fallback") != found.value_or("fallback"))
        std::abort();
    ini.readInteger(section, key, -1);
    ini.readBool(section, key, true);

    // What is written reads back as written: serializing is stable, and a
    // value set and reread through the text is the value set.
    const std::string serialized = ini.serialize();
    if (tf::IniFile::Parse(serialized).serialize() != serialized)
        std::abort();
    if (!RoundTrips(section, key, value))
        return 0;
    ini.setValue(section, key, value);
    const auto written = ini.value(section, key);
    if (!written || tf::IniFile::Parse(ini.serialize()).value(section, key) != written)
        std::abort();
    return 0;
}
