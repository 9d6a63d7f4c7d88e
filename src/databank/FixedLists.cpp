// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/FixedLists.h"

#include <QFile>

namespace fixedlists {

QStringList loadNameList(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    QStringList names;
    const QString text = QString::fromUtf8(file.readAll());
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"')))
            line = line.mid(1, line.size() - 2);
        names += line;
    }
    if (error)
        error->clear();
    return names;
}

QStringList listItems(const QStringList &names)
{
    QStringList items;
    items.reserve(names.size());
    for (const QString &name : names)
        items += QLatin1Char(' ') + name;
    return items;
}

QStringList loadListItems(const QString &path, QString *error)
{
    return listItems(loadNameList(path, error));
}

} // namespace fixedlists
