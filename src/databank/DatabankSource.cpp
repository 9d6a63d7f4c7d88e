// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/DatabankSource.h"

#include "databank/Scramble.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace databanksource {
namespace {

using enum Storage;

constexpr std::array<Field, 26> kRemedyColumns{{
    {"HomeoName", Plain},   {"English", Plain},     {"Affliction", AfflictionCode},
    {"Description", DescriptionCode},               {"Modalities", Plain},
    {"Abdomen", Plain},     {"Mind", Plain},        {"Skin", Plain},
    {"Fever", Plain},       {"Circulatory", Plain}, {"Pain", Plain},
    {"Throat", Plain},      {"Back", Plain},        {"Eyes", Plain},
    {"Ears", Plain},        {"Face", Plain},        {"Mouth", Plain},
    {"Nose", Plain},        {"Respiratory", Plain}, {"Female", Plain},
    {"Male", Plain},        {"Urine", Plain},       {"Extremities", Plain},
    {"Stool", Plain},       {"Additional", Plain},  {"Potency", Plain},
}};

constexpr auto kRemedySourceOrder = [] {
    std::array<int, 26> order{};
    for (int i = 0; i < 26; ++i)
        order[i] = i;
    return order;
}();

constexpr std::array<Field, 22> kAfflictionColumns{{
    {"Affliction", Plain},
    {"HomeoName1", Scrambled}, {"HomeoName2", Scrambled}, {"HomeoName3", Scrambled},
    {"HomeoName4", Scrambled}, {"HomeoName5", Scrambled}, {"HomeoName6", Scrambled},
    {"HomeoName7", Scrambled},
    {"CommonName1", Scrambled}, {"CommonName2", Scrambled}, {"CommonName3", Scrambled},
    {"CommonName4", Scrambled}, {"CommonName5", Scrambled}, {"CommonName6", Scrambled},
    {"CommonName7", Scrambled},
    {"Sympt1", Plain}, {"Sympt2", Plain}, {"Sympt3", Plain}, {"Sympt4", Plain},
    {"Sympt5", Plain}, {"Sympt6", Plain}, {"Sympt7", Plain},
}};

// The source reads slot by slot: remedy, common name, symptoms.
constexpr auto kAfflictionSourceOrder = [] {
    std::array<int, 22> order{};
    for (int slot = 0; slot < 7; ++slot) {
        order[1 + 3 * slot] = 1 + slot;
        order[2 + 3 * slot] = 8 + slot;
        order[3 + 3 * slot] = 15 + slot;
    }
    return order;
}();

const Table kRemedyTable{
    "Homeopathy", "Homeopathy.txt", "Homeopathy.mdb",
    "# Simillon remedy databank source (table Homeopathy). One record per \"## \" heading.",
    kRemedyColumns, kRemedySourceOrder};

const Table kAfflictionTable{
    "HomeoAffliction", "HomeoAfflictions.txt", "HomeoAfflictions.mdb",
    "# Simillon afflictions databank source (table HomeoAffliction). One record per \"## \" "
    "heading.",
    kAfflictionColumns, kAfflictionSourceOrder};

const QLatin1String kValuePrefix("  |");

bool needsBlock(const QString &value)
{
    return value.contains(QLatin1Char('\n')) || value.startsWith(QLatin1Char(' '))
        || value.endsWith(QLatin1Char(' '));
}

QString codePoint(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

// Why a character cannot stand in a source line: controls would not survive an editor,
// and everything has to fit the databank's 8-bit code page.
QString characterProblem(QChar c)
{
    if (c == QLatin1Char('\r'))
        return QStringLiteral("carriage return: the file must have LF line ends");
    if (c == QLatin1Char('\t'))
        return {};
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u < 0xA0))
        return QStringLiteral("control character %1").arg(codePoint(c));
    if (scramble::windows1252Code(c) < 0)
        return QStringLiteral("character %1 ('%2') is not in Windows-1252").arg(codePoint(c), c);
    return {};
}

class Parser
{
public:
    Parser(const Table &table, const QString &fileName) : m_table(table), m_fileName(fileName) {}

    Parsed run(const QByteArray &bytes);

private:
    void fail(int line, const QString &message)
    {
        if (!m_result.error)
            m_result.error = Error{m_fileName, line, message};
    }
    bool failed() const { return m_result.error.has_value(); }
    void fieldLine(int line, const QString &text);
    void valueLine(int line, const QString &text);
    void closeBlock();
    QString fieldName(int column) const { return QString::fromLatin1(m_table.columns[column].name); }

    const Table &m_table;
    QString m_fileName;
    Parsed m_result;
    bool m_inRecord = false;
    int m_lastSourcePlace = 0;   // place in the source order of the record's last field
    int m_blockColumn = -1;      // the field whose value lines are being read
    int m_blockLine = 0;
    QStringList m_blockLines;
};

Parsed Parser::run(const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        fail(1, QStringLiteral("empty file; line 1 must be the header"));
        return m_result;
    }
    QList<QByteArray> rawLines = bytes.split('\n');
    if (!bytes.endsWith('\n')) {
        fail(int(rawLines.size()), QStringLiteral("the file must end with a newline"));
        return m_result;
    }
    rawLines.removeLast();

    if (rawLines.first().startsWith("\xEF\xBB\xBF")) {
        fail(1, QStringLiteral("byte order mark; save the file as UTF-8 without BOM"));
        return m_result;
    }
    QStringList lines;
    lines.reserve(rawLines.size());
    for (int n = 0; n < rawLines.size(); ++n) {
        auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder(rawLines[n]);
        if (decoder.hasError()) {
            fail(n + 1, QStringLiteral("not valid UTF-8"));
            return m_result;
        }
        for (const QChar c : text) {
            const QString problem = characterProblem(c);
            if (!problem.isEmpty()) {
                fail(n + 1, problem);
                return m_result;
            }
        }
        lines += text;
    }

    if (lines.first() != QLatin1String(m_table.header)) {
        fail(1, QStringLiteral("line 1 must be the header: %1").arg(QLatin1String(m_table.header)));
        return m_result;
    }
    if (lines.size() < 2 || !lines[1].isEmpty()) {
        fail(2, QStringLiteral("line 2 must be empty"));
        return m_result;
    }

    const QLatin1String heading("## ");
    for (int n = 2; n < lines.size() && !failed(); ++n) {
        const QString &text = lines[n];
        const int line = n + 1;
        if (!m_inRecord) {
            if (text.startsWith(heading)) {
                const QString key = text.mid(heading.size());
                if (key.trimmed().isEmpty())
                    fail(line, QStringLiteral("a record heading needs a key after \"## \""));
                else if (key != key.trimmed())
                    fail(line, QStringLiteral("the key has blanks at its start or end"));
                Record record;
                record.values = QList<QString>(m_table.columns.size());
                record.values[0] = key;
                record.line = line;
                m_result.records += record;
                m_inRecord = true;
                m_lastSourcePlace = 0;
            } else if (text.isEmpty()) {
                fail(line, m_result.records.isEmpty()
                               ? QStringLiteral("only one empty line follows the header")
                               : QStringLiteral("records are parted by exactly one empty line"));
            } else {
                fail(line, QStringLiteral("expected a record heading \"## <key>\""));
            }
            continue;
        }
        if (text.isEmpty()) {
            closeBlock();
            m_inRecord = false;
            if (n == lines.size() - 1)
                fail(line, QStringLiteral("the file must end right after the last record's "
                                          "last line, without an empty line"));
        } else if (text.startsWith(kValuePrefix)) {
            valueLine(line, text);
        } else if (text.startsWith(heading)) {
            fail(line, QStringLiteral("an empty line must come before the next record"));
        } else {
            fieldLine(line, text);
        }
    }
    if (!failed())
        closeBlock();
    if (failed())
        m_result.records.clear();
    return m_result;
}

void Parser::fieldLine(int line, const QString &text)
{
    closeBlock();
    if (failed())
        return;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0) {
        fail(line, QStringLiteral("expected \"Field: value\", \"Field:\" or a value line "
                                  "\"  | ...\""));
        return;
    }
    const QString name = text.left(colon);
    const int column = m_table.columnIndex(name);
    if (column < 0) {
        fail(line, QStringLiteral("unknown field \"%1\" in table %2")
                       .arg(name, QLatin1String(m_table.tableName)));
        return;
    }
    if (column == 0) {
        fail(line, QStringLiteral("\"%1\" is the key; it goes on the \"## \" heading").arg(name));
        return;
    }
    int place = 0;
    while (m_table.sourceOrder[place] != column)
        ++place;
    if (place <= m_lastSourcePlace) {
        fail(line, QStringLiteral("field \"%1\" is repeated or out of order; it comes before \"%2\"")
                       .arg(name, fieldName(m_table.sourceOrder[m_lastSourcePlace])));
        return;
    }
    m_lastSourcePlace = place;

    const QString rest = text.mid(colon + 1);
    if (rest.isEmpty()) {
        m_blockColumn = column;
        m_blockLine = line;
        m_blockLines.clear();
        return;
    }
    if (!rest.startsWith(QLatin1Char(' '))) {
        fail(line, QStringLiteral("one blank follows the colon"));
        return;
    }
    const QString value = rest.mid(1);
    if (value.isEmpty()) {
        fail(line, QStringLiteral("empty field \"%1\": leave the line out").arg(name));
        return;
    }
    if (needsBlock(value)) {
        fail(line, QStringLiteral("a value with blanks at its start or end is written as a "
                                  "block of \"  | \" lines"));
        return;
    }
    m_result.records.last().values[column] = value;
}

void Parser::valueLine(int line, const QString &text)
{
    if (m_blockColumn < 0) {
        fail(line, QStringLiteral("a value line must follow a \"Field:\" line or another "
                                  "value line"));
        return;
    }
    const QString rest = text.mid(kValuePrefix.size());
    if (rest.isEmpty()) {
        m_blockLines += QString();
    } else if (rest == QLatin1String(" ")) {
        fail(line, QStringLiteral("an empty value line is written \"  |\", without a blank"));
    } else if (!rest.startsWith(QLatin1Char(' '))) {
        fail(line, QStringLiteral("one blank follows the bar of a value line"));
    } else {
        m_blockLines += rest.mid(1);
    }
}

void Parser::closeBlock()
{
    if (m_blockColumn < 0)
        return;
    const int column = m_blockColumn;
    m_blockColumn = -1;
    if (m_blockLines.isEmpty()) {
        fail(m_blockLine, QStringLiteral("\"%1:\" is followed by no value lines").arg(fieldName(column)));
        return;
    }
    const QString value = m_blockLines.join(QLatin1Char('\n'));
    if (value.isEmpty()) {
        fail(m_blockLine, QStringLiteral("empty field \"%1\": leave it out").arg(fieldName(column)));
        return;
    }
    if (!needsBlock(value)) {
        fail(m_blockLine, QStringLiteral("a one-line value without blanks at its ends stays on "
                                         "the field line: \"%1: %2\"")
                              .arg(fieldName(column), value));
        return;
    }
    m_result.records.last().values[column] = value;
}

} // namespace

int Table::columnIndex(QStringView name) const
{
    for (int i = 0; i < int(columns.size()); ++i) {
        if (name == QLatin1String(columns[i].name))
            return i;
    }
    return -1;
}

QStringList Table::columnNames() const
{
    QStringList names;
    for (const Field &field : columns)
        names += QString::fromLatin1(field.name);
    return names;
}

const Table &remedyTable() { return kRemedyTable; }
const Table &afflictionTable() { return kAfflictionTable; }

QString Error::toString() const
{
    return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
}

Parsed parse(const QByteArray &bytes, const Table &table, const QString &fileName)
{
    return Parser(table, fileName).run(bytes);
}

Parsed read(const QString &path, const Table &table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Parsed result;
        result.error = Error{path, 0, QStringLiteral("cannot read: %1").arg(file.errorString())};
        return result;
    }
    return parse(file.readAll(), table, path);
}

QByteArray write(const QList<Record> &records, const Table &table)
{
    QString out = QLatin1String(table.header) + QLatin1String("\n\n");
    for (qsizetype r = 0; r < records.size(); ++r) {
        const Record &record = records[r];
        if (r > 0)
            out += QLatin1Char('\n');
        out += QLatin1String("## ") + record.key() + QLatin1Char('\n');
        for (qsizetype place = 1; place < qsizetype(table.sourceOrder.size()); ++place) {
            const int column = table.sourceOrder[place];
            const QString value = record.values.value(column);
            if (value.isEmpty())
                continue;
            const QLatin1String name(table.columns[column].name);
            if (!needsBlock(value)) {
                out += name + QLatin1String(": ") + value + QLatin1Char('\n');
                continue;
            }
            out += name + QLatin1String(":\n");
            for (const QString &line : value.split(QLatin1Char('\n')))
                out += line.isEmpty() ? kValuePrefix + QLatin1Char('\n')
                                      : kValuePrefix + QLatin1Char(' ') + line + QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

QString unwritableReason(const QString &value, bool isKey)
{
    if (isKey) {
        if (value.trimmed().isEmpty())
            return QStringLiteral("the key is empty");
        if (value.contains(QLatin1Char('\n')))
            return QStringLiteral("the key has a line break");
        if (value != value.trimmed())
            return QStringLiteral("the key has blanks at its start or end");
    }
    for (const QChar c : value) {
        if (c == QLatin1Char('\n'))
            continue;
        const QString problem = characterProblem(c);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString encodedTextProblem(const QString &value)
{
    static const QString marks = QStringLiteral(",;.:()-/'!?");
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        const char16_t u = c.unicode();
        const bool allowed = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')
            || (u >= '0' && u <= '9') || u == ' ' || u == '\n' || marks.contains(c);
        if (!allowed) {
            const int line = int(QStringView(value).left(i).count(QLatin1Char('\n'))) + 1;
            return QStringLiteral("character '%1' (%2) in line %3 of the value: an encoded "
                                  "field holds letters A-Z a-z, digits, blanks and , ; . : ( ) "
                                  "- / ' ! ? only")
                .arg(c)
                .arg(codePoint(c))
                .arg(line);
        }
    }
    return {};
}

} // namespace databanksource
