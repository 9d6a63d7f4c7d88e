// SPDX-License-Identifier: GPL-3.0-or-later
// The databank source format and simillon-dbtool: parse errors, the byte-for-byte round
// trip through the databank files, the stored forms and the refusals of a build.
#include "DatabankBuilder.h"
#include "databank/DatabankSource.h"
#include "databank/Scramble.h"
#include "databank/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace databanksource;

namespace {

const QString kFixtures = QStringLiteral(SIMILLON_TESTDATA_DIR "/fixtures");
const QString kBundled = QStringLiteral(SIMILLON_SOURCE_DIR "/content/databank");

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray withHeader(const Table &table, const QByteArray &body)
{
    return QByteArray(table.header) + "\n\n" + body;
}

// The rows of a built table, column by column, in stored order.
QList<QStringList> storedRows(const QString &path, const Table &table)
{
    QList<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(table.tableName)));
            while (query.next()) {
                QStringList row;
                for (int i = 0; i < int(table.columns.size()); ++i)
                    row += query.value(i).isNull() ? QStringLiteral("<NULL>") : query.value(i).toString();
                rows += row;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return rows;
}

} // namespace

class DatabankSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void parseErrors_data();
    void parseErrors();
    void writeGivesParsedBytesBack_data();
    void writeGivesParsedBytesBack();
    void buildThenDumpGivesSourcesBack_data();
    void buildThenDumpGivesSourcesBack();
    void builtFilesHoldStoredForms();
    void buildRefusals_data();
    void buildRefusals();
    void commandLine();
    void gapsAndCheck();
};

void DatabankSourceTest::parseErrors_data()
{
    QTest::addColumn<bool>("afflictions");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    const Table &r = remedyTable();
    auto row = [](const char *name, const QByteArray &bytes, int line, const char *message,
                  bool afflictions = false) {
        QTest::newRow(name) << afflictions << bytes << line << QString::fromUtf8(message);
    };
    row("empty file", "", 1, "empty file");
    row("wrong header", "# Remedies\n\n", 1, "line 1 must be the header");
    row("byte order mark", "\xEF\xBB\xBF" + withHeader(r, ""), 1, "byte order mark");
    row("no empty line 2", QByteArray(r.header) + "\n", 2, "line 2 must be empty");
    row("text on line 2", QByteArray(r.header) + "\n## A\n", 2, "line 2 must be empty");
    row("two empty lines after header", withHeader(r, "\n## A\n"), 3, "only one empty line");
    row("no final newline", withHeader(r, "## A\nEnglish: x"), 4, "end with a newline");
    row("carriage return", withHeader(r, "## A\r\n"), 3, "carriage return");
    row("invalid UTF-8", withHeader(r, "## A\xff\n"), 3, "UTF-8");
    row("not Windows-1252", withHeader(r, "## A\nEnglish: \xE2\x86\x92\n"), 4, "Windows-1252");
    row("control character", withHeader(r, "## A\nEnglish: a\x01\n"), 4, "control character");
    row("empty key", withHeader(r, "## \n"), 3, "needs a key");
    row("blank after key", withHeader(r, "## A \n"), 3, "blanks");
    row("key as a field", withHeader(r, "## A\nHomeoName: A\n"), 4, "is the key");
    row("unknown field", withHeader(r, "## A\nColour: red\n"), 4, "unknown field \"Colour\"");
    row("no colon", withHeader(r, "## A\nMind\n"), 4, "expected \"Field: value\"");
    row("no blank after colon", withHeader(r, "## A\nEnglish:Foo\n"), 4, "one blank follows the colon");
    row("repeated field", withHeader(r, "## A\nMind: a\nMind: b\n"), 5, "repeated or out of order");
    row("field out of order", withHeader(r, "## A\nMind: a\nSkin: b\nAbdomen: c\n"), 6,
        "comes before \"Skin\"");
    row("slot out of order", withHeader(afflictionTable(), "## A\nHomeoName2: x\nSympt1: y\n"), 5,
        "out of order", true);
    row("empty one-line value", withHeader(r, "## A\nEnglish: \n"), 4, "empty field");
    row("one-line value with trailing blank", withHeader(r, "## A\nEnglish: Foo \n"), 4,
        "written as a block");
    row("block that fits a line", withHeader(r, "## A\nEnglish:\n  | Foo\n"), 4,
        "stays on the field line");
    row("block of one empty line", withHeader(r, "## A\nEnglish:\n  |\n"), 4, "empty field");
    row("block without value lines", withHeader(r, "## A\nEnglish:\n\n## B\n"), 4, "no value lines");
    row("empty value line with blank", withHeader(r, "## A\nEnglish:\n  | \n"), 5, "without a blank");
    row("value line without blank", withHeader(r, "## A\nEnglish:\n  |x\n"), 5,
        "one blank follows the bar");
    row("value line outside a block", withHeader(r, "## A\n  | x\n"), 4, "must follow");
    row("two empty lines between records", withHeader(r, "## A\n\n\n## B\n"), 5,
        "exactly one empty line");
    row("heading right after a record", withHeader(r, "## A\n## B\n"), 4,
        "empty line must come before");
    row("text where a heading belongs", withHeader(r, "## A\n\nEnglish: x\n"), 5,
        "expected a record heading");
    row("empty line at the end", withHeader(r, "## A\n\n"), 4, "without an empty line");
}

void DatabankSourceTest::parseErrors()
{
    QFETCH(bool, afflictions);
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, message);
    const Table &table = afflictions ? afflictionTable() : remedyTable();
    const Parsed parsed = parse(bytes, table, QString::fromLatin1(table.sourceFile));
    QVERIFY(!parsed.ok());
    QVERIFY(parsed.records.isEmpty());
    QCOMPARE(parsed.error->line, line);
    QVERIFY2(parsed.error->message.contains(message), qPrintable(parsed.error->message));
    QVERIFY(parsed.error->toString().startsWith(
        QStringLiteral("%1:%2: ").arg(QLatin1String(table.sourceFile)).arg(line)));
}

void DatabankSourceTest::writeGivesParsedBytesBack_data()
{
    QTest::addColumn<bool>("afflictions");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::newRow("no records") << false << withHeader(remedyTable(), "") << 0;
    QTest::newRow("remedy fixture") << false << readBytes(kFixtures + QStringLiteral("/Homeopathy.txt")) << 3;
    QTest::newRow("afflictions fixture")
        << true << readBytes(kFixtures + QStringLiteral("/HomeoAfflictions.txt")) << 3;
}

void DatabankSourceTest::writeGivesParsedBytesBack()
{
    QFETCH(bool, afflictions);
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    const Table &table = afflictions ? afflictionTable() : remedyTable();
    const Parsed parsed = parse(bytes, table, QStringLiteral("fixture"));
    QVERIFY2(parsed.ok(), parsed.ok() ? "" : qPrintable(parsed.error->toString()));
    QCOMPARE(parsed.records.size(), records);
    QCOMPARE(write(parsed.records, table), bytes);
}

void DatabankSourceTest::buildThenDumpGivesSourcesBack_data()
{
    QTest::addColumn<QString>("sourceDir");
    QTest::newRow("bundled sources") << kBundled;
    QTest::newRow("fixture") << kFixtures;
}

void DatabankSourceTest::buildThenDumpGivesSourcesBack()
{
    QFETCH(QString, sourceDir);
    QTemporaryDir work;
    const QString built = work.filePath(QStringLiteral("built"));
    const QString dumped = work.filePath(QStringLiteral("dumped"));
    const QString remedies = sourceDir + QStringLiteral("/Homeopathy.txt");
    const QString afflictions = sourceDir + QStringLiteral("/HomeoAfflictions.txt");

    const dbtool::Outcome builtOutcome = dbtool::build(remedies, afflictions, built);
    QVERIFY2(builtOutcome.ok(), qPrintable(builtOutcome.errors.join(QLatin1Char('\n'))));
    QCOMPARE(QDir(built).entryList(QDir::Files),
             (QStringList{"HomeoAfflictions.mdb", "Homeopathy.mdb"}));
    const dbtool::Outcome dumpOutcome = dbtool::dump(built, dumped);
    QVERIFY2(dumpOutcome.ok(), qPrintable(dumpOutcome.errors.join(QLatin1Char('\n'))));
    QCOMPARE(readBytes(dumped + QStringLiteral("/Homeopathy.txt")), readBytes(remedies));
    QCOMPARE(readBytes(dumped + QStringLiteral("/HomeoAfflictions.txt")), readBytes(afflictions));
}

void DatabankSourceTest::builtFilesHoldStoredForms()
{
    QTemporaryDir work;
    QVERIFY(dbtool::build(kFixtures + QStringLiteral("/Homeopathy.txt"),
                          kFixtures + QStringLiteral("/HomeoAfflictions.txt"), work.path())
                .ok());
    const Parsed remedies = read(kFixtures + QStringLiteral("/Homeopathy.txt"), remedyTable());
    const Parsed afflictions = read(kFixtures + QStringLiteral("/HomeoAfflictions.txt"), afflictionTable());
    QVERIFY(remedies.ok() && afflictions.ok());

    for (const Table *table : {&remedyTable(), &afflictionTable()}) {
        const Parsed &source = table == &remedyTable() ? remedies : afflictions;
        const QString path = work.filePath(QLatin1String(table->databankFile));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schema"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery info(db);
            QVERIFY(info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table->tableName))));
            QStringList columns;
            while (info.next()) {
                columns += info.value(1).toString();
                QCOMPARE(info.value(2).toString(), QStringLiteral("TEXT"));
                QCOMPARE(info.value(3).toInt(), 1);
                QCOMPARE(info.value(4).toString(), QStringLiteral("''"));
            }
            QCOMPARE(columns, table->columnNames());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("schema"));

        const QList<QStringList> rows = storedRows(path, *table);
        QCOMPARE(rows.size(), source.records.size());
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < int(table->columns.size()); ++c) {
                const QString plain = source.records[r].values[c];
                QString expected = plain;
                switch (table->columns[c].storage) {
                case Storage::Plain:
                    break;
                case Storage::DescriptionCode:
                    expected = textencoding::encodeDescription(plain);
                    break;
                case Storage::AfflictionCode:
                    expected = textencoding::encodeAffliction(plain);
                    break;
                case Storage::Scrambled:
                    expected = scramble::scramble(plain);
                    break;
                }
                QCOMPARE(rows[r][c], expected.isNull() ? QStringLiteral("") : expected);
            }
        }
    }
    // The undefined Windows-1252 slots land in the file as their C1 controls.
    const QList<QStringList> rows = storedRows(work.filePath(QStringLiteral("HomeoAfflictions.mdb")),
                                               afflictionTable());
    QCOMPARE(rows[0][afflictionTable().columnIndex(u"CommonName2")].at(0), QChar(0x008D));
}

void DatabankSourceTest::buildRefusals_data()
{
    QTest::addColumn<bool>("afflictions");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("code character in a profile")
        << false << QStringLiteral("1 2 E01") << QStringLiteral("1 % 2")
        << QStringList{"Homeopathy.txt:5: record \"Aconite\", field Description", "'%'"};
    QTest::newRow("accented letter in afflictions")
        << false << QStringLiteral("Only a line") << QStringLiteral("Only à line")
        << QStringList{"record \"Zincum Metallicum\", field Affliction", "'à'", "line 1 of the value"};
    QTest::newRow("name that scrambles to NUL")
        << true << QStringLiteral("CommonName7: Zinc")
        << QStringLiteral("CommonName7: ") + QString(31, QLatin1Char('m')) + QStringLiteral(" x")
        << QStringList{"HomeoAfflictions.txt:3: record \"Acne 1/2\", field CommonName7", "NUL"};
    QTest::newRow("name too long")
        << true << QStringLiteral("HomeoName1: Aconite")
        << QStringLiteral("HomeoName1: ") + QString(256, QLatin1Char('m'))
        << QStringList{"field HomeoName1", "255"};
    QTest::newRow("name of two lines")
        << true << QStringLiteral("HomeoName4:\n  | Zincum Metallicum ")
        << QStringLiteral("HomeoName4:\n  | Zincum\n  | Metallicum")
        << QStringList{"field HomeoName4", "one line"};
    QTest::newRow("parse error")
        << true << QStringLiteral("Sympt3:") << QStringLiteral("Sympt9:")
        << QStringList{"HomeoAfflictions.txt:12: unknown field \"Sympt9\""};
}

void DatabankSourceTest::buildRefusals()
{
    QFETCH(bool, afflictions);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QStringList, expected);

    QTemporaryDir work;
    const QString remedies = work.filePath(QStringLiteral("Homeopathy.txt"));
    const QString afflictionsPath = work.filePath(QStringLiteral("HomeoAfflictions.txt"));
    QFile::copy(kFixtures + QStringLiteral("/Homeopathy.txt"), remedies);
    QFile::copy(kFixtures + QStringLiteral("/HomeoAfflictions.txt"), afflictionsPath);
    const QString changed = afflictions ? afflictionsPath : remedies;
    QString text = QString::fromUtf8(readBytes(changed));
    QVERIFY(text.contains(before));
    writeBytes(changed, text.replace(before, after).toUtf8());

    // A databank from an earlier build must survive a failed one untouched.
    const QString out = work.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    writeBytes(out + QStringLiteral("/Homeopathy.mdb"), "earlier build");

    const dbtool::Outcome outcome = dbtool::build(remedies, afflictionsPath, out);
    QVERIFY(!outcome.ok());
    const QString errors = outcome.errors.join(QLatin1Char('\n'));
    for (const QString &part : expected)
        QVERIFY2(errors.contains(part), qPrintable(errors));
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"Homeopathy.mdb"});
    QCOMPARE(readBytes(out + QStringLiteral("/Homeopathy.mdb")), QByteArray("earlier build"));
}

void DatabankSourceTest::commandLine()
{
    QTemporaryDir work;
    const QString broken = work.filePath(QStringLiteral("Homeopathy.txt"));
    writeBytes(broken, withHeader(remedyTable(), "## A\nColour: red\n"));

    QProcess tool;
    tool.start(QStringLiteral(SIMILLON_DBTOOL),
               {QStringLiteral("build"), broken, kFixtures + QStringLiteral("/HomeoAfflictions.txt"),
                work.filePath(QStringLiteral("out"))});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(broken + QStringLiteral(":4: ")));
    QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("out"))));

    tool.start(QStringLiteral(SIMILLON_DBTOOL), {QStringLiteral("bake")});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(tool.readAllStandardError().contains("usage"));
}

void DatabankSourceTest::gapsAndCheck()
{
    QTemporaryDir work;
    const QString remedies = work.filePath(QStringLiteral("Homeopathy.txt"));
    const QString afflictions = work.filePath(QStringLiteral("HomeoAfflictions.txt"));
    QFile::copy(kFixtures + QStringLiteral("/Homeopathy.txt"), remedies);
    writeBytes(afflictions, readBytes(kFixtures + QStringLiteral("/HomeoAfflictions.txt"))
                                .replace("HomeoName7: Zincum", "HomeoName7: Zinkum"));
    const QString names = work.filePath(QStringLiteral("names.txt"));
    writeBytes(names, "Aconite\nAbsent One\nzincum metallicum\n\"Trailing \"\n");
    QVERIFY(dbtool::build(remedies, afflictions, work.path()).ok());

    const QString gapsFile = work.filePath(QStringLiteral("known-gaps.txt"));
    QVERIFY(dbtool::writeGaps(work.path(), names, gapsFile).ok());
    QCOMPARE(readBytes(gapsFile), QByteArray("Absent One\n\"Trailing \"\n"));

    // "Zincum Metallicum " (with its blank) still finds its remedy; "Zinkum" finds none.
    const dbtool::Outcome report = dbtool::check(work.path(), names);
    QCOMPARE(report.errors.size(), 1);
    const QString text = report.report.join(QLatin1Char('\n'));
    QVERIFY2(text.contains(QStringLiteral("\"Acne 1/2\" slot 7: \"Zinkum\"")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Slot names that no remedy name begins with: 1")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Remedy records whose name is not listed: 1\n  Abies Nigra")),
             qPrintable(text));
}

QTEST_GUILESS_MAIN(DatabankSourceTest)
#include "tst_databanksource.moc"
