#pragma once

// The data files beside the executable that every skin load reads (the four
// geometry files and pan.dat), read once per process and shared by every
// session started from that folder. A file (or the folder) that has changed
// since is read again, so sharing never shows stale data.

#include "platform/Errors.h"
#include "platform/Prompts.h"
#include "platform/SplitRule.h"
#include "skin/GeometryTables.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace tf {

struct GeometryData {
    struct Message {
        MessageIcon Icon;
        QString Caption;
        QString Text;
    };
    // What ReadStartupGeometry gives over an empty table, and the messages
    // it showed, in order.
    PartRectTable Rects{};
    std::vector<Message> Messages;
    // pan.dat (found in any letter case) and its lines, or why it could not
    // be read.
    std::filesystem::path PanTablePath;
    TStringList PanTable;
    std::optional<AppError> PanTableError;
};

std::shared_ptr<const GeometryData> SharedGeometryData(const std::filesystem::path& dataFolder);

// Copies the start-up geometry into rects and shows its messages through
// prompts, as reading the files would have.
void ApplyStartupGeometry(const GeometryData& data, PartRectTable& rects, Prompts& prompts);

} // namespace tf
