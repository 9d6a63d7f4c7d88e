// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/LikePattern.h"

#include <QChar>

namespace {

inline bool inRanges(const std::vector<std::pair<char16_t, char16_t>> &ranges, char16_t c)
{
    for (const auto &[low, high] : ranges) {
        if (c >= low && c <= high)
            return true;
    }
    return false;
}

// A unit belongs to a list when it, or its other letter case, lies in one of the
// ranges: "[a-c]" takes "B" and "[A-C]" takes "b".
bool inRangesAnyCase(const std::vector<std::pair<char16_t, char16_t>> &ranges, char16_t c)
{
    if (inRanges(ranges, c))
        return true;
    const char32_t lower = QChar::toLower(char32_t(c));
    const char32_t upper = QChar::toUpper(char32_t(c));
    return (lower <= 0xFFFF && lower != c && inRanges(ranges, char16_t(lower)))
        || (upper <= 0xFFFF && upper != c && inRanges(ranges, char16_t(upper)));
}

} // namespace

// The ASCII path keeps the inner loops free of table look-ups for the remedy names,
// which are almost all plain Latin letters.
char16_t LikePattern::fold(char16_t c)
{
    if (c < 128)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    const char32_t folded = QChar::toCaseFolded(char32_t(c));
    return folded <= 0xFFFF ? char16_t(folded) : c;
}

bool LikePattern::CharSet::contains(char16_t c) const
{
    const bool in = c < 128 ? (ascii[c >> 6] >> (c & 63)) & 1U : inRangesAnyCase(ranges, c);
    return in != negated;
}

std::optional<LikePattern> LikePattern::compile(QStringView pattern, QString *error)
{
    LikePattern compiled;
    const qsizetype length = pattern.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = pattern[i].unicode();
        switch (c) {
        case u'*':
            if (compiled.m_steps.empty() || compiled.m_steps.back().token != Token::Star)
                compiled.m_steps.push_back({Token::Star});
            break;
        case u'?':
            compiled.m_steps.push_back({Token::Any});
            break;
        case u'#':
            compiled.m_steps.push_back({Token::Digit});
            break;
        case u'[': {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                if (error)
                    *error = QStringLiteral("a \"[\" is not closed by \"]\"");
                return std::nullopt;
            }
            QStringView list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty())
                break; // "[]" stands for nothing
            CharSet set;
            if (list.front() == u'!') {
                set.negated = true;
                list = list.mid(1);
            }
            for (qsizetype k = 0; k < list.size();) {
                const char16_t low = list[k].unicode();
                if (k + 2 < list.size() && list[k + 1] == u'-') {
                    const char16_t high = list[k + 2].unicode();
                    if (high < low) {
                        if (error)
                            *error = QStringLiteral("the range \"%1\" runs backwards")
                                         .arg(list.mid(k, 3));
                        return std::nullopt;
                    }
                    set.ranges.emplace_back(low, high);
                    k += 3;
                } else {
                    set.ranges.emplace_back(low, low);
                    ++k;
                }
            }
            for (char16_t a = 0; a < 128; ++a) {
                if (inRangesAnyCase(set.ranges, a))
                    set.ascii[a >> 6] |= std::uint64_t(1) << (a & 63);
            }
            compiled.m_sets.push_back(std::move(set));
            compiled.m_steps.push_back({Token::Set, 0, int(compiled.m_sets.size() - 1)});
            break;
        }
        default:
            compiled.m_steps.push_back({Token::Literal, fold(c)});
            break;
        }
    }

    std::size_t literals = 0;
    while (literals < compiled.m_steps.size()
           && compiled.m_steps[literals].token == Token::Literal) {
        compiled.m_prefix.push_back(compiled.m_steps[literals].literal);
        ++literals;
    }
    if (literals == compiled.m_steps.size())
        compiled.m_kind = Shape::Exact;
    else if (literals + 1 == compiled.m_steps.size()
             && compiled.m_steps.back().token == Token::Star)
        compiled.m_kind = Shape::Prefix;
    return compiled;
}

bool LikePattern::stepMatches(const Step &step, char16_t c) const
{
    switch (step.token) {
    case Token::Literal:
        return fold(c) == step.literal;
    case Token::Any:
        return true;
    case Token::Digit:
        return c >= u'0' && c <= u'9';
    case Token::Set:
        return m_sets[std::size_t(step.set)].contains(c);
    case Token::Star:
        break;
    }
    return false;
}

bool LikePattern::matches(QStringView subject) const
{
    const std::size_t prefix = m_prefix.size();
    if (m_kind != Shape::General) {
        const auto size = std::size_t(subject.size());
        if (size < prefix || (m_kind == Shape::Exact && size != prefix))
            return false;
        const QChar *s = subject.data();
        for (std::size_t i = 0; i < prefix; ++i) {
            if (fold(s[i].unicode()) != m_prefix[i])
                return false;
        }
        return true;
    }
    return matchGeneral(subject);
}

bool LikePattern::matchGeneral(QStringView subject) const
{
    // Greedy walk with one remembered star: on a mismatch the last star takes one
    // more unit and the steps after it start again. Correct because every other step
    // consumes exactly one unit.
    const std::size_t steps = m_steps.size();
    const auto size = std::size_t(subject.size());
    const QChar *s = subject.data();
    std::size_t p = 0;
    std::size_t i = 0;
    std::size_t starStep = steps; // none yet
    std::size_t starFrom = 0;
    while (i < size) {
        if (p < steps && m_steps[p].token == Token::Star) {
            starStep = p++;
            starFrom = i;
        } else if (p < steps && stepMatches(m_steps[p], s[i].unicode())) {
            ++p;
            ++i;
        } else if (starStep != steps) {
            p = starStep + 1;
            i = ++starFrom;
        } else {
            return false;
        }
    }
    while (p < steps && m_steps[p].token == Token::Star)
        ++p;
    return p == steps;
}
