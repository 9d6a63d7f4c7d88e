// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/RecordCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <atomic>

namespace {

// How long a read or write waits for another program's lock before it gives up.
constexpr int BusyTimeoutMs = 1000;

QString quotedName(QString name)
{
    name.replace(u'"', QStringLiteral("\"\""));
    return u'"' + name + u'"';
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The SQLite result code behind a failed statement, told in the user's terms.
QString describe(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
    if (ok) {
        switch (code) {
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return QStringLiteral("it is locked by another program");
        case 11: // SQLITE_CORRUPT
            return QStringLiteral("the file is damaged (%1)").arg(error.databaseText());
        case 26: // SQLITE_NOTADB
            return QStringLiteral("the file is not a databank");
        case 8: // SQLITE_READONLY
            return QStringLiteral("the file cannot be written (%1)").arg(error.databaseText());
        default:
            break;
        }
    }
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("an unknown error occurred") : text;
}

// An empty text, never SQL NULL: the columns are NOT NULL and an empty QString
// would otherwise be bound as NULL.
QVariant bound(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QString textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

std::atomic<int> g_connections{0};

} // namespace

RecordCursor::RecordCursor() = default;

RecordCursor::~RecordCursor()
{
    // The owner is going; it must not be called back half destroyed.
    m_onLeaving = nullptr;
    m_onMoved = nullptr;
    close();
}

QString RecordCursor::normalizedLineEnds(QString text)
{
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

QStringList RecordCursor::requiredFields(const QString &table)
{
    if (table.compare(u"Homeopathy", Qt::CaseInsensitive) == 0) {
        return {QStringLiteral("HomeoName"),   QStringLiteral("English"),
                QStringLiteral("Affliction"),  QStringLiteral("Description"),
                QStringLiteral("Modalities"),  QStringLiteral("Abdomen"),
                QStringLiteral("Mind"),        QStringLiteral("Skin"),
                QStringLiteral("Fever"),       QStringLiteral("Circulatory"),
                QStringLiteral("Pain"),        QStringLiteral("Throat"),
                QStringLiteral("Back"),        QStringLiteral("Eyes"),
                QStringLiteral("Ears"),        QStringLiteral("Face"),
                QStringLiteral("Mouth"),       QStringLiteral("Nose"),
                QStringLiteral("Respiratory"), QStringLiteral("Female"),
                QStringLiteral("Male"),        QStringLiteral("Urine"),
                QStringLiteral("Extremities"), QStringLiteral("Stool"),
                QStringLiteral("Additional"),  QStringLiteral("Potency")};
    }
    if (table.compare(u"HomeoAffliction", Qt::CaseInsensitive) == 0) {
        QStringList fields{QStringLiteral("Affliction")};
        for (const char *stem : {"HomeoName", "CommonName", "Sympt"}) {
            for (int slot = 1; slot <= 7; ++slot)
                fields << QLatin1StringView(stem) + QString::number(slot);
        }
        return fields;
    }
    return {};
}

bool RecordCursor::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

int RecordCursor::fieldIndex(const QString &field) const
{
    // The pages spell the names as the file does; only other spellings pay for a
    // lower-case copy.
    const auto exact = m_fieldExact.constFind(field);
    if (exact != m_fieldExact.cend())
        return *exact;
    return m_fieldByName.value(field.toLower(), -1);
}

RecordCursor::Identity RecordCursor::identity() const
{
    if (m_adding)
        return {true, -1};
    return {false, m_pos >= 0 ? m_rowids[std::size_t(m_pos)] : -1};
}

bool RecordCursor::open(const QString &path, const QString &recordSource)
{
    close();
    m_error.clear();

    static const QRegularExpression sourceForm(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+\[?(\w+)\]?\s+order\s+by\s+\[?(\w+)\]?)"
                       R"((?:\s+asc)?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch source = sourceForm.match(recordSource);
    if (!source.hasMatch()) {
        return fail(QStringLiteral("The record source \"%1\" is not understood; it should read "
                                   "\"Select * From <table> Order by <field>\".")
                        .arg(recordSource));
    }
    const QString wantedTable = source.captured(1);
    const QString wantedKey = source.captured(2);

    const QFileInfo file(path);
    const QString shown = nativePath(path);
    if (path.isEmpty())
        return fail(QStringLiteral("No databank file is named."));
    if (!file.exists())
        return fail(QStringLiteral("The databank file %1 does not exist.").arg(shown));
    if (!file.isFile())
        return fail(QStringLiteral("The databank %1 is not a file.").arg(shown));
    if (file.size() == 0)
        return fail(QStringLiteral("The databank file %1 is empty.").arg(shown));

    const QString connection = QStringLiteral("simillon-cursor-%1").arg(++g_connections);
    // Every handle on the connection lives inside this lambda, so that it can be
    // removed cleanly when the file is refused.
    const auto load = [&]() -> QString {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        if (!db.isValid())
            return QStringLiteral("the SQLite driver is missing");
        // mode=rw: SQLite itself refuses to create a file that is not there, even if it
        // vanished after the check above.
        QUrl uri = QUrl::fromLocalFile(file.absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
        if (!db.open())
            return describe(db.lastError());

        QSqlQuery tables(db);
        tables.setForwardOnly(true);
        if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
            return describe(tables.lastError());
        QString table;
        while (tables.next()) {
            const QString name = tables.value(0).toString();
            if (name.compare(wantedTable, Qt::CaseInsensitive) == 0)
                table = name;
        }
        if (tables.lastError().isValid())
            return describe(tables.lastError());
        if (table.isEmpty())
            return QStringLiteral("it holds no table %1").arg(wantedTable);

        QSqlQuery columns(db);
        columns.setForwardOnly(true);
        if (!columns.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(table))))
            return describe(columns.lastError());
        QStringList fields;
        while (columns.next())
            fields << columns.value(1).toString();
        QHash<QString, int> byName;
        for (int i = 0; i < fields.size(); ++i)
            byName.insert(fields[i].toLower(), i);

        QStringList missing;
        QStringList needed = requiredFields(table);
        if (!needed.contains(wantedKey, Qt::CaseInsensitive))
            needed.prepend(wantedKey);
        for (const QString &field : std::as_const(needed)) {
            if (!byName.contains(field.toLower()))
                missing << field;
        }
        if (!missing.isEmpty()) {
            return QStringLiteral("the table %1 lacks the field%2 %3")
                .arg(table, missing.size() > 1 ? QStringLiteral("s") : QString(),
                     missing.join(QStringLiteral(", ")));
        }

        // Two reads in one snapshot: the keys alone first, so that their texts are
        // allocated side by side, then the other fields. Both ask SQLite for roughly
        // the cursor's order, the order the walks read them in; the exact order of
        // the cursor follows below.
        const QString key = fields[byName.value(wantedKey.toLower())];
        const int keyColumn = byName.value(key.toLower());
        const QString order = QStringLiteral(" FROM %1 ORDER BY %2 COLLATE NOCASE, rowid")
                                  .arg(quotedName(table), quotedName(key));
        struct Snapshot {
            QSqlDatabase &db;
            ~Snapshot() { db.rollback(); }
        } snapshot{db};
        if (!db.transaction())
            return describe(db.lastError());

        std::vector<std::vector<QString>> data(std::size_t(fields.size()));
        std::vector<qint64> rowids;
        {
            QSqlQuery keys(db);
            keys.setForwardOnly(true);
            if (!keys.exec(QStringLiteral("SELECT rowid, %1").arg(quotedName(key)) + order))
                return describe(keys.lastError());
            while (keys.next()) {
                rowids.push_back(keys.value(0).toLongLong());
                data[std::size_t(keyColumn)].push_back(textOf(keys.value(1)));
            }
            // A damaged page often shows only part way through the table.
            if (keys.lastError().isValid())
                return describe(keys.lastError());
        }
        QStringList selected;
        for (const QString &field : std::as_const(fields))
            selected << quotedName(field);
        QSqlQuery rows(db);
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT rowid, %1").arg(selected.join(QStringLiteral(", ")))
                       + order))
            return describe(rows.lastError());
        std::size_t row = 0;
        while (rows.next()) {
            if (row >= rowids.size() || rows.value(0).toLongLong() != rowids[row])
                return QStringLiteral("the file changed while it was read");
            for (int c = 0; c < fields.size(); ++c) {
                if (c != keyColumn)
                    data[std::size_t(c)].push_back(textOf(rows.value(c + 1)));
            }
            ++row;
        }
        if (rows.lastError().isValid())
            return describe(rows.lastError());
        if (row != rowids.size())
            return QStringLiteral("the file changed while it was read");

        m_fields = fields;
        m_fieldByName = byName;
        for (int i = 0; i < fields.size(); ++i)
            m_fieldExact.insert(fields[i], i);
        m_columns = std::move(data);
        m_rowids = std::move(rowids);
        m_table = table;
        m_keyField = key;
        return {};
    };
    const QString reason = load();
    if (!reason.isEmpty()) {
        QSqlDatabase::removeDatabase(connection);
        m_fields.clear();
        m_fieldByName.clear();
        m_fieldExact.clear();
        m_columns.clear();
        m_rowids.clear();
        m_table.clear();
        m_keyField.clear();
        return fail(QStringLiteral("The databank file %1 cannot be opened: %2.").arg(shown, reason));
    }

    m_path = path;
    m_connection = connection;
    // The order of the cursor: letter case ignored the way Qt folds it (SQLite's
    // NOCASE knows only ASCII), equal keys in file order.
    {
        const std::vector<QString> &keys = m_columns[std::size_t(fieldIndex(m_keyField))];
        std::vector<std::size_t> order(m_rowids.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const int byKey = QString::compare(keys[a], keys[b], Qt::CaseInsensitive);
            return byKey != 0 ? byKey < 0 : m_rowids[a] < m_rowids[b];
        });
        if (!std::is_sorted(order.begin(), order.end())) {
            for (std::vector<QString> &column : m_columns) {
                std::vector<QString> sorted;
                sorted.reserve(column.size());
                for (const std::size_t row : order)
                    sorted.push_back(std::move(column[row]));
                column = std::move(sorted);
            }
            std::vector<qint64> rowids;
            rowids.reserve(order.size());
            for (const std::size_t row : order)
                rowids.push_back(m_rowids[row]);
            m_rowids = std::move(rowids);
        }
    }
    m_search.assign(m_columns.size(), SearchColumn());
    m_open = true;
    m_noMatch = false;
    m_pos = m_rowids.empty() ? -1 : 0;
    m_highest = m_pos;
    return true;
}

void RecordCursor::closeConnection()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

void RecordCursor::close()
{
    if (m_open) {
        const Identity before = identity();
        leave();
        closeConnection();
        m_open = false;
        m_pos = -1;
        m_highest = -1;
        m_columns.clear();
        m_search.clear();
        m_rowids.clear();
        m_fields.clear();
        m_fieldByName.clear();
        m_fieldExact.clear();
        m_criterion.reset();
        m_criterionText.clear();
        notifyMoved(before, false);
    }
    closeConnection();
    m_noMatch = false;
    m_adding = false;
    m_newValues.clear();
}

bool RecordCursor::leave()
{
    if (!m_open)
        return false;
    if (m_onLeaving && !m_inLeaving) {
        m_inLeaving = true;
        m_onLeaving();
        m_inLeaving = false;
        if (!m_open)
            return false;
    }
    if (m_adding) {
        // An insert that fails here is dropped; lastError() keeps the reason.
        if (!m_newTouched || !insertPending()) {
            m_adding = false;
            m_newValues.clear();
        }
    }
    return true;
}

void RecordCursor::notifyMoved(const Identity &before, bool stood)
{
    if (m_onMoved && (stood || !(identity() == before)))
        m_onMoved();
}

bool RecordCursor::standOn(int pos)
{
    if (pos < 0 || pos >= size())
        return false;
    m_pos = pos;
    m_highest = std::max(m_highest, pos);
    return true;
}

bool RecordCursor::moveFirst()
{
    m_error.clear();
    const Identity before = identity();
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));
    const bool stood = standOn(0);
    notifyMoved(before, stood);
    return stood || fail(QStringLiteral("The databank holds no records."));
}

bool RecordCursor::movePrevious()
{
    m_error.clear();
    const Identity before = identity();
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));
    const bool stood = standOn(std::max(m_pos - 1, 0));
    notifyMoved(before, stood);
    return stood || fail(QStringLiteral("The databank holds no records."));
}

bool RecordCursor::moveNext()
{
    m_error.clear();
    const Identity before = identity();
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));
    const bool stood = standOn(std::min(m_pos + 1, size() - 1));
    notifyMoved(before, stood);
    return stood || fail(QStringLiteral("The databank holds no records."));
}

bool RecordCursor::moveLast()
{
    m_error.clear();
    const Identity before = identity();
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));
    const bool stood = standOn(size() - 1);
    notifyMoved(before, stood);
    return stood || fail(QStringLiteral("The databank holds no records."));
}

bool RecordCursor::findFirst(const QString &criterion)
{
    return find(criterion, 0);
}

bool RecordCursor::findNext(const QString &criterion)
{
    return find(criterion, 1);
}

bool RecordCursor::find(const QString &criterion, int after)
{
    m_error.clear();
    const Identity before = identity();
    m_noMatch = true;
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));

    if (!m_criterion || criterion != m_criterionText) {
        m_criterionText = criterion;
        m_criterionError.clear();
        m_criterion = Criterion::parse(criterion, &m_criterionError);
        m_criterionColumn = m_criterion ? fieldIndex(m_criterion->field()) : -1;
    }
    const int column = m_criterionColumn;
    if (column < 0) {
        notifyMoved(before, false);
        if (!m_criterion)
            return fail(QStringLiteral("The search condition %1 is not understood: %2.")
                            .arg(criterion, m_criterionError));
        return fail(QStringLiteral("The search condition %1 names no field of the table %2.")
                        .arg(criterion, m_table));
    }

    // find-next starts after the current record; from a dropped new record on an
    // empty set m_pos is -1 and the search starts at the top.
    const int from = after == 0 ? 0 : m_pos + 1;
    const SearchColumn &values = searchColumn(column);
    const Criterion &test = *m_criterion;
    const QChar *text = reinterpret_cast<const QChar *>(values.text.data());
    // Most records already differ in their first letter; that is told from a small
    // array, so only likely matches touch the texts.
    const char16_t first = test.firstUnit();
    for (int p = std::max(from, 0); p < size(); ++p) {
        if (first != 0 && values.first[std::size_t(p)] != first)
            continue;
        const std::size_t begin = values.start[std::size_t(p)];
        const std::size_t end = values.start[std::size_t(p) + 1];
        if (test.matches(QStringView(text + begin, qsizetype(end - begin)))) {
            m_noMatch = false;
            standOn(p);
            notifyMoved(before, true);
            return true;
        }
    }
    notifyMoved(before, false);
    return false;
}

const RecordCursor::SearchColumn &RecordCursor::searchColumn(int column)
{
    SearchColumn &search = m_search[std::size_t(column)];
    if (!search.built) {
        const std::vector<QString> &values = m_columns[std::size_t(column)];
        std::size_t total = 0;
        for (const QString &value : values)
            total += std::size_t(value.size());
        search.text.clear();
        search.text.reserve(total);
        search.start.clear();
        search.start.reserve(values.size() + 1);
        search.first.clear();
        search.first.reserve(values.size());
        for (const QString &value : values) {
            search.start.push_back(search.text.size());
            search.first.push_back(value.isEmpty() ? char16_t(0)
                                                   : LikePattern::fold(value.front().unicode()));
            search.text.append(reinterpret_cast<const char16_t *>(value.utf16()),
                               std::size_t(value.size()));
        }
        search.start.push_back(search.text.size());
        search.built = true;
    }
    return search;
}

std::optional<QString> RecordCursor::fieldValue(const QString &field) const
{
    if (!m_open)
        return std::nullopt;
    const int column = fieldIndex(field);
    if (column < 0)
        return std::nullopt;
    if (m_adding)
        return m_newValues[std::size_t(column)];
    if (m_pos < 0)
        return std::nullopt;
    return m_columns[std::size_t(column)][std::size_t(m_pos)];
}

int RecordCursor::recordCount() const
{
    return m_open ? m_highest + 1 : 0;
}

bool RecordCursor::addNew()
{
    m_error.clear();
    const Identity before = identity();
    if (!leave())
        return fail(QStringLiteral("The databank is not open."));
    m_adding = true;
    m_newTouched = false;
    m_newValues.assign(std::size_t(m_fields.size()), QString());
    notifyMoved(before, true);
    return true;
}

bool RecordCursor::saveNew()
{
    m_error.clear();
    if (!m_adding || !m_newTouched)
        return true;
    return insertPending();
}

void RecordCursor::cancelNew()
{
    if (!m_adding)
        return;
    const Identity before = identity();
    m_adding = false;
    m_newValues.clear();
    notifyMoved(before, false);
}

bool RecordCursor::insertPending()
{
    const QString shown = nativePath(m_path);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QStringList names;
    QStringList marks;
    for (const QString &field : std::as_const(m_fields)) {
        names << quotedName(field);
        marks << QStringLiteral("?");
    }
    const auto writeFailed = [&](const QSqlError &error) {
        return fail(QStringLiteral("The new record could not be saved to the databank file %1: %2.")
                        .arg(shown, describe(error)));
    };
    if (!db.transaction())
        return writeFailed(db.lastError());
    qint64 rowid = -1;
    {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(quotedName(m_table), names.join(QStringLiteral(", ")),
                                marks.join(QStringLiteral(", "))));
        for (const QString &value : m_newValues)
            insert.addBindValue(bound(value));
        if (!insert.exec()) {
            const QSqlError error = insert.lastError();
            insert.finish();
            db.rollback();
            return writeFailed(error);
        }
        rowid = insert.lastInsertId().toLongLong();
    }
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        return writeFailed(error);
    }

    // After the records of equal or lower key, as a reopened cursor would show it.
    const std::vector<QString> &keys = m_columns[std::size_t(fieldIndex(m_keyField))];
    const QString &key = m_newValues[std::size_t(fieldIndex(m_keyField))];
    std::size_t pos = 0;
    while (pos < keys.size() && QString::compare(keys[pos], key, Qt::CaseInsensitive) <= 0)
        ++pos;
    m_rowids.insert(m_rowids.begin() + qsizetype(pos), rowid);
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        m_columns[c].insert(m_columns[c].begin() + qsizetype(pos), m_newValues[c]);
    for (SearchColumn &search : m_search)
        search.built = false;
    if (int(pos) <= m_highest)
        ++m_highest;
    m_adding = false;
    m_newValues.clear();
    standOn(int(pos));
    return true;
}

bool RecordCursor::update(const QHash<QString, QString> &values)
{
    m_error.clear();
    if (!m_open)
        return fail(QStringLiteral("The databank is not open."));
    if (!m_adding && m_pos < 0)
        return fail(QStringLiteral("There is no current record to change."));
    std::vector<std::pair<int, QString>> changes;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int column = fieldIndex(it.key());
        if (column < 0) {
            return fail(QStringLiteral("The table %1 has no field %2; nothing was saved.")
                            .arg(m_table, it.key()));
        }
        changes.emplace_back(column, normalizedLineEnds(it.value()));
    }

    if (m_adding) {
        for (auto &[column, value] : changes) {
            m_newValues[std::size_t(column)] = std::move(value);
        }
        m_newTouched = std::any_of(m_newValues.begin(), m_newValues.end(),
                                   [](const QString &value) { return !value.isEmpty(); });
        return true;
    }

    const auto row = std::size_t(m_pos);
    std::erase_if(changes, [&](const std::pair<int, QString> &change) {
        return m_columns[std::size_t(change.first)][row] == change.second;
    });
    if (changes.empty())
        return true;

    const QString shown = nativePath(m_path);
    const auto writeFailed = [&](const QString &reason) {
        return fail(QStringLiteral("The changes could not be saved to the databank file %1: %2.")
                        .arg(shown, reason));
    };
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return writeFailed(describe(db.lastError()));
    {
        QStringList assignments;
        for (const auto &change : changes)
            assignments << quotedName(m_fields[change.first]) + QStringLiteral(" = ?");
        QSqlQuery write(db);
        write.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                          .arg(quotedName(m_table), assignments.join(QStringLiteral(", "))));
        for (const auto &change : changes)
            write.addBindValue(bound(change.second));
        write.addBindValue(m_rowids[row]);
        const bool written = write.exec();
        const QSqlError error = write.lastError();
        const int affected = written ? write.numRowsAffected() : 0;
        write.finish();
        if (!written || affected != 1) {
            db.rollback();
            return writeFailed(written ? QStringLiteral("the record is no longer in the file")
                                       : describe(error));
        }
    }
    if (!db.commit()) {
        const QString reason = describe(db.lastError());
        db.rollback();
        return writeFailed(reason);
    }
    for (auto &[column, value] : changes) {
        m_search[std::size_t(column)].built = false;
        m_columns[std::size_t(column)][row] = std::move(value);
    }
    return true;
}
