#pragma once

#include <QString>

#include <vector>

namespace tf {

// A library the programs are built with and the licence it comes under, as
// the About box lists them. The Windows zip and setup program carry their
// full notices, and where each one's source is, in kNoticesFileName beside
// the programs.
struct LibraryNotice {
    QString Name;
    QString Licence; // an SPDX expression
};

std::vector<LibraryNotice> LibraryNotices();

inline constexpr const char* kNoticesFileName = "THIRD-PARTY-NOTICES.txt";

} // namespace tf
