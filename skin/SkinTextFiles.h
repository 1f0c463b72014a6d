#pragma once

// The skin's small text files: region.txt (window outlines) and the display
// plug-in files Sexyfont.txt and Maron.txt.

#include "platform/Prompts.h"
#include "platform/Region.h"
#include "platform/SplitRule.h"
#include "skin/SkinState.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace tf {

// One region from len(counts) polygons of counts[k] vertices each, taken in
// order from points, with the non-zero winding rule; none when counts is
// empty or asks for points that are not there.
std::optional<Region> MakePolygonRegion(const TPointArray& points, const TIntegerArray& counts);

// The outline of one section of region.txt ("Normal" or "Equalizer").
// counts and points are the caller's lists: counts keeps its previous
// entries when the section yields no "NumPoints" text, as the region file
// reader always did; points is replaced (the caller empties it between
// sections).
std::optional<Region> ReadRegion(const TStringList& lines, std::string_view section,
                                 TIntegerArray& counts, TPointArray& points);

// Section "YunaSoft SexyFont Plug-In": scroll text offsets, fonts, shadows,
// the transparent time display ("透過", in editor) and the display switches.
// The offsets may ask through prompts (GrowRect). Renders nothing: the time
// digits are rendered by the load after it.
void ApplySexyFont(SkinState& state, EditorSettings& editor, Prompts& prompts,
                   const std::filesystem::path& path);

// Section "MARON": the analyzer switch "Enable".
void ApplyMaron(SkinState& state, const std::filesystem::path& path);

} // namespace tf
