// SPDX-License-Identifier: GPL-3.0-or-later
// The export writer the databank pages share: replace and append, CR LF line ends, and
// a failure that leaves the earlier file as it was and names the file.
#include "platform/TextExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using textexport::Mode;

class TestTextExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writes_data()
    {
        QTest::addColumn<QByteArray>("before"); // "-" for no file
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace, no file")
            << QByteArray("-") << int(Mode::Replace) << QByteArray(" Acne 1/3\r\n Back Pain 6/6 \r\n");
        QTest::newRow("replace a longer file")
            << QByteArray(5000, 'x') << int(Mode::Replace) << QByteArray(" Acne 1/3\r\n Back Pain 6/6 \r\n");
        QTest::newRow("append, no file") << QByteArray("-") << int(Mode::Append)
                                         << QByteArray(" Acne 1/3\r\n Back Pain 6/6 \r\n");
        QTest::newRow("append keeps the old lines")
            << QByteArray(" Old\r\n") << int(Mode::Append) << QByteArray(" Old\r\n Acne 1/3\r\n Back Pain 6/6 \r\n");
        QTest::newRow("append after a last line without end")
            << QByteArray(" Old") << int(Mode::Append) << QByteArray(" Old Acne 1/3\r\n Back Pain 6/6 \r\n");
    }
    void writes()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, mode);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HPAfflictions.txt"));
        if (before != "-") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        QString message;
        QVERIFY(textexport::writeLines(
            path, { QStringLiteral(" Acne 1/3"), QStringLiteral(" Back Pain 6/6 ") }, Mode(mode), &message));
        QVERIFY(message.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("HPAfflictions.txt") });
    }

    void failureNamesTheFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("replace") << int(Mode::Replace);
        QTest::newRow("append") << int(Mode::Append);
    }
    void failureNamesTheFile()
    {
        QFETCH(int, mode);
        QTemporaryDir dir;
        // A folder in the way: no file can take its place, whoever runs the test.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("HPRemedies.txt")));
        QString message;
        QVERIFY(!textexport::writeLines(
            dir.filePath(QStringLiteral("HPRemedies.txt")), { QStringLiteral(" a") }, Mode(mode), &message));
        QVERIFY2(message.contains(QLatin1String("HPRemedies.txt")), qPrintable(message));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("HPRemedies.txt"))).isDir());

        QVERIFY(!textexport::writeLines(
            dir.filePath(QStringLiteral("no/such/folder/x.txt")), { QStringLiteral(" a") }, Mode(mode), &message));
        QVERIFY2(message.contains(QLatin1String("x.txt")), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
