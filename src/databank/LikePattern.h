// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The pattern of a Jet "like" comparison, compiled once and matched against many
// records. Every token except "*" stands for exactly one UTF-16 unit, so a single
// remembered star position is enough to backtrack: matching is at worst the product
// of pattern and subject length and never explodes on patterns like "*a*a*a*b".
//
//   *        any run of characters, also none
//   ?        one character
//   #        one digit 0-9
//   [list]   one character of the list; ranges such as a-z; "[*]" and "[[]" stand
//            for the character itself; "-" first or last is a plain dash
//   [!list]  one character not in the list
//   []       nothing (dropped)
//
// Letter case never matters. An unclosed "[" or a descending range makes the
// pattern invalid; compile() then answers nullopt.
class LikePattern
{
public:
    static std::optional<LikePattern> compile(QStringView pattern, QString *error = nullptr);

    bool matches(QStringView subject) const;

    // The folded literal text before the first wildcard, and whether the pattern is
    // exactly that text followed by one "*" (the common "begins with" search).
    const std::u16string &literalPrefix() const { return m_prefix; }
    // The folded unit every match must begin with, or 0 when the pattern does not
    // begin with a literal.
    char16_t firstLiteral() const { return m_prefix.empty() ? char16_t(0) : m_prefix.front(); }
    // A unit folded the way the pattern compares it.
    static char16_t fold(char16_t c);
    bool isPrefixSearch() const { return m_kind == Shape::Prefix; }

private:
    enum class Token : std::uint8_t { Literal, Any, Digit, Set, Star };
    struct Step {
        Token token;
        char16_t literal = 0; // folded, for Literal
        int set = -1;         // index into m_sets, for Set
    };
    struct CharSet {
        bool negated = false;
        std::uint64_t ascii[2] = {0, 0}; // membership of units below 128, both cases
        std::vector<std::pair<char16_t, char16_t>> ranges; // every range, as written
        bool contains(char16_t c) const;
    };
    enum class Shape : std::uint8_t { General, Prefix, Exact };

    LikePattern() = default;
    bool stepMatches(const Step &step, char16_t c) const;
    bool matchGeneral(QStringView subject) const;

    std::vector<Step> m_steps;
    std::vector<CharSet> m_sets;
    std::u16string m_prefix;
    Shape m_kind = Shape::General;
};
