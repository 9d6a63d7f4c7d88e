// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/TextEncoding.h"

#include <array>

namespace textencoding {
namespace {

// Profile codes come in three lengths, each with lead characters of its own:
//   one mark alone    ~ ^ * = + < > _ {   the nine commonest small letters
//   '#' and a digit   #1 .. #8            the other eight small letters
//   '$' and 2 digits  $01 .. $21          capitals, by their place in the alphabet
constexpr std::array<Entry, 34> kDescription{{
    {"A", "$01"}, {"a", "~"},
    {"C", "$03"}, {"c", "#1"},
    {"D", "$04"}, {"d", "#2"},
    {"E", "$05"}, {"e", "^"},
    {"F", "$06"}, {"f", "#3"},
    {"G", "$07"}, {"g", "#4"},
    {"H", "$08"}, {"h", "#5"},
    {"I", "$09"}, {"i", "*"},
    {"L", "$12"}, {"l", "#6"},
    {"M", "$13"}, {"m", "#7"},
    {"N", "$14"}, {"n", "="},
    {"O", "$15"}, {"o", "+"},
    {"P", "$16"}, {"p", "#8"},
    {"R", "$18"}, {"r", "<"},
    {"S", "$19"}, {"s", ">"},
    {"T", "$20"}, {"t", "_"},
    {"U", "$21"}, {"u", "{"},
}};

// The afflictions code: one mark per small letter, for the 21 letters that are not
// j k q x z. Those five and the capital vowels stand for themselves; the capital vowels
// are decoded only, so a typed capital is never touched by the encode.
constexpr std::array<Entry, 31> kAfflictionDecoding{{
    {"a", "~"}, {"b", "&"}, {"c", "^"}, {"d", "#"}, {"e", "*"}, {"f", "$"},
    {"g", "%"}, {"h", "_"}, {"i", "+"}, {"j", "j"}, {"k", "k"}, {"l", "="},
    {"m", "<"}, {"n", ">"}, {"o", "["}, {"p", "]"}, {"q", "q"}, {"r", "{"},
    {"s", "}"}, {"t", "|"}, {"u", "@"}, {"v", "`"}, {"w", "\\"}, {"x", "x"},
    {"y", "\""}, {"z", "z"},
    {"A", "A"}, {"E", "E"}, {"I", "I"}, {"O", "O"}, {"U", "U"},
}};

// a to z: the first 26 decoding entries, read the other way.
constexpr std::array<Entry, 26> kAfflictionEncoding{{
    {"a", "~"}, {"b", "&"}, {"c", "^"}, {"d", "#"}, {"e", "*"}, {"f", "$"},
    {"g", "%"}, {"h", "_"}, {"i", "+"}, {"j", "j"}, {"k", "k"}, {"l", "="},
    {"m", "<"}, {"n", ">"}, {"o", "["}, {"p", "]"}, {"q", "q"}, {"r", "{"},
    {"s", "}"}, {"t", "|"}, {"u", "@"}, {"v", "`"}, {"w", "\\"}, {"x", "x"},
    {"y", "\""}, {"z", "z"},
}};

// '&' is the code of b; a typed '&' is kept as the digit of the same key (Shift+7).
constexpr Entry kAdditionalPair{"&", "7"};

} // namespace

std::span<const Entry> descriptionTable() { return kDescription; }
std::span<const Entry> afflictionDecodingTable() { return kAfflictionDecoding; }
std::span<const Entry> afflictionEncodingTable() { return kAfflictionEncoding; }
Entry additionalPair() { return kAdditionalPair; }

QString applyEntry(const QString &text, QStringView search, QStringView replacement)
{
    if (search.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = QStringView(text).indexOf(search, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QString applyTable(const QString &text, std::span<const Entry> table, Direction direction)
{
    QString result = text;
    for (const Entry &entry : table) {
        const QString plain = QString::fromLatin1(entry.plain);
        const QString code = QString::fromLatin1(entry.code);
        result = direction == Direction::Decode ? applyEntry(result, code, plain)
                                                : applyEntry(result, plain, code);
    }
    return result;
}

QString decodeDescription(const QString &stored)
{
    return applyTable(stored, kDescription, Direction::Decode);
}

QString encodeDescription(const QString &plain)
{
    return applyTable(plain, kDescription, Direction::Encode);
}

QString decodeAffliction(const QString &stored)
{
    return applyTable(stored, kAfflictionDecoding, Direction::Decode);
}

QString encodeAffliction(const QString &plain)
{
    return applyTable(plain, kAfflictionEncoding, Direction::Encode);
}

QString encryptDescription(const QString &text) { return encodeDescription(text); }
QString decryptDescription(const QString &text) { return decodeDescription(text); }

QString afflictionTextToNumbers(const QString &text)
{
    const QString paired = applyEntry(text, QString::fromLatin1(kAdditionalPair.plain),
                                      QString::fromLatin1(kAdditionalPair.code));
    return encodeAffliction(paired);
}

QString afflictionNumbersToText(const QString &text) { return decodeAffliction(text); }

QString restoreAdditionalPair(const QString &displayText)
{
    return applyEntry(displayText, QString::fromLatin1(kAdditionalPair.code),
                      QString::fromLatin1(kAdditionalPair.plain));
}

QString codeCharacters(std::span<const Entry> table)
{
    QString chars;
    for (const Entry &entry : table) {
        if (QLatin1String(entry.plain) == QLatin1String(entry.code))
            continue; // an entry that changes nothing adds no code character
        for (const QChar c : QString::fromLatin1(entry.code)) {
            if (!chars.contains(c))
                chars += c;
        }
    }
    return chars;
}

} // namespace textencoding
