// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What simillon-dbtool does, as functions the tests can call: build the two SQLite
// databank files from their text sources, dump them back, and report how the afflictions
// databank, the remedy databank and the remedy page's fixed name list fit together.
//
// A build reads and proves everything before it writes anything: every encoded field must
// decode back to its source text and every name field must unscramble back, or the build
// stops naming the record and the field. Each file is written under a temporary name and
// renamed into place, so a failed build never leaves a half-written databank.
namespace dbtool {

struct Outcome {
    QStringList errors;   // the run failed when there is any
    QStringList warnings; // worth a look, but the run did its work
    QStringList report;   // lines of a report (check, gaps)

    bool ok() const { return errors.isEmpty(); }
};

Outcome build(const QString &remedySource, const QString &afflictionSource, const QString &outDir);
Outcome dump(const QString &databankDir, const QString &outDir);

// Afflictions slot names that no remedy name begins with (case-insensitive), names of the
// fixed list without a remedy of that name, remedies missing from the list.
Outcome check(const QString &databankDir, const QString &remedyNamesPath);

// The fixed list's names that the remedy databank lacks, in list order.
Outcome gaps(const QString &databankDir, const QString &remedyNamesPath, QStringList *missing);
Outcome writeGaps(const QString &databankDir, const QString &remedyNamesPath, const QString &outPath);

} // namespace dbtool
