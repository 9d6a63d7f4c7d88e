// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/Scramble.h"

#include <array>

namespace scramble {
namespace {

// Windows-1252 0x80..0x9F; the undefined slots carry the C1 control of their number.
constexpr std::array<char16_t, 32> kHigh{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
}};

constexpr qsizetype kLongestName = 255;

} // namespace

int windows1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < int(kHigh.size()); ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QChar windows1252Char(int code)
{
    code &= 0xFF;
    if (code >= 0x80 && code < 0xA0)
        return QChar(kHigh[code - 0x80]);
    return QChar(char16_t(code));
}

QString scramble(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = windows1252Code(text[i]);
        if (code < 0) {
            result += text[i];
            continue;
        }
        result += windows1252Char(code ^ int((i + 1) & 0xFF));
    }
    return result;
}

Check check(const QString &plain)
{
    if (plain.size() > kLongestName)
        return {Problem::TooLong, plain.size(), QChar()};
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const int code = windows1252Code(plain[i]);
        if (code < 0)
            return {Problem::NotWindows1252, i + 1, plain[i]};
        if ((code ^ int(i + 1)) == 0)
            return {Problem::ScrambledNul, i + 1, plain[i]};
    }
    return {};
}

QString describe(const Check &c)
{
    switch (c.problem) {
    case Problem::None:
        return {};
    case Problem::TooLong:
        return QStringLiteral("%1 characters, more than the %2 a scrambled name can hold")
            .arg(c.position)
            .arg(kLongestName);
    case Problem::NotWindows1252:
        return QStringLiteral("character U+%1 at position %2 is not in Windows-1252")
            .arg(c.character.unicode(), 4, 16, QLatin1Char('0'))
            .arg(c.position);
    case Problem::ScrambledNul:
        return QStringLiteral("character '%1' at position %2 would be stored as NUL; "
                              "reword the name")
            .arg(c.character)
            .arg(c.position);
    }
    return {};
}

} // namespace scramble
