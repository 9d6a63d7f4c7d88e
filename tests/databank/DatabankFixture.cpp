// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabankFixture.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QtTest>

namespace DatabankFixture {

namespace {

int g_serial = 0;

// Runs `work` on a connection of its own, removed afterwards.
template<typename Work>
auto withConnection(const QString &path, Work work)
{
    const QString name = QStringLiteral("fixture-%1").arg(++g_serial);
    struct Remover {
        QString name;
        ~Remover() { QSqlDatabase::removeDatabase(name); }
    } remover{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.open();
    auto result = work(db);
    db.close();
    return result;
}

} // namespace

QStringList remedyFields()
{
    return {QStringLiteral("HomeoName"),   QStringLiteral("English"),    QStringLiteral("Affliction"),
            QStringLiteral("Description"), QStringLiteral("Modalities"), QStringLiteral("Abdomen"),
            QStringLiteral("Mind"),        QStringLiteral("Skin"),       QStringLiteral("Fever"),
            QStringLiteral("Circulatory"), QStringLiteral("Pain"),       QStringLiteral("Throat"),
            QStringLiteral("Back"),        QStringLiteral("Eyes"),       QStringLiteral("Ears"),
            QStringLiteral("Face"),        QStringLiteral("Mouth"),      QStringLiteral("Nose"),
            QStringLiteral("Respiratory"), QStringLiteral("Female"),     QStringLiteral("Male"),
            QStringLiteral("Urine"),       QStringLiteral("Extremities"), QStringLiteral("Stool"),
            QStringLiteral("Additional"),  QStringLiteral("Potency")};
}

bool write(const QString &path, const QString &table, const QStringList &fields,
           const QList<Row> &rows, const QStringList &extraSql)
{
    return withConnection(path, [&](QSqlDatabase &db) {
        QStringList columns;
        QStringList marks;
        for (const QString &field : fields) {
            columns << field + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
            marks << QStringLiteral("?");
        }
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(u','))))
            return false;
        db.transaction();
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, fields.join(u','), marks.join(u',')));
        for (const Row &row : rows) {
            for (const QString &field : fields)
                query.addBindValue(row.value(field, QStringLiteral("")));
            if (!query.exec()) {
                qWarning() << query.lastError().text();
                return false;
            }
        }
        db.commit();
        for (const QString &sql : extraSql) {
            if (!query.exec(sql)) {
                qWarning() << sql << query.lastError().text();
                return false;
            }
        }
        return true;
    });
}

bool writeRemedies(const QString &path, const QList<Row> &rows, const QStringList &extraSql)
{
    return write(path, QStringLiteral("Homeopathy"), remedyFields(), rows, extraSql);
}

QList<Row> read(const QString &path, const QString &table)
{
    return withConnection(path, [&](QSqlDatabase &db) {
        QList<Row> rows;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)))
            return rows;
        while (query.next()) {
            Row row;
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                row.insert(record.fieldName(i), record.value(i).toString());
            rows << row;
        }
        return rows;
    });
}

} // namespace DatabankFixture
