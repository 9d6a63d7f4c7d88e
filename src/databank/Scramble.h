// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Position scrambling of the fourteen name fields of the afflictions databank: the
// character at 1-based position i is replaced by the Windows-1252 character whose code is
// its own code exclusive-or i. The same routine scrambles and unscrambles.
//
// The 8-bit code space is closed under the operation: the five slots that Windows-1252
// leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) stand for the C1 controls of the same
// number, both ways. Texts outside what the databank can hold still never fail at run
// time: a character outside Windows-1252 is kept as it is, and past position 255 only the
// low eight bits of the position count (position 256 keeps its character). Both rules
// keep scrambling twice the identity. The databank build refuses such names instead.
namespace scramble {

// The Windows-1252 code of `c`, or -1 when the code page has no such character.
int windows1252Code(QChar c);
// The character of a code 0..255.
QChar windows1252Char(int code);

QString scramble(const QString &text);

enum class Problem { None, TooLong, NotWindows1252, ScrambledNul };
struct Check {
    Problem problem = Problem::None;
    qsizetype position = 0; // 1-based, for NotWindows1252 and ScrambledNul
    QChar character;
};
// Whether `plain` can be stored scrambled and read back: at most 255 characters, all of
// Windows-1252, and no position whose scrambled character would be NUL.
Check check(const QString &plain);
// A sentence for a person, e.g. "character 'A' at position 65 would be stored as NUL".
QString describe(const Check &check);

} // namespace scramble
