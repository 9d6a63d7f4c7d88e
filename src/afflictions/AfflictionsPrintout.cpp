// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/AfflictionsPrintout.h"

namespace afflictionsprintout {
namespace {

const QString LineEnd = QStringLiteral("\r\n");

QString withCrLf(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(LineEnd, QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', LineEnd);
    return text;
}

} // namespace

QString compose(const QString &key, const QList<Slot> &entries)
{
    QString text = QStringLiteral("Affliction: ") + key + LineEnd;
    for (const Slot &slot : entries)
        text += LineEnd + slot.remedy + QStringLiteral(": ") + LineEnd + withCrLf(slot.symptoms) + LineEnd;
    return text;
}

QString countMessage(int count)
{
    return QString::number(count) + QStringLiteral(" Entries");
}

} // namespace afflictionsprintout
