// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the RTF reader and writer share: the Windows-1252 code page of \'hh bytes and
// the measure that turns twips into the pixels QTextDocument lays out with.
namespace rtf::detail {

// The character of a Windows-1252 byte; U+FFFD for the five bytes it leaves unassigned.
char16_t fromWindows1252(unsigned char byte);

// The Windows-1252 byte of a character, or -1 when the code page has none.
int toWindows1252(char16_t c);

// Twips per document pixel. QTextDocument margins and tab positions are pixels at the
// primary screen's logical DPI, the same measure the page designs use; 15 (96 dpi)
// when there is no screen.
double twipsPerPixel();

} // namespace rtf::detail
