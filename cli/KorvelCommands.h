#pragma once

// The commands that look at a converted skin: "preview" draws it as the
// player shows it, "check" lists what would break in the player.

#include <QTextStream>
#include <filesystem>
#include <vector>

namespace tf {

enum class PreviewState { Normal, Pressed, Inactive };

struct PreviewCommand {
    std::filesystem::path Definition; // the .ssf
    std::filesystem::path Image;      // the PNG to write
    PreviewState State = PreviewState::Normal;
    bool Equalizer = false; // the _EQ partner of the definition
    int Scale = 1;
};

// Writes the view as a PNG; 0 when written, 1 when the skin or the file
// could not be read or written (the reason goes to err, as do the view's
// warnings).
int RunPreview(const PreviewCommand& command, QTextStream& out, QTextStream& err);

// One line per finding, "file:line: message"; 0 when nothing would break,
// 1 otherwise (notes alone do not count). A save into a definition's folder
// that was stopped between its renames is completed first, with a note; one
// that cannot be completed counts as a problem.
int RunCheck(const std::vector<std::filesystem::path>& definitions, QTextStream& out, QTextStream& err);

} // namespace tf
