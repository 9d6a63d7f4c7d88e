// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <span>

// The substitution encoding of the two remedy fields that are stored in code: the
// afflictions list (`Affliction`) and the remedy profile (`Description`).
//
// A table is an ordered list of entries, each a plain letter and its code. Applying an
// entry replaces every occurrence of its search text in one left-to-right scan; the
// replacements are not scanned again, and a table is applied entry after entry, each on
// the result of the one before, so the order of a table is part of its meaning.
//
// The codes are built from characters that a plain encoded field never contains (quotes,
// & * + = < > [ ] { } | ~ ^ ` @ # $ % _ and backslash); the databank build refuses plain
// texts with any of them and proves for every record that decoding gives the text back.
// In the profile table the lead character of a code alone fixes its length, and code
// tails are digits, which never lead a code: a code can only be found where it was put,
// even between plain digits.
namespace textencoding {

struct Entry {
    const char *plain; // the letter (or, for the additional pair, the mark)
    const char *code;
};

enum class Direction { Decode, Encode };

// The profile table: 34 entries, 17 letters, capital before small, alphabetical.
std::span<const Entry> descriptionTable();
// The afflictions table as the display decodes it: 31 entries, 21 of them a mark, 10 the
// letter itself.
std::span<const Entry> afflictionDecodingTable();
// The afflictions table as the maintenance encode applies it: the inverse of 26 of the
// decoding entries.
std::span<const Entry> afflictionEncodingTable();
// The mark that "A B C >> 1 2 3" stores as a digit before encoding, so that a typed mark
// is not read back as a code.
Entry additionalPair();

// Every occurrence of `search` replaced by `replacement`, scanning once from the start.
QString applyEntry(const QString &text, QStringView search, QStringView replacement);
// The entries applied one after the other in table order.
QString applyTable(const QString &text, std::span<const Entry> table, Direction direction);

QString decodeDescription(const QString &stored);
QString encodeDescription(const QString &plain);
QString decodeAffliction(const QString &stored); // the 31 decoding entries
QString encodeAffliction(const QString &plain);  // the 26 encoding entries

// The hidden maintenance panel of the remedy page.
QString encryptDescription(const QString &text); // "Beschreibung: ABC >> 123"
QString decryptDescription(const QString &text); // "Beschreibung: 123 >> ABC"
// "A B C >> 1 2 3": the pair's mark becomes its digit, then the text is encoded.
QString afflictionTextToNumbers(const QString &text);
// "1 2 3 >> A B C", on the bound box: decodes it in place.
QString afflictionNumbersToText(const QString &text);
// "1 2 3 >> A B C", on the display box afterwards: the pair's digit becomes its mark.
QString restoreAdditionalPair(const QString &displayText);

// Characters that appear in any code of the table; a plain text holding one of them
// could not be told apart from code.
QString codeCharacters(std::span<const Entry> table);

} // namespace textencoding
