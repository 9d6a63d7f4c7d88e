// SPDX-License-Identifier: GPL-3.0-or-later
// The content tables: the section format of the page texts, rows that do not read,
// and one sweep over the bundled button and acne tables.
#include "afflictions/ContentTables.h"

#include <QFile>
#include <QRect>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace contenttables;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

const QByteArray Grids = "page\tcolumn\tleft\ttop\tstep\twidth\theight\n"
                         "frmX\t0\t100\t600\t400\t2000\t350\n"
                         "frmX\t1\t9000\t700\t400\t2500\t350\n"
                         "frmY\t0\t5\t5\t5\t5\t5\n";

} // namespace

class TestContentTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sections_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("final line end is no part of the text")
            << "== a ==\nAlpha\n== b ==\nBeta\n" << QStringList{"a", "b"} << QStringList{"Alpha", "Beta"};
        QTest::newRow("no final line end") << "== a ==\nAlpha" << QStringList{"a"} << QStringList{"Alpha"};
        QTest::newRow("blank line is a paragraph break")
            << "== a ==\nOne.\n\nTwo.\n" << QStringList{"a"} << QStringList{"One.\n\nTwo."};
        QTest::newRow("blanks kept at both ends")
            << "== Note ==\nNote: \n==  x ==\n    Coccyx  \n" << QStringList{"Note", " x"}
            << QStringList{"Note: ", "    Coccyx  "};
        QTest::newRow("CR LF line ends") << "== a ==\r\nA\r\n== b ==\r\nB\r\n" << QStringList{"a", "b"}
                                         << QStringList{"A", "B"};
        QTest::newRow("text before the first section is skipped")
            << "stray\n== a ==\nA\n" << QStringList{"a"} << QStringList{"A"};
        QTest::newRow("a near heading is text") << "== a ==\n==b==\n== c\n" << QStringList{"a"}
                                                << QStringList{"==b==\n== c"};
        QTest::newRow("empty section") << "== a ==\n== b ==\nB\n" << QStringList{"a", "b"} << QStringList{"", "B"};
        QTest::newRow("nothing") << "" << QStringList{} << QStringList{};
    }
    void sections()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QStringList, texts);
        const auto sections = TextSections::fromText(text);
        QCOMPARE(sections.names(), names);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(sections.text(names[i]), texts[i]);
        QVERIFY(!sections.contains(QStringLiteral("missing")));
        QCOMPARE(sections.text(QStringLiteral("missing")), QString());
    }

    void buttonRowsThatDoNotReadAreSkipped()
    {
        QTemporaryDir dir;
        const QString grids = writeFile(dir, "grids.tsv", Grids);
        // Columns in another order than the bundled tables, one extra column.
        const QString buttons = writeFile(dir, "buttons.tsv",
                                          "key\tcontrol\tcaption\textra\tcolumn\trow\twidth\tleft\ttooltip\n"
                                          "Key A\tcmdA\tA\tx\t0\t0\t\t\tLay A\n"
                                          "Key B\tcmdB\tB\tx\t1\t2\t1200\t9100\n"
                                          "Key C\tcmdC\tC\tx\tone\t0\t\t\t\n"
                                          "Key D\tcmdD\tD\tx\t7\t0\t\t\t\n"
                                          "\tcmdE\tE\tx\t0\t1\t\t\t\n"
                                          "Key F\tcmdF\n"
                                          "\n"
                                          "Key G\tcmdG\tG\tx\t0\t3\tzero\t\t\n");
        QString error;
        const auto rows = afflictionButtons(QStringLiteral("frmX"), buttons, grids, &error);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].control, QStringLiteral("cmdA"));
        QCOMPARE(rows[0].key, QStringLiteral("Key A"));
        QCOMPARE(rows[0].tooltip, QStringLiteral("Lay A"));
        QCOMPARE(QRect(rows[0].left, rows[0].top, rows[0].width, rows[0].height), QRect(100, 600, 2000, 350));
        QCOMPARE(QRect(rows[1].left, rows[1].top, rows[1].width, rows[1].height),
                 QRect(9100, 700 + 2 * 400, 1200, 350));
        // A width that does not read falls back to the column's.
        QCOMPARE(rows[2].control, QStringLiteral("cmdG"));
        QCOMPARE(rows[2].width, 2000);
        for (const char *skipped : {":4:", ":5:", ":6:", ":7:"})
            QVERIFY2(error.contains(QLatin1String(skipped)), qPrintable(error));
    }

    void unreadableTablesGiveNothing_data()
    {
        QTest::addColumn<QByteArray>("buttons"); // empty: no file at all
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("\n");
        QTest::newRow("no key column") << QByteArray("control\tcaption\tcolumn\trow\ncmdA\tA\t0\t0\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\t\x01\n\x02", 6);
    }
    void unreadableTablesGiveNothing()
    {
        QFETCH(QByteArray, buttons);
        QTemporaryDir dir;
        const QString grids = writeFile(dir, "grids.tsv", Grids);
        const QString path = buttons.isEmpty() ? dir.filePath("none.tsv") : writeFile(dir, "b.tsv", buttons);
        QString error;
        QVERIFY(afflictionButtons(QStringLiteral("frmX"), path, grids, &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    // The bundled tables: counts, unique names, and no two buttons of a page overlap
    // (beyond the one shared border line of neighbouring rows).
    void bundledButtonTables()
    {
        const QList<QPair<QString, int>> pages = {{"frmEyes", 18},         {"frmHeart", 25},
                                                  {"frmDigestive", 35},    {"frmSkin", 32},
                                                  {"frmNerves", 40},       {"frmBonesMuscles", 43},
                                                  {"frmFemaleMale", 37}};
        for (const auto &[page, count] : pages) {
            QString error;
            const auto rows = afflictionButtons(page, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(rows.size(), count);
            QSet<QString> names;
            for (int i = 0; i < rows.size(); ++i) {
                const auto &b = rows[i];
                QVERIFY2(!names.contains(b.control), qPrintable(page + QLatin1Char(' ') + b.control));
                names.insert(b.control);
                QVERIFY(!b.caption.isEmpty());
                QCOMPARE(b.key, b.key.trimmed());
                const QRect r(b.left, b.top, b.width, b.height);
                const QRect inner = r.adjusted(10, 8, -10, -8);
                QVERIFY2(QRect(0, 0, 11880, 8010).contains(r), qPrintable(page + QLatin1Char(' ') + b.control));
                for (int j = 0; j < i; ++j) {
                    const QRect other(rows[j].left + 10, rows[j].top + 8, rows[j].width - 20, rows[j].height - 16);
                    QVERIFY2(!inner.intersects(other),
                             qPrintable(b.control + QLatin1String(" overlaps ") + rows[j].control));
                }
            }
        }
    }

    void bundledAcneTables()
    {
        QString error;
        const auto causes = acneCauses(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto symptoms = acneSymptoms(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto pictures = acnePictures(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(causes.size(), 5);
        QCOMPARE(symptoms.size(), 4);
        QCOMPARE(pictures.size(), 25);

        QSet<QString> frames;
        for (const auto &c : causes)
            frames.insert(c.frame);
        for (const auto &s : symptoms)
            frames.insert(s.frame);
        QCOMPARE(frames.size(), 9);
        QSet<QString> names;
        int clickless = 0;
        for (const auto &p : pictures) {
            QVERIFY2(!names.contains(p.picture), qPrintable(p.picture));
            names.insert(p.picture);
            QVERIFY2(frames.contains(p.frame), qPrintable(p.picture));
            QVERIFY2(QFile::exists(QStringLiteral(SIMILLON_SOURCE_DIR "/content/pictures/") + p.file),
                     qPrintable(p.file));
            if (!p.clickable()) {
                ++clickless;
                QVERIFY(p.caption.isEmpty());
            } else {
                QVERIFY(!p.lookup.isEmpty() && !p.selection.isEmpty() && !p.caption.isEmpty());
            }
        }
        QCOMPARE(clickless, 2);
    }
};

QTEST_GUILESS_MAIN(TestContentTables)
#include "tst_contenttables.moc"
