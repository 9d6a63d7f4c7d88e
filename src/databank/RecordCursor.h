// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databank/Criterion.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One record cursor over one table of a databank file (SQLite), with the behaviour the
// pages expect of a Jet record set: ordered by one key field, stepping, find-first and
// find-next with a criterion text, no-match, field values, a record count that grows
// as records are met, add-new and writing edited fields back.
//
// open() loads the whole table into memory, ordered by the key field without regard
// to letter case (equal keys keep their file order); finds and moves then never touch
// the file. Only update() and the insert of a new record write, each in a transaction
// of its own, and memory follows the file only after the commit succeeded.
//
// Every operation is safe on a closed or empty cursor: it fails (false, nullopt or 0)
// and leaves a reason in lastError(). A failed find sets no-match, so a walk
// (find-first, then find-next while no-match is not set) always ends, and it never
// meets a record twice because find-next only looks past the current record.
//
// The data control hangs on two hooks: leaving (the cursor is about to leave the
// record it stands on: write the edited boxes back now) and moved (it stands on
// another record, on a new one or on none: fill the boxes).
class RecordCursor
{
public:
    RecordCursor();
    ~RecordCursor();
    RecordCursor(const RecordCursor &) = delete;
    RecordCursor &operator=(const RecordCursor &) = delete;

    // Opens `path` (which must exist: a missing file is never created) and runs
    // `recordSource`, "Select * From <Table> Order by <Field>". On success the cursor
    // stands on the first record, if any. On failure the cursor is closed and
    // lastError() tells which file and what is wrong.
    bool open(const QString &path, const QString &recordSource);
    // Writes a pending new record that holds values, then closes.
    void close();

    bool isOpen() const { return m_open; }
    // True when there is no record to stand on: closed, or a table without records.
    bool isEmpty() const { return m_rowids.empty(); }
    QString databaseName() const { return m_path; }
    QString tableName() const { return m_table; }
    QString keyField() const { return m_keyField; }
    // The table's columns as the file spells them, in table order.
    QStringList fieldNames() const { return m_fields; }
    // The SQL connection of this cursor, unique to it; empty when closed.
    QString connectionName() const { return m_connection; }
    // The reason of the last failed operation, one sentence; empty after a success.
    QString lastError() const { return m_error; }

    // Each answers whether the cursor stands on a record afterwards. Stepping before
    // the first or after the last record stays on it.
    bool moveFirst();
    bool movePrevious();
    bool moveNext();
    bool moveLast();

    // True when a record matched and the cursor stands on it. No match sets noMatch()
    // and leaves the cursor where it was; a criterion that is not understood or names
    // an unknown field is a failure, which also sets noMatch().
    bool findFirst(const QString &criterion);
    bool findNext(const QString &criterion);
    bool noMatch() const { return m_noMatch; }

    // The named field (any letter case) of the current record; on a new record the
    // value given to update() so far. Nullopt without a current record or for an
    // unknown field.
    std::optional<QString> fieldValue(const QString &field) const;

    // The number of records met so far: the furthest position the cursor has stood on,
    // plus one. After moveLast() it is the number of records.
    int recordCount() const;
    // The number of records loaded, whatever the cursor has met.
    int size() const { return int(m_rowids.size()); }
    // 0-based position in cursor order; -1 on a new record or without a record.
    int position() const { return m_adding ? -1 : m_pos; }

    // Starts an empty new record. It becomes a record of the table when the cursor
    // leaves it, if update() gave it values; an untouched new record is dropped.
    bool addNew();
    bool isNewRecord() const { return m_adding; }
    // Writes the pending new record now (true if there was nothing to write). On
    // failure the record stays pending and lastError() tells why.
    bool saveNew();
    // Drops the pending new record; the cursor goes back where it stood before.
    void cancelNew();

    // Writes the given fields of the current record, all or nothing, with line ends
    // made LF. Fields whose text equals the stored one are left alone. On a new record
    // the values are kept until the record is saved. A changed key leaves the record
    // where it stands in the cursor until the databank is opened again, as Jet does.
    bool update(const QHash<QString, QString> &values);

    void setLeavingHandler(std::function<void()> handler) { m_onLeaving = std::move(handler); }
    void setMovedHandler(std::function<void()> handler) { m_onMoved = std::move(handler); }

    // CR LF and lone CR become LF: the form texts are stored in.
    static QString normalizedLineEnds(QString text);
    // The columns the program relies on in its two tables; empty for other tables.
    static QStringList requiredFields(const QString &table);

private:
    struct Identity {
        bool adding;
        qint64 rowid;
        bool operator==(const Identity &) const = default;
    };

    bool fail(const QString &reason);
    int fieldIndex(const QString &field) const;
    Identity identity() const;
    // Runs the leaving hook and settles a pending new record; false if closed.
    bool leave();
    void notifyMoved(const Identity &before, bool stood);
    bool standOn(int pos);
    bool find(const QString &criterion, int from);
    bool insertPending();
    void closeConnection();

    QString m_path;
    QString m_table;
    QString m_keyField;
    QString m_connection;
    QString m_error;
    QStringList m_fields;
    QHash<QString, int> m_fieldByName;  // lower-case name -> column
    QHash<QString, int> m_fieldExact;   // name as the file spells it -> column
    // All in cursor order: [column][position] and [position].
    std::vector<std::vector<QString>> m_columns;
    std::vector<qint64> m_rowids;

    // A column's texts copied end to end in cursor order, built when a find first
    // looks at it: the scan then reads memory in sequence instead of chasing one
    // allocation per record, which is what keeps large tables linear.
    struct SearchColumn {
        bool built = false;
        std::u16string text;
        std::vector<std::size_t> start; // [position], plus the end
        std::vector<char16_t> first;    // [position]: folded first unit, 0 if empty
    };
    std::vector<SearchColumn> m_search; // [column]
    const SearchColumn &searchColumn(int column);

    bool m_open = false;
    int m_pos = -1;
    int m_highest = -1;
    bool m_noMatch = false;

    bool m_adding = false;
    bool m_newTouched = false;
    std::vector<QString> m_newValues;

    // The last criterion text and what it parsed to, so that a walk parses once.
    QString m_criterionText;
    std::optional<Criterion> m_criterion;
    QString m_criterionError;
    int m_criterionColumn = -1;

    bool m_inLeaving = false;
    std::function<void()> m_onLeaving;
    std::function<void()> m_onMoved;
};
