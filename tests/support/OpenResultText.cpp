#include "support/OpenResultText.h"

#include <fstream>
#include <iterator>

namespace tf::test {

QStringList NoticeTexts(const OpenResult& result)
{
    QStringList texts;
    for (const AppError& notice : result.Notices)
        texts.append(notice.message(result.Names));
    return texts;
}

QString ErrorText(const OpenResult& result)
{
    return result.Error ? result.Error->message(result.Names) : QString();
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tf::test
