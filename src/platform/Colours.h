// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The colours of the page designs, named once for every page.
namespace colours {

inline const QColor Navy{0x00, 0x00, 0x80};        // text of the record pages, navigation bars
inline const QColor DarkNavy{0x00, 0x00, 0x40};    // headings of the search page
inline const QColor LightBlue{0xB0, 0xD9, 0xFF};   // navigation bars, the search page, full lists
inline const QColor PageGrey{0xE0, 0xE0, 0xE0};    // background of the record pages and their buttons
inline const QColor Yellow{0xFF, 0xFF, 0x00};      // remedy name and affliction key
inline const QColor LightYellow{0xFF, 0xFF, 0xC0}; // main menu toolbar, the profile switch
inline const QColor Teal{0x00, 0x40, 0x40};        // main menu and the full-size pages of the advisors
inline const QColor Olive{0xC0, 0xC0, 0x00};       // main menu subject buttons
inline const QColor Blue{0x00, 0x79, 0xC0};        // clickable remedy names and the acne selection
inline const QColor StoredBlue{0x00, 0x00, 0xC0};  // stored (scrambled) names, maintenance view
inline const QColor StoredGrey{0xC0, 0xC0, 0xC0};
inline const QColor DarkRed{0x80, 0x00, 0x00};     // terms of the glossaries and definitions

} // namespace colours
