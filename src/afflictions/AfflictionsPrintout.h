// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// What the affliction page hands out as text: the printout of the shown record (CR LF
// line ends) and the count message.
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

} // namespace afflictionsprintout
