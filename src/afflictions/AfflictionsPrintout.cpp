// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/AfflictionsPrintout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QByteArray exportLines(const QStringList &items)
{
    QByteArray lines;
    for (const QString &item : items)
        lines += item.toUtf8() + "\r\n";
    return lines;
}

bool appendExport(const QString &path, const QStringList &items, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The list could not be saved to %1: %2.").arg(shown, reason);
        return false;
    };

    // The old content is kept in full or the export is refused: replacing a file we
    // could not read would lose what earlier exports wrote.
    QByteArray content;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return fail(QStringLiteral("a folder or other non-file has that name"));
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly))
            return fail(old.errorString());
        content = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return fail(old.errorString());
    }
    content += exportLines(items);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace afflictionsprintout
