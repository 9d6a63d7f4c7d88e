// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabankBuilder.h"

#include "databank/DatabankSource.h"
#include "databank/FixedLists.h"
#include "databank/Scramble.h"
#include "databank/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <cstdio>
#include <optional>

namespace dbtool {
namespace {

using databanksource::Record;
using databanksource::Storage;
using databanksource::Table;

// A connection of its own for each file, gone again when the scope ends.
class Connection
{
public:
    explicit Connection(const QString &path, bool readOnly)
        : m_name(QStringLiteral("simillon-dbtool-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            m_error = db.lastError().text();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    const QString &error() const { return m_error; }

private:
    static inline int s_count = 0;
    QString m_name;
    QString m_error;
};

QString fieldName(const Table &table, int column)
{
    return QString::fromLatin1(table.columns[column].name);
}

QString where(const QString &path, const Table &table, const Record &record, int column)
{
    return QStringLiteral("%1:%2: record \"%3\", field %4")
        .arg(path)
        .arg(record.line)
        .arg(record.key(), fieldName(table, column));
}

QString storedForm(Storage storage, const QString &plain)
{
    switch (storage) {
    case Storage::Plain:
        return plain;
    case Storage::DescriptionCode:
        return textencoding::encodeDescription(plain);
    case Storage::AfflictionCode:
        return textencoding::encodeAffliction(plain);
    case Storage::Scrambled:
        return scramble::scramble(plain);
    }
    return plain;
}

QString plainForm(Storage storage, const QString &stored)
{
    switch (storage) {
    case Storage::Plain:
        return stored;
    case Storage::DescriptionCode:
        return textencoding::decodeDescription(stored);
    case Storage::AfflictionCode:
        return textencoding::decodeAffliction(stored);
    case Storage::Scrambled:
        return scramble::scramble(stored);
    }
    return stored;
}

// The stored rows of `records`, or nothing when a value cannot be stored so that it reads
// back as written.
std::optional<QList<QStringList>> storedRows(const QString &path, const Table &table,
                                             const QList<Record> &records, Outcome &outcome)
{
    QList<QStringList> rows;
    const int before = int(outcome.errors.size());
    for (const Record &record : records) {
        QStringList row;
        for (int column = 0; column < int(table.columns.size()); ++column) {
            const Storage storage = table.columns[column].storage;
            const QString &plain = record.values[column];
            if (storage == Storage::DescriptionCode || storage == Storage::AfflictionCode) {
                const QString problem = databanksource::encodedTextProblem(plain);
                if (!problem.isEmpty()) {
                    outcome.errors += where(path, table, record, column) + QLatin1String(": ") + problem;
                    row += QString();
                    continue;
                }
            }
            if (storage == Storage::Scrambled) {
                if (plain.contains(QLatin1Char('\n'))) {
                    outcome.errors += where(path, table, record, column)
                        + QLatin1String(": a name is one line");
                    row += QString();
                    continue;
                }
                const scramble::Check check = scramble::check(plain);
                if (check.problem != scramble::Problem::None) {
                    outcome.errors += where(path, table, record, column) + QLatin1String(": ")
                        + scramble::describe(check);
                    row += QString();
                    continue;
                }
            }
            const QString stored = storedForm(storage, plain);
            if (plainForm(storage, stored) != plain)
                outcome.errors += where(path, table, record, column)
                    + QLatin1String(": the stored form does not read back as the source text");
            row += stored;
        }
        rows += row;
    }
    if (outcome.errors.size() > before)
        return std::nullopt;
    return rows;
}

void warnAboutKeys(const QString &path, const QList<Record> &records, Outcome &outcome)
{
    QHash<QString, int> seen;
    for (const Record &record : records) {
        const QString folded = record.key().toCaseFolded();
        if (seen.contains(folded))
            outcome.warnings += QStringLiteral("%1:%2: key \"%3\" already used at line %4; "
                                               "finds meet the first")
                                    .arg(path)
                                    .arg(record.line)
                                    .arg(record.key())
                                    .arg(seen.value(folded));
        else
            seen.insert(folded, record.line);
        if (record.key().contains(QLatin1Char('\'')))
            outcome.warnings += QStringLiteral("%1:%2: key \"%3\" holds an apostrophe, which "
                                               "breaks the finds by name")
                                    .arg(path)
                                    .arg(record.line)
                                    .arg(record.key());
    }
}

// Writes a new databank file beside `finalPath` and renames it into place.
struct PendingFile {
    QString temporaryPath;
    QString finalPath;
};

std::optional<PendingFile> writeDatabank(const Table &table, const QList<QStringList> &rows,
                                         const QString &outDir, Outcome &outcome)
{
    const QString finalPath = QDir(outDir).filePath(QLatin1String(table.databankFile));
    QTemporaryFile reserve(finalPath + QLatin1String(".XXXXXX"));
    if (!reserve.open()) {
        outcome.errors += QStringLiteral("%1: cannot create a file: %2").arg(finalPath, reserve.errorString());
        return std::nullopt;
    }
    reserve.setAutoRemove(false);
    // A temporary file is private to its owner; the databank is an ordinary file.
    reserve.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString temporaryPath = reserve.fileName();
    reserve.close();

    auto failWith = [&](const QString &what) {
        outcome.errors += QStringLiteral("%1: %2").arg(finalPath, what);
        QFile::remove(temporaryPath);
        return std::nullopt;
    };

    {
        Connection connection(temporaryPath, false);
        if (!connection.error().isEmpty())
            return failWith(connection.error());
        QSqlDatabase db = connection.db();
        QStringList columnDefinitions;
        QStringList placeholders;
        for (const QString &name : table.columnNames()) {
            columnDefinitions += QStringLiteral("\"%1\" TEXT NOT NULL DEFAULT ''").arg(name);
            placeholders += QStringLiteral("?");
        }
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("CREATE TABLE \"%1\" (%2)")
                            .arg(QLatin1String(table.tableName), columnDefinitions.join(QLatin1String(", ")))))
            return failWith(query.lastError().text());
        if (!db.transaction())
            return failWith(db.lastError().text());
        if (!query.prepare(QStringLiteral("INSERT INTO \"%1\" VALUES (%2)")
                               .arg(QLatin1String(table.tableName), placeholders.join(QLatin1String(", ")))))
            return failWith(query.lastError().text());
        for (const QStringList &row : rows) {
            // An empty field is stored as '', never NULL: Qt binds a null text as NULL.
            for (int i = 0; i < row.size(); ++i)
                query.bindValue(i, row[i].isNull() ? QStringLiteral("") : row[i]);
            if (!query.exec())
                return failWith(query.lastError().text());
        }
        query.finish();
        if (!db.commit())
            return failWith(db.lastError().text());
    }
    return PendingFile{temporaryPath, finalPath};
}

// The stored rows of a databank file, by column, in the order they were written.
std::optional<QList<QStringList>> readDatabank(const Table &table, const QString &path, Outcome &outcome)
{
    if (!QFileInfo(path).isFile()) {
        outcome.errors += QStringLiteral("%1: no such databank file").arg(path);
        return std::nullopt;
    }
    Connection connection(path, true);
    if (!connection.error().isEmpty()) {
        outcome.errors += QStringLiteral("%1: %2").arg(path, connection.error());
        return std::nullopt;
    }
    QStringList quoted;
    for (const QString &name : table.columnNames())
        quoted += QStringLiteral("\"%1\"").arg(name);
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid")
                        .arg(quoted.join(QLatin1String(", ")), QLatin1String(table.tableName)))) {
        outcome.errors += QStringLiteral("%1: %2").arg(path, query.lastError().text());
        return std::nullopt;
    }
    QList<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < int(table.columns.size()); ++i)
            row += query.value(i).toString(); // NULL reads as empty
        rows += row;
    }
    return rows;
}

std::optional<QList<Record>> readPlainRecords(const Table &table, const QString &databankDir,
                                              Outcome &outcome)
{
    const QString path = QDir(databankDir).filePath(QLatin1String(table.databankFile));
    const auto rows = readDatabank(table, path, outcome);
    if (!rows)
        return std::nullopt;
    QList<Record> records;
    for (const QStringList &row : *rows) {
        Record record;
        for (int column = 0; column < row.size(); ++column)
            record.values += plainForm(table.columns[column].storage, row[column]);
        records += record;
    }
    return records;
}

bool writeFile(const QString &path, const QByteArray &bytes, Outcome &outcome)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        outcome.errors += QStringLiteral("%1: cannot write: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool beginsAnyName(const QStringList &names, const QString &text)
{
    const QString wanted = text.trimmed();
    for (const QString &name : names) {
        if (name.startsWith(wanted, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool equalsAnyName(const QStringList &names, const QString &text)
{
    const QString wanted = text.trimmed();
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList keysOf(const QList<Record> &records)
{
    QStringList keys;
    for (const Record &record : records)
        keys += record.key();
    return keys;
}

} // namespace

Outcome build(const QString &remedySource, const QString &afflictionSource, const QString &outDir)
{
    Outcome outcome;
    struct Input {
        const Table &table;
        QString path;
        QList<QStringList> rows;
    };
    QList<Input> inputs{{databanksource::remedyTable(), remedySource, {}},
                        {databanksource::afflictionTable(), afflictionSource, {}}};
    for (Input &input : inputs) {
        QFile file(input.path);
        if (!file.open(QIODevice::ReadOnly)) {
            outcome.errors += QStringLiteral("%1: cannot read: %2").arg(input.path, file.errorString());
            continue;
        }
        const QByteArray bytes = file.readAll();
        const auto parsed = databanksource::parse(bytes, input.table, input.path);
        if (!parsed.ok()) {
            outcome.errors += parsed.error->toString();
            continue;
        }
        // The parser admits only what the writer makes; this guards the promise that a
        // dump of the built file gives this very file back.
        if (databanksource::write(parsed.records, input.table) != bytes) {
            outcome.errors += QStringLiteral("%1: not in the canonical source form").arg(input.path);
            continue;
        }
        warnAboutKeys(input.path, parsed.records, outcome);
        if (const auto rows = storedRows(input.path, input.table, parsed.records, outcome))
            input.rows = *rows;
    }
    if (!outcome.ok())
        return outcome;

    if (!QDir().mkpath(outDir)) {
        outcome.errors += QStringLiteral("%1: cannot create the folder").arg(outDir);
        return outcome;
    }
    QList<PendingFile> pending;
    for (const Input &input : inputs) {
        const auto file = writeDatabank(input.table, input.rows, outDir, outcome);
        if (!file)
            break;
        pending += *file;
    }
    if (!outcome.ok()) {
        for (const PendingFile &file : pending)
            QFile::remove(file.temporaryPath);
        return outcome;
    }
    for (const PendingFile &file : pending) {
        // rename() replaces the old file in one step, so readers see the old or the new.
        if (std::rename(QFile::encodeName(file.temporaryPath).constData(),
                        QFile::encodeName(file.finalPath).constData())
            != 0) {
            outcome.errors += QStringLiteral("%1: cannot move the new databank into place").arg(file.finalPath);
            QFile::remove(file.temporaryPath);
        }
    }
    return outcome;
}

Outcome dump(const QString &databankDir, const QString &outDir)
{
    Outcome outcome;
    QList<std::pair<QString, QByteArray>> files;
    for (const Table *table : {&databanksource::remedyTable(), &databanksource::afflictionTable()}) {
        auto records = readPlainRecords(*table, databankDir, outcome);
        if (!records)
            continue;
        bool normalised = false;
        for (int r = 0; r < records->size(); ++r) {
            Record &record = (*records)[r];
            for (int column = 0; column < record.values.size(); ++column) {
                QString &value = record.values[column];
                if (value.contains(QLatin1Char('\r'))) {
                    value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
                    normalised = true;
                }
                const QString reason = databanksource::unwritableReason(value, column == 0);
                if (!reason.isEmpty())
                    outcome.errors += QStringLiteral("%1: record %2 \"%3\", field %4: %5")
                                          .arg(QLatin1String(table->databankFile))
                                          .arg(r + 1)
                                          .arg(record.values[0], fieldName(*table, column), reason);
            }
        }
        if (normalised)
            outcome.warnings += QStringLiteral("%1: CR line ends in values written as LF")
                                    .arg(QLatin1String(table->databankFile));
        files += {QDir(outDir).filePath(QLatin1String(table->sourceFile)),
                  databanksource::write(*records, *table)};
    }
    if (!outcome.ok())
        return outcome;
    if (!QDir().mkpath(outDir)) {
        outcome.errors += QStringLiteral("%1: cannot create the folder").arg(outDir);
        return outcome;
    }
    for (const auto &[path, bytes] : files)
        writeFile(path, bytes, outcome);
    return outcome;
}

Outcome check(const QString &databankDir, const QString &remedyNamesPath)
{
    Outcome outcome;
    const auto remedies = readPlainRecords(databanksource::remedyTable(), databankDir, outcome);
    const auto afflictions = readPlainRecords(databanksource::afflictionTable(), databankDir, outcome);
    QString listError;
    const QStringList listNames = fixedlists::loadNameList(remedyNamesPath, &listError);
    if (!listError.isEmpty())
        outcome.errors += listError;
    if (!outcome.ok())
        return outcome;

    const QStringList remedyNames = keysOf(*remedies);
    QStringList unmatched;
    for (const Record &record : *afflictions) {
        for (int slot = 1; slot <= 7; ++slot) {
            const QString name = record.values[slot];
            if (!name.trimmed().isEmpty() && !beginsAnyName(remedyNames, name))
                unmatched += QStringLiteral("  \"%1\" slot %2: \"%3\"").arg(record.key()).arg(slot).arg(name);
        }
    }
    QStringList missing;
    for (const QString &name : listNames) {
        if (!equalsAnyName(remedyNames, name))
            missing += QStringLiteral("  ") + name;
    }
    QStringList unlisted;
    for (const QString &name : remedyNames) {
        if (!equalsAnyName(listNames, name))
            unlisted += QStringLiteral("  ") + name;
    }

    outcome.report += QStringLiteral("%1 remedies, %2 afflictions records, %3 names in %4")
                          .arg(remedies->size())
                          .arg(afflictions->size())
                          .arg(listNames.size())
                          .arg(remedyNamesPath);
    outcome.report += QStringLiteral("Slot names that no remedy name begins with: %1").arg(unmatched.size());
    outcome.report += unmatched;
    outcome.report += QStringLiteral("Listed remedy names without a remedy record: %1").arg(missing.size());
    outcome.report += missing;
    outcome.report += QStringLiteral("Remedy records whose name is not listed: %1").arg(unlisted.size());
    outcome.report += unlisted;
    if (!unmatched.isEmpty())
        outcome.errors += QStringLiteral("%1 afflictions slot names find no remedy").arg(unmatched.size());
    return outcome;
}

Outcome gaps(const QString &databankDir, const QString &remedyNamesPath, QStringList *missing)
{
    Outcome outcome;
    const auto remedies = readPlainRecords(databanksource::remedyTable(), databankDir, outcome);
    QString listError;
    const QStringList listNames = fixedlists::loadNameList(remedyNamesPath, &listError);
    if (!listError.isEmpty())
        outcome.errors += listError;
    if (!outcome.ok())
        return outcome;
    const QStringList remedyNames = keysOf(*remedies);
    missing->clear();
    for (const QString &name : listNames) {
        if (!equalsAnyName(remedyNames, name))
            *missing += name;
    }
    return outcome;
}

Outcome writeGaps(const QString &databankDir, const QString &remedyNamesPath, const QString &outPath)
{
    QStringList missing;
    Outcome outcome = gaps(databankDir, remedyNamesPath, &missing);
    if (!outcome.ok())
        return outcome;
    QByteArray bytes;
    for (const QString &name : missing) {
        // Same quoting rule as the list files, so blanks at a name's end survive.
        const bool quote = name != name.trimmed();
        bytes += (quote ? QLatin1Char('"') + name + QLatin1Char('"') : name).toUtf8() + '\n';
    }
    writeFile(outPath, bytes, outcome);
    outcome.report += QStringLiteral("%1: %2 names").arg(outPath).arg(missing.size());
    return outcome;
}

} // namespace dbtool
