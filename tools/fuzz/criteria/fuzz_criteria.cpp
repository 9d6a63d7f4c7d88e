// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds criterion texts and pattern/subject pairs to the parser and the matcher. The
// input is UTF-8: the part before the first line feed is the pattern, the rest the
// subject. Besides crashes it checks that the compiled matcher agrees with a slow
// table-filling reference, and that the builders' texts always parse back.
#include "databank/Criterion.h"
#include "databank/LikePattern.h"

#include <QChar>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool sameLetter(char16_t a, char16_t b)
{
    return QChar::toCaseFolded(char32_t(a)) == QChar::toCaseFolded(char32_t(b));
}

bool inList(QStringView list, char16_t c)
{
    const auto variants = {char32_t(c), QChar::toLower(char32_t(c)), QChar::toUpper(char32_t(c))};
    for (qsizetype k = 0; k < list.size();) {
        char32_t low = list[k].unicode();
        char32_t high = low;
        if (k + 2 < list.size() && list[k + 1] == u'-') {
            high = list[k + 2].unicode();
            k += 3;
        } else {
            ++k;
        }
        for (const char32_t v : variants) {
            if (v >= low && v <= high)
                return true;
        }
    }
    return false;
}

// One pattern element: its kind and, for a list, the list text.
struct Element {
    char kind; // 'l' literal, '?' any, '#' digit, '[' list, '*' star
    char16_t literal = 0;
    QStringView list;
    bool negated = false;
};

// The reference: the pattern split into elements without any of the matcher's
// shortcuts, then matched by filling the whole table of pattern and subject prefixes.
// Nullopt-like false in `valid` for the patterns the matcher must refuse.
bool referenceMatch(QStringView pattern, QStringView subject, bool &valid)
{
    std::vector<Element> elements;
    valid = true;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i].unicode();
        if (c == u'*' || c == u'?' || c == u'#') {
            elements.push_back({char(c)});
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                valid = false;
                return false;
            }
            Element e{'['};
            e.list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (e.list.isEmpty())
                continue;
            if (e.list.front() == u'!') {
                e.negated = true;
                e.list = e.list.mid(1);
            }
            for (qsizetype k = 0; k + 2 < e.list.size();) {
                if (e.list[k + 1] == u'-') {
                    if (e.list[k + 2] < e.list[k]) {
                        valid = false;
                        return false;
                    }
                    k += 3;
                } else {
                    ++k;
                }
            }
            elements.push_back(e);
        } else {
            elements.push_back({'l', c});
        }
    }

    const std::size_t m = elements.size();
    const auto n = std::size_t(subject.size());
    // table[p][s]: the first p elements match the first s units.
    std::vector<std::vector<char>> table(m + 1, std::vector<char>(n + 1, 0));
    table[0][0] = 1;
    for (std::size_t p = 1; p <= m; ++p) {
        const Element &e = elements[p - 1];
        for (std::size_t s = 0; s <= n; ++s) {
            if (e.kind == '*') {
                table[p][s] = table[p - 1][s] || (s > 0 && table[p][s - 1]);
                continue;
            }
            if (s == 0)
                continue;
            const char16_t c = subject[qsizetype(s - 1)].unicode();
            bool one = false;
            switch (e.kind) {
            case 'l': one = sameLetter(c, e.literal); break;
            case '?': one = true; break;
            case '#': one = c >= u'0' && c <= u'9'; break;
            default: one = inList(e.list, c) != e.negated; break;
            }
            table[p][s] = one && table[p - 1][s - 1];
        }
    }
    return table[m][n];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 4096)
        return 0; // the reference table grows with the square of the input
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    // The whole input as a criterion text.
    if (const auto criterion = Criterion::parse(input))
        (void)criterion->matches(input);

    const qsizetype cut = input.indexOf(u'\n');
    const QStringView pattern = cut < 0 ? QStringView(input) : QStringView(input).left(cut);
    const QStringView subject = cut < 0 ? QStringView() : QStringView(input).mid(cut + 1);

    bool valid = true;
    const bool expected = referenceMatch(pattern, subject, valid);
    const auto compiled = LikePattern::compile(pattern);
    check(bool(compiled) == valid);
    if (compiled)
        check(compiled->matches(subject) == expected);

    // Whatever the user types, the builders give a condition that parses back to it.
    const QString field = QStringLiteral("HomeoName");
    const QString text = subject.toString();
    const auto equals = Criterion::parse(Criterion::equals(field, text));
    check(equals && equals->value() == text.trimmed() && equals->matches(text.trimmed()));
    const auto like = Criterion::parse(Criterion::like(field, text));
    check(bool(like) == bool(LikePattern::compile(text.trimmed() + u'*')));
    if (like)
        check(like->value() == text.trimmed() + u'*');
    return 0;
}
