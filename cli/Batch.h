#pragma once

// Converting many skins at once, each into its own folder of the output,
// on several threads.

#include "session/ConvertSkin.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

namespace tf {

struct BatchEntry {
    std::filesystem::path Source;
    std::filesystem::path SsfPath;
    QString Name; // shown in the progress line and the summary
};

// The skin's name: its folder name, or its archive's name without extension.
QString SkinName(const std::filesystem::path& source);

// One entry per source: output/<name>/<name>.ssf, with "-2", "-3", ... added
// to names that would otherwise land in the same folder.
std::vector<BatchEntry> PlanBatch(const std::vector<std::filesystem::path>& sources,
                                  const std::filesystem::path& outputFolder);

// Runs the entries on up to jobs threads; results come back in entry order.
// progress is called (from the worker threads, one at a time) after each
// skin with the number done so far and the entry just finished. Once stop
// answers true no further skin is started; those in flight finish, and the
// results of the others stay empty.
std::vector<ConversionResult> RunBatch(
    const std::filesystem::path& exeFolder, const std::vector<BatchEntry>& entries,
    const ConversionOptions& options, int jobs,
    const std::function<void(size_t done, const BatchEntry&, const ConversionResult&)>& progress = {},
    const std::function<bool()>& stop = {});

} // namespace tf
