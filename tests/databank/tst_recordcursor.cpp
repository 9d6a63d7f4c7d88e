// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabankFixture.h"
#include "databank/Criterion.h"
#include "databank/RecordCursor.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using DatabankFixture::Row;

namespace {

const QString RemedySource = QStringLiteral("Select * From Homeopathy Order by HomeoName");

Row remedy(const QString &name, const QString &english = {})
{
    return {{QStringLiteral("HomeoName"), name}, {QStringLiteral("English"), english}};
}

// File order on purpose out of name order, with ties that differ only in letter case.
QList<Row> sampleRemedies()
{
    return {remedy(QStringLiteral("Bryonia alba"), QStringLiteral("wild hops")),
            remedy(QStringLiteral("aconite"), QStringLiteral("first aconite")),
            remedy(QStringLiteral("Aconitum napellus"), QStringLiteral("monkshood")),
            remedy(QStringLiteral("ACONITE"), QStringLiteral("second aconite")),
            remedy(QStringLiteral("Belladonna"), QStringLiteral("deadly nightshade")),
            remedy(QStringLiteral("St. John's Wort"), QStringLiteral("hypericum")),
            remedy(QStringLiteral("Apis Mellifica"), QStringLiteral("honey bee"))};
}

QString field(const RecordCursor &cursor, const char *name)
{
    return cursor.fieldValue(QLatin1StringView(name)).value_or(QStringLiteral("<none>"));
}

QStringList walk(RecordCursor &cursor, const QString &criterion)
{
    QStringList found;
    cursor.findFirst(criterion);
    while (!cursor.noMatch()) {
        found << field(cursor, "English");
        if (found.size() > 100)
            break; // a walk that does not end is the fault under test
        cursor.findNext(criterion);
    }
    return found;
}

} // namespace

class TestRecordCursor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void orderIsCaseInsensitiveAndStable_data();
    void orderIsCaseInsensitiveAndStable();
    void steppingStaysAtTheEnds();
    void walk_data();
    void walk();
    void noMatchLeavesTheCursor();
    void recordCountGrowsAsRecordsAreMet();
    void fieldNamesIgnoreCase();
    void addNewInsertsWhenLeft();
    void untouchedAddNewInsertsNothing();
    void updateIsAllOrNothing();
    void updateStoresLineFeeds();
    void emptyTable();
    void badFile_data();
    void badFile();
    void lockedFile();
    void pathWithUriCharacters();

private:
    QString openSample(RecordCursor &cursor);
    QTemporaryDir m_dir;
    int m_serial = 0;
};

void TestRecordCursor::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestRecordCursor::openSample(RecordCursor &cursor)
{
    const QString path = m_dir.filePath(QStringLiteral("sample%1.mdb").arg(++m_serial));
    if (!DatabankFixture::writeRemedies(path, sampleRemedies()))
        return {};
    if (!cursor.open(path, RemedySource))
        return {};
    return path;
}

void TestRecordCursor::orderIsCaseInsensitiveAndStable_data()
{
    QTest::addColumn<QStringList>("names"); // in file order
    QTest::addColumn<QList<int>>("expected"); // file rows in cursor order
    QTest::newRow("sample") << QStringList{"Bryonia alba", "aconite", "Aconitum napellus",
                                           "ACONITE", "Belladonna", "St. John's Wort",
                                           "Apis Mellifica"}
                            << QList<int>{1, 3, 2, 6, 4, 0, 5};
    // Letters beyond ASCII: equal but for case, they still keep their file order.
    QTest::newRow("beyond ASCII") << QStringList{"\u00F6dem", "Zinc", "\u00D6dem", "Odem"}
                                  << QList<int>{3, 1, 0, 2};
    QTest::newRow("empty keys first") << QStringList{"b", "", "a", ""} << QList<int>{1, 3, 2, 0};
}

void TestRecordCursor::orderIsCaseInsensitiveAndStable()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, expected);
    QList<Row> rows;
    for (int i = 0; i < names.size(); ++i)
        rows << remedy(names[i], QString::number(i));
    const QString path = m_dir.filePath(QStringLiteral("order%1.mdb").arg(++m_serial));
    QVERIFY(DatabankFixture::writeRemedies(path, rows));
    RecordCursor cursor;
    QVERIFY(cursor.open(path, RemedySource));
    QList<int> seen;
    do
        seen << field(cursor, "English").toInt();
    while (cursor.position() < cursor.size() - 1 && cursor.moveNext());
    QCOMPARE(seen, expected);
}

void TestRecordCursor::steppingStaysAtTheEnds()
{
    RecordCursor cursor;
    QVERIFY(!openSample(cursor).isEmpty());
    QVERIFY(cursor.movePrevious());
    QCOMPARE(cursor.position(), 0);
    QCOMPARE(field(cursor, "English"), QStringLiteral("first aconite"));
    QVERIFY(cursor.moveLast());
    QVERIFY(cursor.moveNext());
    QCOMPARE(cursor.position(), cursor.size() - 1);
    QCOMPARE(field(cursor, "HomeoName"), QStringLiteral("St. John's Wort"));
}

void TestRecordCursor::walk_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("fails");
    const QString name = QStringLiteral("HomeoName");
    QTest::newRow("like Acon") << Criterion::like(name, QStringLiteral("Acon"))
                               << QStringList{"first aconite", "second aconite", "monkshood"} << false;
    QTest::newRow("equals Aconite, both cases")
        << Criterion::equals(name, QStringLiteral("aCoNiTe"))
        << QStringList{"first aconite", "second aconite"} << false;
    QTest::newRow("equals Acon") << Criterion::equals(name, QStringLiteral("Acon"))
                                 << QStringList{} << false;
    QTest::newRow("blanks find the same") << Criterion::like(name, QStringLiteral("  be "))
                                          << QStringList{"deadly nightshade"} << false;
    QTest::newRow("text of blanks finds all") << Criterion::like(name, QStringLiteral("   "))
                                              << QStringList{"first aconite", "second aconite",
                                                             "monkshood", "honey bee",
                                                             "deadly nightshade", "wild hops",
                                                             "hypericum"}
                                              << false;
    QTest::newRow("apostrophe") << Criterion::like(name, QStringLiteral("St. John's"))
                                << QStringList{"hypericum"} << false;
    QTest::newRow("other field") << QStringLiteral("[English] like '*aconite'")
                                 << QStringList{"first aconite", "second aconite"} << false;
    QTest::newRow("raw apostrophe fails and ends")
        << QStringLiteral("[HomeoName] like 'St. John's*'") << QStringList{} << true;
    QTest::newRow("unknown field fails and ends") << QStringLiteral("[Colour] = 'red'")
                                                  << QStringList{} << true;
    QTest::newRow("unclosed list fails and ends") << Criterion::like(name, QStringLiteral("[A"))
                                                  << QStringList{} << true;
}

void TestRecordCursor::walk()
{
    QFETCH(QString, criterion);
    QFETCH(QStringList, expected);
    QFETCH(bool, fails);
    RecordCursor cursor;
    QVERIFY(!openSample(cursor).isEmpty());
    cursor.moveLast();
    QCOMPARE(::walk(cursor, criterion), expected);
    QCOMPARE(!cursor.lastError().isEmpty(), fails);
}

void TestRecordCursor::noMatchLeavesTheCursor()
{
    RecordCursor cursor;
    QVERIFY(!openSample(cursor).isEmpty());
    QVERIFY(cursor.moveNext());
    QVERIFY(cursor.moveNext());
    QVERIFY(!cursor.findFirst(Criterion::like(QStringLiteral("HomeoName"), QStringLiteral("Zz"))));
    QVERIFY(cursor.noMatch());
    QVERIFY(cursor.lastError().isEmpty());
    QCOMPARE(cursor.position(), 2);
    QCOMPARE(field(cursor, "English"), QStringLiteral("monkshood"));

    QVERIFY(cursor.findFirst(QStringLiteral("[HomeoName] like 'bel*'")));
    QVERIFY(!cursor.noMatch());
    QCOMPARE(field(cursor, "English"), QStringLiteral("deadly nightshade"));
}

void TestRecordCursor::recordCountGrowsAsRecordsAreMet()
{
    RecordCursor cursor;
    QVERIFY(!openSample(cursor).isEmpty());
    QCOMPARE(cursor.recordCount(), 1);
    cursor.moveNext();
    cursor.moveNext();
    cursor.movePrevious();
    QCOMPARE(cursor.recordCount(), 3);
    cursor.findFirst(QStringLiteral("[HomeoName] like 'b*'"));
    QCOMPARE(cursor.recordCount(), 5);
    cursor.moveLast();
    QCOMPARE(cursor.recordCount(), 7);
    QCOMPARE(field(cursor, "HomeoName"), QStringLiteral("St. John's Wort"));
    cursor.moveFirst();
    QCOMPARE(cursor.recordCount(), 7);
}

void TestRecordCursor::fieldNamesIgnoreCase()
{
    RecordCursor cursor;
    QVERIFY(!openSample(cursor).isEmpty());
    QCOMPARE(cursor.fieldValue(QStringLiteral("homeoname")), QStringLiteral("aconite"));
    QCOMPARE(cursor.fieldValue(QStringLiteral("Colour")), std::nullopt);
    QCOMPARE(cursor.fieldNames(), DatabankFixture::remedyFields());
}

void TestRecordCursor::addNewInsertsWhenLeft()
{
    RecordCursor cursor;
    const QString path = openSample(cursor);
    QVERIFY(!path.isEmpty());
    cursor.moveNext(); // on "second aconite"
    QVERIFY(cursor.addNew());
    QVERIFY(cursor.isNewRecord());
    QCOMPARE(cursor.fieldValue(QStringLiteral("HomeoName")), QString());
    QVERIFY(cursor.update({{QStringLiteral("HomeoName"), QStringLiteral("Arnica Montana")},
                           {QStringLiteral("English"), QStringLiteral("leopard's bane")}}));
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy")).size(), 7);

    QVERIFY(cursor.moveNext()); // leaves the new record: it is stored now
    QVERIFY(!cursor.isNewRecord());
    const auto rows = DatabankFixture::read(path, QStringLiteral("Homeopathy"));
    QCOMPARE(rows.size(), 8);
    QCOMPARE(rows.last().value(QStringLiteral("HomeoName")), QStringLiteral("Arnica Montana"));
    QCOMPARE(rows.last().value(QStringLiteral("Potency")), QString());
    // It took its place in name order; the step went on from there.
    QCOMPARE(cursor.size(), 8);
    QCOMPARE(field(cursor, "English"), QStringLiteral("deadly nightshade"));
    QVERIFY(cursor.findFirst(QStringLiteral("[HomeoName] = 'arnica montana'")));
    QCOMPARE(cursor.position(), 4);
}

void TestRecordCursor::untouchedAddNewInsertsNothing()
{
    RecordCursor cursor;
    const QString path = openSample(cursor);
    QVERIFY(!path.isEmpty());
    cursor.moveNext();
    QVERIFY(cursor.addNew());
    QVERIFY(cursor.update({{QStringLiteral("English"), QString()}})); // still nothing in it
    QVERIFY(cursor.moveNext());
    QCOMPARE(cursor.position(), 2); // on from where it stood before add-new
    QCOMPARE(cursor.size(), 7);
    cursor.addNew();
    cursor.close();
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy")).size(), 7);
}

void TestRecordCursor::updateIsAllOrNothing()
{
    RecordCursor cursor;
    const QString path = m_dir.filePath(QStringLiteral("refusing.mdb"));
    // The file refuses one of the two changes; the other must not be kept either.
    QVERIFY(DatabankFixture::writeRemedies(
        path, sampleRemedies(),
        {QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Homeopathy "
                        "WHEN NEW.Potency = 'refused' BEGIN SELECT RAISE(ABORT, 'no'); END")}));
    QVERIFY(cursor.open(path, RemedySource));
    const QHash<QString, QString> changes{{QStringLiteral("English"), QStringLiteral("changed")},
                                          {QStringLiteral("Potency"), QStringLiteral("refused")}};
    QVERIFY(!cursor.update(changes));
    QVERIFY(cursor.lastError().contains(path));
    QCOMPARE(field(cursor, "English"), QStringLiteral("first aconite"));
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy"))[1].value(
                 QStringLiteral("English")),
             QStringLiteral("first aconite"));

    QVERIFY(!cursor.update({{QStringLiteral("English"), QStringLiteral("changed")},
                            {QStringLiteral("Colour"), QStringLiteral("red")}}));
    QCOMPARE(field(cursor, "English"), QStringLiteral("first aconite"));

    QVERIFY(cursor.update({{QStringLiteral("English"), QStringLiteral("changed")},
                           {QStringLiteral("Potency"), QStringLiteral("C30")}}));
    QCOMPARE(field(cursor, "English"), QStringLiteral("changed"));
    const Row stored = DatabankFixture::read(path, QStringLiteral("Homeopathy"))[1];
    QCOMPARE(stored.value(QStringLiteral("English")), QStringLiteral("changed"));
    QCOMPARE(stored.value(QStringLiteral("Potency")), QStringLiteral("C30"));
}

void TestRecordCursor::updateStoresLineFeeds()
{
    RecordCursor cursor;
    const QString path = openSample(cursor);
    QVERIFY(!path.isEmpty());
    QVERIFY(cursor.update({{QStringLiteral("Mind"), QStringLiteral("one\r\ntwo\rthree\nfour")}}));
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy"))[1].value(QStringLiteral("Mind")),
             QStringLiteral("one\ntwo\nthree\nfour"));
}

void TestRecordCursor::emptyTable()
{
    const QString path = m_dir.filePath(QStringLiteral("nothing.mdb"));
    QVERIFY(DatabankFixture::writeRemedies(path, {}));
    RecordCursor cursor;
    QVERIFY(cursor.open(path, RemedySource));
    QVERIFY(cursor.isEmpty());
    QVERIFY(!cursor.moveFirst());
    QVERIFY(!cursor.moveLast());
    QVERIFY(!cursor.findFirst(QStringLiteral("[HomeoName] like '*'")));
    QVERIFY(cursor.noMatch());
    QCOMPARE(cursor.recordCount(), 0);
    QCOMPARE(cursor.fieldValue(QStringLiteral("HomeoName")), std::nullopt);
    QVERIFY(!cursor.update({{QStringLiteral("HomeoName"), QStringLiteral("x")}}));

    // The first record can still be added.
    QVERIFY(cursor.addNew());
    QVERIFY(cursor.update({{QStringLiteral("HomeoName"), QStringLiteral("Cina")}}));
    QVERIFY(cursor.moveFirst());
    QCOMPARE(field(cursor, "HomeoName"), QStringLiteral("Cina"));
    QCOMPARE(cursor.recordCount(), 1);
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy")).size(), 1);
}

void TestRecordCursor::badFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written as is, unless a marker below
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("reason"); // a part of the message

    QTest::newRow("missing") << "missing.mdb" << QByteArray("<missing>") << RemedySource
                             << "does not exist";
    QTest::newRow("empty") << "empty.mdb" << QByteArray() << RemedySource << "is empty";
    QTest::newRow("garbage") << "garbage.mdb" << QByteArray(4096, 'x') << RemedySource
                             << "not a databank";
    QTest::newRow("truncated") << "truncated.mdb" << QByteArray("<truncated>") << RemedySource
                               << "damaged";
    QTest::newRow("folder") << "folder.mdb" << QByteArray("<folder>") << RemedySource
                            << "not a file";
    QTest::newRow("wrong table") << "wrong.mdb" << QByteArray("<good>")
                                 << "Select * From HomeoAffliction Order By Affliction"
                                 << "no table HomeoAffliction";
    QTest::newRow("missing column") << "columns.mdb" << QByteArray("<few columns>") << RemedySource
                                    << "lacks the field";
    QTest::newRow("record source") << "source.mdb" << QByteArray("<good>")
                                   << "Select HomeoName From Homeopathy" << "not understood";
}

void TestRecordCursor::badFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, source);
    QFETCH(QString, reason);

    const QString path = m_dir.filePath(name);
    if (content == "<good>") {
        QVERIFY(DatabankFixture::writeRemedies(path, sampleRemedies()));
    } else if (content == "<few columns>") {
        QVERIFY(DatabankFixture::write(path, QStringLiteral("Homeopathy"),
                                       {QStringLiteral("HomeoName"), QStringLiteral("English")},
                                       sampleRemedies()));
    } else if (content == "<folder>") {
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    } else if (content == "<truncated>") {
        QList<Row> many;
        for (int i = 0; i < 2000; ++i)
            many << remedy(QStringLiteral("Remedy %1").arg(i), QString(40, u'e'));
        QVERIFY(DatabankFixture::writeRemedies(path, many));
        QFile file(path);
        QVERIFY(file.resize(file.size() / 2));
    } else if (content != "<missing>") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    RecordCursor cursor;
    QVERIFY(!cursor.open(path, source));
    QVERIFY2(cursor.lastError().contains(reason), qPrintable(cursor.lastError()));
    if (content != "<good>")
        QVERIFY2(cursor.lastError().contains(QDir::toNativeSeparators(path)),
                 qPrintable(cursor.lastError()));
    if (content == "<missing>")
        QVERIFY(!QFileInfo::exists(path));

    // Nothing to stand on, and nothing breaks.
    QVERIFY(!cursor.isOpen());
    QVERIFY(cursor.isEmpty());
    QVERIFY(!cursor.moveFirst());
    QVERIFY(!cursor.moveNext());
    QVERIFY(!cursor.movePrevious());
    QVERIFY(!cursor.moveLast());
    QVERIFY(!cursor.findFirst(QStringLiteral("[HomeoName] like '*'")));
    QVERIFY(cursor.noMatch());
    QVERIFY(!cursor.findNext(QStringLiteral("[HomeoName] like '*'")));
    QCOMPARE(cursor.fieldValue(QStringLiteral("HomeoName")), std::nullopt);
    QCOMPARE(cursor.recordCount(), 0);
    QVERIFY(!cursor.addNew());
    QVERIFY(!cursor.update({{QStringLiteral("HomeoName"), QStringLiteral("x")}}));
    cursor.close();
}

void TestRecordCursor::lockedFile()
{
    const QString path = m_dir.filePath(QStringLiteral("locked.mdb"));
    QVERIFY(DatabankFixture::writeRemedies(path, sampleRemedies()));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        RecordCursor cursor;
        QVERIFY(!cursor.open(path, RemedySource));
        QVERIFY2(cursor.lastError().contains(QStringLiteral("locked")), qPrintable(cursor.lastError()));
        QVERIFY(!cursor.moveLast());
        QCOMPARE(cursor.recordCount(), 0);

        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        QVERIFY(cursor.open(path, RemedySource));
        cursor.moveLast();
        QCOMPARE(cursor.recordCount(), 7);
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

void TestRecordCursor::pathWithUriCharacters()
{
    // The file is opened through an SQLite URI; these must not be taken for its syntax.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("a %20 b")));
    const QString path = m_dir.filePath(QStringLiteral("a %20 b/Homeo #1?mode=ro&x.mdb"));
    QVERIFY(DatabankFixture::writeRemedies(path, sampleRemedies()));
    RecordCursor cursor;
    QVERIFY2(cursor.open(path, QStringLiteral("select * from [homeopathy] order by [homeoname];")),
             qPrintable(cursor.lastError()));
    QVERIFY(cursor.update({{QStringLiteral("English"), QStringLiteral("written")}}));
    QCOMPARE(DatabankFixture::read(path, QStringLiteral("Homeopathy"))[1].value(
                 QStringLiteral("English")),
             QStringLiteral("written"));
}

QTEST_GUILESS_MAIN(TestRecordCursor)
#include "tst_recordcursor.moc"
