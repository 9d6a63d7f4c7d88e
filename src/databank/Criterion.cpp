// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/Criterion.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString quoted(const QString &text)
{
    QString doubled = text.trimmed();
    doubled.replace(u'\'', QStringLiteral("''"));
    return doubled;
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

Criterion::Criterion(QString field, Operator op, QString value, std::optional<LikePattern> pattern)
    : m_field(std::move(field)), m_op(op), m_value(std::move(value)), m_pattern(std::move(pattern))
{
}

QString Criterion::like(const QString &field, const QString &text)
{
    return u'[' + field + QStringLiteral("] like '") + quoted(text) + QStringLiteral("*'");
}

QString Criterion::equals(const QString &field, const QString &text)
{
    return u'[' + field + QStringLiteral("] = '") + quoted(text) + u'\'';
}

std::optional<Criterion> Criterion::parse(QStringView text, QString *error)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };

    skipBlanks();
    QString field;
    if (i < n && text[i] == u'[') {
        const qsizetype close = text.indexOf(u']', i + 1);
        if (close < 0) {
            fail(error, QStringLiteral("the field name is not closed by \"]\""));
            return std::nullopt;
        }
        field = text.mid(i + 1, close - i - 1).toString();
        i = close + 1;
    } else {
        const qsizetype start = i;
        while (i < n && (text[i].isLetterOrNumber() || text[i] == u'_'))
            ++i;
        field = text.mid(start, i - start).toString();
    }
    if (field.isEmpty()) {
        fail(error, QStringLiteral("it names no field"));
        return std::nullopt;
    }

    skipBlanks();
    Operator op;
    if (i < n && text[i] == u'=') {
        op = Operator::Equals;
        ++i;
    } else if (text.mid(i, 4).compare(u"like", Qt::CaseInsensitive) == 0
               && (i + 4 == n || isBlank(text[i + 4]) || text[i + 4] == u'\'')) {
        op = Operator::Like;
        i += 4;
    } else {
        fail(error, QStringLiteral("\"like\" or \"=\" is expected after the field name"));
        return std::nullopt;
    }

    skipBlanks();
    if (i >= n || text[i] != u'\'') {
        fail(error, QStringLiteral("a text in single quotes is expected"));
        return std::nullopt;
    }
    ++i;
    QString value;
    bool closed = false;
    while (i < n) {
        if (text[i] == u'\'') {
            if (i + 1 < n && text[i + 1] == u'\'') {
                value += u'\'';
                i += 2;
                continue;
            }
            closed = true;
            ++i;
            break;
        }
        value += text[i++];
    }
    if (!closed) {
        fail(error, QStringLiteral("the quoted text has no closing quote"));
        return std::nullopt;
    }
    skipBlanks();
    if (i != n) {
        fail(error, QStringLiteral("\"%1\" follows the quoted text").arg(text.mid(i)));
        return std::nullopt;
    }

    std::optional<LikePattern> pattern;
    if (op == Operator::Like) {
        QString reason;
        pattern = LikePattern::compile(value, &reason);
        if (!pattern) {
            fail(error, QStringLiteral("in the pattern ") + reason);
            return std::nullopt;
        }
    }
    return Criterion(std::move(field), op, std::move(value), std::move(pattern));
}

bool Criterion::matches(QStringView subject) const
{
    if (m_pattern)
        return m_pattern->matches(subject);
    // Folding here works unit by unit, so texts of different length never compare equal.
    return subject.size() == m_value.size()
        && subject.compare(m_value, Qt::CaseInsensitive) == 0;
}
