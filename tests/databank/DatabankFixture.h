// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Small remedy databanks written straight through SQLite, the way the databank tool
// lays them out, and read back behind the cursor's back.
namespace DatabankFixture {

using Row = QHash<QString, QString>;

// The 26 fields of the remedy table in table order.
QStringList remedyFields();

// Writes table `table` with `fields` (all TEXT NOT NULL DEFAULT '') and `rows` in
// rowid order; fields a row leaves out are empty. `extraSql` runs afterwards
// (triggers and the like). Fails the calling test on error.
bool write(const QString &path, const QString &table, const QStringList &fields,
           const QList<Row> &rows, const QStringList &extraSql = {});
bool writeRemedies(const QString &path, const QList<Row> &rows, const QStringList &extraSql = {});

// Every row of the table in rowid order, or an empty list if it cannot be read.
QList<Row> read(const QString &path, const QString &table);

} // namespace DatabankFixture
