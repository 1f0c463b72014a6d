#include "skin/GeometryTables.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/RectText.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"

#include <QCoreApplication>


namespace tf {

void ShowMissingDataFile(Prompts& prompts, std::string_view fileName)
{
    prompts.showMessage(MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"),
                        QCoreApplication::translate("Skin", "\"%1\"がありませんので正しく処理ができません")
                            .arg(QString::fromUtf8(fileName.data(), qsizetype(fileName.size()))));
}

void ReadGeometryFile(PartRectTable& rects, const std::filesystem::path& exeFolder,
                      const GeometryFile& file, TStringList& items, Prompts& prompts)
{
    // Found in any letter case, as every other file name is.
    const auto found = FindFileNoCase(exeFolder, file.Name);
    if (!found || !IsRegularFile(*found)) {
        ShowMissingDataFile(prompts, file.Name);
        return;
    }
    const std::filesystem::path& path = *found;
    const TStringList lines = ReadLines(path);
    if (lines.size() < 2)
        return;
    int slot = file.FirstSlot;
    const int endSlot = file.FirstSlot + file.SlotCount;
    for (size_t line = 1; line < lines.size() && slot < endSlot; ++line, ++slot) {
        try {
            SplitToList(lines[line], file.Separator, items);
            for (size_t index = items.size(); index < 4; ++index)
                ThrowListIndexError((long long)index);
            rects[size_t(slot)] = StrToRect(items[0], items[1], items[2], items[3]);
        } catch (const AppError& failure) {
            ThrowAtLine(failure, path, line + 1);
        }
    }
}

void ReadStartupGeometry(PartRectTable& rects, const std::filesystem::path& exeFolder,
                         Prompts& prompts)
{
    TStringList items;
    for (const GeometryFile& file : kStartupGeometryFiles) {
        try {
            ReadGeometryFile(rects, exeFolder, file, items, prompts);
        } catch (const AppError& failure) {
            prompts.showError(failure.message());
        }
    }
}

} // namespace tf
