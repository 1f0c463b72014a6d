#pragma once

// The skin's small text files: region.txt (window outlines) and the display
// plug-in files Sexyfont.txt and Maron.txt.

#include "app/FuncUnit.h"
#include "platform/Region.h"
#include "skin/SkinSession.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace tf {

// The area every outline is used in: the 275 x 116 main and equalizer images.
constexpr Rect kWindowImageRect{0, 0, 275, 116};

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
// the transparent time display and the display switches. A change of the
// transparent time display re-renders the time digits.
void ApplySexyFont(SkinSession& session, const std::filesystem::path& path);

// Section "MARON": the analyzer switch "Enable".
void ApplyMaron(SkinState& state, const std::filesystem::path& path);

} // namespace tf
