// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the affliction page hands out as text: the printout of the shown record (CR LF
// line ends), the count message, and the lines of the choice-list export, which is
// appended to its file without ever leaving the file half written.
namespace afflictionsprintout {

struct Slot {
    QString remedy;   // the unscrambled remedy name, as the display box shows it
    QString symptoms; // any line ends; they all become CR LF
};

// "Affliction: " and the key, then for every slot an empty line, the remedy with ": ",
// and the symptoms. All slots are written, empty ones too.
QString compose(const QString &key, const QList<Slot> &entries);

// "<count> Entries".
QString countMessage(int count);

// Each item followed by CR LF, in UTF-8.
QByteArray exportLines(const QStringList &items);

// Appends the items' lines to the file at `path`, creating it if needed: the old
// content and the new lines are written to a temporary file that then replaces the
// file. False, with a sentence in `error`, when the file cannot be read or replaced;
// the file is then as it was.
bool appendExport(const QString &path, const QStringList &items, QString *error);

} // namespace afflictionsprintout
