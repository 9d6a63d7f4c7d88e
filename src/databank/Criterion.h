// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databank/LikePattern.h"

#include <QString>
#include <QStringView>
#include <optional>

// A find condition on one field, in the Jet text form the pages build:
//
//   [Field] like 'pattern'      the field matches the pattern (LikePattern)
//   [Field] = 'text'            the whole field equals the text
//
// The keyword is case-insensitive, blanks around the parts are allowed, the field may
// also be written without brackets, and a doubled quote inside the literal is one
// quote. Comparisons ignore letter case. Whether the field exists is for the record
// cursor to decide, since only it knows the table.
class Criterion
{
public:
    enum class Operator { Like, Equals };

    // Nullopt, with a reason in `error`, for a text that is none of the two forms or
    // whose pattern is invalid.
    static std::optional<Criterion> parse(QStringView text, QString *error = nullptr);

    // The texts every page hands to find-first and find-next: the caller's text with
    // surrounding blanks removed and its quotes doubled, so that a name with an
    // apostrophe is found instead of breaking the condition.
    //   like("HomeoName", " Acon ")  ->  [HomeoName] like 'Acon*'
    //   equals("Affliction", "Acne 1/3") ->  [Affliction] = 'Acne 1/3'
    static QString like(const QString &field, const QString &text);
    static QString equals(const QString &field, const QString &text);

    const QString &field() const { return m_field; }
    Operator op() const { return m_op; }
    // The literal with its quoting undone.
    const QString &value() const { return m_value; }

    bool matches(QStringView subject) const;
    // The folded first unit of every matching text (LikePattern::fold), or 0 when
    // matches may begin with anything.
    char16_t firstUnit() const { return m_pattern ? m_pattern->firstLiteral() : char16_t(0); }

private:
    Criterion(QString field, Operator op, QString value, std::optional<LikePattern> pattern);

    QString m_field;
    Operator m_op;
    QString m_value;
    std::optional<LikePattern> m_pattern; // set for Like
};
