// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <span>

// The printout of one remedy: plain text with CR LF line ends, composed from the boxes
// of the remedy page as they stand. The two name lines come first, each heading and
// its text on one line; every later section is an empty line, its heading alone on a
// line and then the box's text. The afflictions come from the decoded display box, and
// the remedy profile is never printed.
namespace remedyprintout {

struct Section {
    const char *heading; // ends in one blank
    const char *box; // the objectName of the box the text comes from
};

// The 25 sections in printout order; the first two are the name lines.
std::span<const Section> sections();
constexpr int NameLines = 2;

// `textOf` gives the text of a box by its objectName; line breaks within a text (LF,
// CR LF, CR or paragraph separators) all become CR LF.
QString compose(const std::function<QString(const QString &box)> &textOf);

} // namespace remedyprintout
