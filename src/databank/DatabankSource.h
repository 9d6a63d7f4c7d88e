// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The two databank tables as data, and their text source: the plain, hand-edited form
// under content/databank/ from which the build writes the databank files and into which
// a dump turns them back.
//
// The source form is strict on purpose: every accepted file is exactly what `write`
// makes of its records, so a build followed by a dump gives the same bytes back and a
// diff of a dump shows only real changes. A record is a "## <key>" heading and one line
// per non-empty field in the table's source order: "Field: value" for a one-line value
// without blanks at its ends, otherwise "Field:" and the value's lines as "  | line"
// ("  |" for an empty one). Records are parted by one empty line; LF line ends, UTF-8,
// every character of Windows-1252.
namespace databanksource {

// How a field is kept in the databank file.
enum class Storage {
    Plain,
    DescriptionCode, // the remedy profile table
    AfflictionCode,  // the afflictions table
    Scrambled,       // position scrambling of the name fields
};

struct Field {
    const char *name;
    Storage storage;
};

struct Table {
    const char *tableName;     // the table inside the databank file
    const char *sourceFile;    // e.g. "Homeopathy.txt"
    const char *databankFile;  // e.g. "Homeopathy.mdb"
    const char *header;        // line 1 of the source
    std::span<const Field> columns;       // in the databank's column order; [0] is the key
    std::span<const int> sourceOrder;     // column indexes in the order the source lists them

    // The column index of `name`, or -1.
    int columnIndex(QStringView name) const;
    QStringList columnNames() const;
};

const Table &remedyTable();
const Table &afflictionTable();

// One record, values by column index; an empty value is an empty field.
struct Record {
    QStringList values;
    int line = 0; // the heading's line in the source, 0 when not read from one

    const QString &key() const { return values.first(); }
};

struct Error {
    QString file;
    int line = 0;
    QString message;

    QString toString() const; // "file:line: message"
};

struct Parsed {
    QList<Record> records;
    std::optional<Error> error;

    bool ok() const { return !error; }
};

// `fileName` only names the file in error messages.
Parsed parse(const QByteArray &bytes, const Table &table, const QString &fileName);
Parsed read(const QString &path, const Table &table);
QByteArray write(const QList<Record> &records, const Table &table);

// Why `value` cannot be written to a source (as the key or as a field), or empty.
QString unwritableReason(const QString &value, bool isKey);
// Why `value` cannot be a plain text of an encoded field, or empty. Encoded fields hold
// letters A-Z a-z, digits, blanks, line breaks and , ; . : ( ) - / ' ! ? only: every
// other mark is kept free for the codes.
QString encodedTextProblem(const QString &value);

} // namespace databanksource
