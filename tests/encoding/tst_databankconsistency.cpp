// SPDX-License-Identifier: GPL-3.0-or-later
// The built databanks against each other and against the fixed content that names their
// records: afflictions slots, body-system buttons, the acne sample page and the remedy
// page's fixed name list (whose missing remedies are listed in known-gaps.txt).
#include "databank/FixedLists.h"
#include "databank/Scramble.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <algorithm>

namespace {

const QString kGenerated = QStringLiteral(SIMILLON_GENERATED_DIR);
const QString kContent = QStringLiteral(SIMILLON_SOURCE_DIR "/content");

// Every row of `table` in the built file, each as column name -> stored text.
QList<QHash<QString, QString>> readTable(const QString &file, const QString &table)
{
    QList<QHash<QString, QString>> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file);
        db.setDatabaseName(kGenerated + QLatin1Char('/') + file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT * FROM %1").arg(table));
            while (query.next()) {
                QHash<QString, QString> row;
                for (int i = 0; i < query.record().count(); ++i)
                    row.insert(query.record().fieldName(i), query.value(i).toString());
                rows += row;
            }
        }
    }
    QSqlDatabase::removeDatabase(file);
    return rows;
}

// A column of a tab-separated content table with a header line.
QStringList tsvColumn(const QString &path, const QString &column)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const qsizetype at = lines.takeFirst().trimmed().split(QLatin1Char('\t')).indexOf(column);
    QStringList values;
    if (at < 0)
        return values;
    for (const QString &line : lines) {
        const QString value = line.split(QLatin1Char('\t')).value(at).trimmed();
        if (!value.isEmpty())
            values += value;
    }
    return values;
}

bool beginsAny(const QStringList &names, const QString &text)
{
    return std::any_of(names.begin(), names.end(), [&](const QString &name) {
        return name.startsWith(text.trimmed(), Qt::CaseInsensitive);
    });
}

bool equalsAny(const QStringList &names, const QString &text)
{
    return std::any_of(names.begin(), names.end(), [&](const QString &name) {
        return name.compare(text.trimmed(), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

class DatabankConsistencyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void slotNamesFindRemedy();
    void buttonKeysFindRecord();
    void sampleNamesFindRemedy();
    void knownGapsMatchDatabank();

private:
    QStringList m_remedyNames;
    QStringList m_afflictionKeys;
    QList<QHash<QString, QString>> m_afflictions;
};

void DatabankConsistencyTest::initTestCase()
{
    for (const auto &row : readTable(QStringLiteral("Homeopathy.mdb"), QStringLiteral("Homeopathy")))
        m_remedyNames += row.value(QStringLiteral("HomeoName"));
    m_afflictions = readTable(QStringLiteral("HomeoAfflictions.mdb"), QStringLiteral("HomeoAffliction"));
    for (const auto &row : m_afflictions)
        m_afflictionKeys += row.value(QStringLiteral("Affliction"));
    QVERIFY2(!m_remedyNames.isEmpty() && !m_afflictionKeys.isEmpty(),
             "build the databanks first (target databanks)");
}

void DatabankConsistencyTest::slotNamesFindRemedy()
{
    QStringList unmatched;
    for (const auto &row : m_afflictions) {
        for (int slot = 1; slot <= 7; ++slot) {
            const QString name = scramble::scramble(row.value(QStringLiteral("HomeoName%1").arg(slot)));
            if (!name.trimmed().isEmpty() && !beginsAny(m_remedyNames, name))
                unmatched += QStringLiteral("%1 slot %2: %3")
                                 .arg(row.value(QStringLiteral("Affliction"))).arg(slot).arg(name);
        }
    }
    QVERIFY2(unmatched.isEmpty(), qPrintable(unmatched.join(QStringLiteral("; "))));
}

void DatabankConsistencyTest::buttonKeysFindRecord()
{
    const QDir buttons(kContent + QStringLiteral("/tables/buttons"));
    const QStringList files = buttons.entryList({QStringLiteral("*.tsv")}, QDir::Files);
    if (files.isEmpty())
        QSKIP("no body-system button tables yet");
    QStringList unmatched;
    for (const QString &file : files) {
        for (const QString &key : tsvColumn(buttons.filePath(file), QStringLiteral("key"))) {
            if (!equalsAny(m_afflictionKeys, key))
                unmatched += file + QStringLiteral(": ") + key;
        }
    }
    QVERIFY2(unmatched.isEmpty(), qPrintable(unmatched.join(QStringLiteral("; "))));
}

void DatabankConsistencyTest::sampleNamesFindRemedy()
{
    const QString acne = kContent + QStringLiteral("/tables/acne-pictures.tsv");
    if (!QFile::exists(acne))
        QSKIP("no acne sample table yet");
    QStringList names = tsvColumn(acne, QStringLiteral("lookup"));
    QVERIFY(!names.isEmpty());
    names << QStringLiteral("Pulsatilla") << QStringLiteral("Sepia");
    QStringList unmatched;
    for (const QString &name : names) {
        if (!beginsAny(m_remedyNames, name))
            unmatched += name;
    }
    QVERIFY2(unmatched.isEmpty(), qPrintable(unmatched.join(QStringLiteral("; "))));
}

void DatabankConsistencyTest::knownGapsMatchDatabank()
{
    const QStringList listed = fixedlists::loadNameList(kContent + QStringLiteral("/tables/remedy-names.txt"));
    QCOMPARE(listed.size(), 436);
    QString error;
    const QStringList gaps = fixedlists::loadNameList(kContent + QStringLiteral("/databank/known-gaps.txt"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QStringList unlistedGaps;
    for (const QString &name : listed) {
        if (!equalsAny(m_remedyNames, name) && !gaps.contains(name))
            unlistedGaps += name;
    }
    QStringList present;
    for (const QString &name : gaps) {
        if (equalsAny(m_remedyNames, name) || !listed.contains(name))
            present += name;
    }
    QVERIFY2(unlistedGaps.isEmpty() && present.isEmpty(),
             qPrintable(QStringLiteral("known-gaps.txt is out of date (simillon-dbtool gaps rewrites "
                                       "it). Missing but not listed: %1. Listed but present or not a "
                                       "listed name: %2")
                            .arg(unlistedGaps.join(QStringLiteral(", ")), present.join(QStringLiteral(", ")))));
}

QTEST_GUILESS_MAIN(DatabankConsistencyTest)
#include "tst_databankconsistency.moc"
