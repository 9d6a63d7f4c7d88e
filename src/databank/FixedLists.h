// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The fixed name lists of the pages (the remedy page's remedy names, the search page's
// affliction keys) are data files with one name per line. A line in double quotes means
// exactly the text between them; that is how a name keeps blanks at its end through any
// editor. Empty lines are skipped, and a CR before the line end is dropped.
namespace fixedlists {

// The names of the list file at `path` (a file or a ":/..." resource). An unreadable
// file gives an empty list and, when asked, the reason in `error`.
QStringList loadNameList(const QString &path, QString *error = nullptr);
// The list items as the pages hold them: one blank, then the name.
QStringList listItems(const QStringList &names);
QStringList loadListItems(const QString &path, QString *error = nullptr);

} // namespace fixedlists
