// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/ContentTables.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <optional>

namespace contenttables {
namespace {

// Tables are a few kilobytes; anything much larger is not one of ours.
constexpr qint64 MaxFileBytes = 1024 * 1024;

std::optional<QString> readText(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > MaxFileBytes) {
        if (error)
            *error = QStringLiteral("%1: too large").arg(path);
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

QStringList lines(const QString &text)
{
    QStringList result = text.split(QLatin1Char('\n'));
    for (QString &line : result) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return result;
}

void addError(QString *error, const QString &what)
{
    if (!error)
        return;
    if (!error->isEmpty())
        error->append(QLatin1Char('\n'));
    error->append(what);
}

// A tab-separated table whose columns are found by their header names.
class Table
{
public:
    bool load(const QString &path, const QStringList &required, QString *error)
    {
        m_path = path;
        const auto text = readText(path, error);
        if (!text)
            return false;
        QStringList all = lines(*text);
        while (!all.isEmpty() && all.constLast().isEmpty())
            all.removeLast();
        if (all.isEmpty()) {
            addError(error, QStringLiteral("%1: empty").arg(path));
            return false;
        }
        const QStringList header = all.takeFirst().split(QLatin1Char('\t'));
        for (int i = 0; i < header.size(); ++i)
            m_columns.insert(header[i].trimmed(), i);
        for (const QString &name : required) {
            if (!m_columns.contains(name)) {
                addError(error, QStringLiteral("%1: no column %2").arg(path, name));
                return false;
            }
        }
        for (int i = 0; i < all.size(); ++i) {
            if (!all[i].isEmpty())
                m_rows.append({i + 2, all[i].split(QLatin1Char('\t'))});
        }
        return true;
    }

    struct Row {
        int line;
        QStringList fields;
    };
    const QList<Row> &rows() const { return m_rows; }

    QString value(const Row &row, const QString &column) const
    {
        const int index = m_columns.value(column, -1);
        return index >= 0 && index < row.fields.size() ? row.fields[index] : QString();
    }

    // An integer field; nullopt when it is empty or not a number.
    std::optional<int> number(const Row &row, const QString &column) const
    {
        bool ok = false;
        const int n = value(row, column).trimmed().toInt(&ok);
        return ok ? std::optional<int>(n) : std::nullopt;
    }

    void skip(const Row &row, const QString &why, QString *error) const
    {
        addError(error, QStringLiteral("%1:%2: %3; row skipped").arg(m_path).arg(row.line).arg(why));
    }

private:
    QString m_path;
    QHash<QString, int> m_columns;
    QList<Row> m_rows;
};

struct Grid {
    int left, top, step, width, height;
};

} // namespace

QList<AfflictionButton> afflictionButtons(const QString &page, QString *error)
{
    return afflictionButtons(page, QStringLiteral(":/tables/buttons/%1.tsv").arg(page),
                             QStringLiteral(":/tables/button-grids.tsv"), error);
}

QList<AfflictionButton> afflictionButtons(const QString &page, const QString &buttonsPath,
                                          const QString &gridsPath, QString *error)
{
    if (error)
        error->clear();
    Table grids;
    if (!grids.load(gridsPath, {QStringLiteral("page"), QStringLiteral("column"), QStringLiteral("left"),
                                QStringLiteral("top"), QStringLiteral("step"), QStringLiteral("width"),
                                QStringLiteral("height")},
                    error))
        return {};
    QHash<int, Grid> columns;
    for (const Table::Row &row : grids.rows()) {
        if (grids.value(row, QStringLiteral("page")) != page)
            continue;
        const auto column = grids.number(row, QStringLiteral("column"));
        const auto left = grids.number(row, QStringLiteral("left"));
        const auto top = grids.number(row, QStringLiteral("top"));
        const auto step = grids.number(row, QStringLiteral("step"));
        const auto width = grids.number(row, QStringLiteral("width"));
        const auto height = grids.number(row, QStringLiteral("height"));
        if (!column || !left || !top || !step || !width || !height || *width <= 0 || *height <= 0) {
            grids.skip(row, QStringLiteral("incomplete grid"), error);
            continue;
        }
        columns.insert(*column, {*left, *top, *step, *width, *height});
    }

    Table table;
    if (!table.load(buttonsPath, {QStringLiteral("control"), QStringLiteral("caption"), QStringLiteral("key"),
                                  QStringLiteral("column"), QStringLiteral("row")},
                    error))
        return {};
    QList<AfflictionButton> buttons;
    for (const Table::Row &row : table.rows()) {
        AfflictionButton b;
        b.control = table.value(row, QStringLiteral("control")).trimmed();
        b.caption = table.value(row, QStringLiteral("caption"));
        b.key = table.value(row, QStringLiteral("key"));
        b.tooltip = table.value(row, QStringLiteral("tooltip"));
        const auto column = table.number(row, QStringLiteral("column"));
        const auto rowIndex = table.number(row, QStringLiteral("row"));
        if (b.control.isEmpty() || b.key.trimmed().isEmpty() || !column || !rowIndex || *rowIndex < 0) {
            table.skip(row, QStringLiteral("no name, key, column or row"), error);
            continue;
        }
        if (!columns.contains(*column)) {
            table.skip(row, QStringLiteral("no grid for column %1 of %2").arg(*column).arg(page), error);
            continue;
        }
        const Grid &grid = columns[*column];
        b.column = *column;
        b.row = *rowIndex;
        // A button may have its own left and width where two share a row.
        b.left = table.number(row, QStringLiteral("left")).value_or(grid.left);
        b.width = table.number(row, QStringLiteral("width")).value_or(grid.width);
        b.top = grid.top + b.row * grid.step;
        b.height = grid.height;
        if (b.width <= 0) {
            table.skip(row, QStringLiteral("no width"), error);
            continue;
        }
        buttons.append(b);
    }
    return buttons;
}

QList<AcneCause> acneCauses(QString *error)
{
    if (error)
        error->clear();
    Table table;
    if (!table.load(QStringLiteral(":/tables/acne-causes.tsv"),
                    {QStringLiteral("button"), QStringLiteral("caption"), QStringLiteral("frame")}, error))
        return {};
    QList<AcneCause> causes;
    for (const Table::Row &row : table.rows()) {
        AcneCause c{table.value(row, QStringLiteral("button")),        table.value(row, QStringLiteral("caption")),
                    table.value(row, QStringLiteral("frame")),         table.value(row, QStringLiteral("frameCaption")),
                    table.value(row, QStringLiteral("selection")),     table.value(row, QStringLiteral("lookup")),
                    table.value(row, QStringLiteral("profileCaption"))};
        if (c.button.isEmpty() || c.frame.isEmpty()) {
            table.skip(row, QStringLiteral("no button or frame"), error);
            continue;
        }
        causes.append(c);
    }
    return causes;
}

QList<AcneSymptom> acneSymptoms(QString *error)
{
    if (error)
        error->clear();
    Table table;
    if (!table.load(QStringLiteral(":/tables/acne-symptoms.tsv"),
                    {QStringLiteral("button"), QStringLiteral("caption"), QStringLiteral("frame")}, error))
        return {};
    QList<AcneSymptom> symptoms;
    for (const Table::Row &row : table.rows()) {
        AcneSymptom s{table.value(row, QStringLiteral("button")), table.value(row, QStringLiteral("caption")),
                      table.value(row, QStringLiteral("frame")), table.value(row, QStringLiteral("frameCaption"))};
        if (s.button.isEmpty() || s.frame.isEmpty()) {
            table.skip(row, QStringLiteral("no button or frame"), error);
            continue;
        }
        symptoms.append(s);
    }
    return symptoms;
}

QList<AcnePicture> acnePictures(QString *error)
{
    if (error)
        error->clear();
    Table table;
    if (!table.load(QStringLiteral(":/tables/acne-pictures.tsv"),
                    {QStringLiteral("picture"), QStringLiteral("frame"), QStringLiteral("file")}, error))
        return {};
    QList<AcnePicture> pictures;
    for (const Table::Row &row : table.rows()) {
        AcnePicture p{table.value(row, QStringLiteral("picture")), table.value(row, QStringLiteral("frame")),
                      table.value(row, QStringLiteral("selection")), table.value(row, QStringLiteral("lookup")),
                      table.value(row, QStringLiteral("caption")),   table.value(row, QStringLiteral("file"))};
        if (p.picture.isEmpty() || p.frame.isEmpty() || p.file.isEmpty()) {
            table.skip(row, QStringLiteral("no picture, frame or file"), error);
            continue;
        }
        pictures.append(p);
    }
    return pictures;
}

TextSections TextSections::fromText(const QString &text)
{
    static const QRegularExpression heading(QStringLiteral("^== (.+) ==$"));
    TextSections result;
    QStringList body;
    bool open = false;
    const auto close = [&] {
        if (open)
            result.m_sections.last().text = body.join(QLatin1Char('\n'));
        body.clear();
    };
    for (const QString &line : lines(text)) {
        const auto match = heading.match(line);
        if (match.hasMatch()) {
            close();
            result.m_sections.append({match.captured(1), QString()});
            open = true;
        } else if (open) {
            body.append(line);
        }
    }
    // The last section ends with the file: its final line end is no part of it.
    if (open && !body.isEmpty() && body.constLast().isEmpty())
        body.removeLast();
    close();
    return result;
}

TextSections TextSections::load(const QString &path, QString *error)
{
    if (error)
        error->clear();
    const auto text = readText(path, error);
    return text ? fromText(*text) : TextSections();
}

TextSections TextSections::forPage(const QString &page, QString *error)
{
    return load(QStringLiteral(":/text/%1.txt").arg(page), error);
}

bool TextSections::contains(const QString &name) const
{
    for (const Section &s : m_sections) {
        if (s.name == name)
            return true;
    }
    return false;
}

QString TextSections::text(const QString &name) const
{
    for (const Section &s : m_sections) {
        if (s.name == name)
            return s.text;
    }
    return {};
}

QStringList TextSections::names() const
{
    QStringList result;
    for (const Section &s : m_sections)
        result.append(s.name);
    return result;
}

} // namespace contenttables
