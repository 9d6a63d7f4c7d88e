// SPDX-License-Identifier: GPL-3.0-or-later
// The remedy text encoding, the name scrambling and the fixed name lists.
#include "databank/FixedLists.h"
#include "databank/Scramble.h"
#include "databank/TextEncoding.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace textencoding;

namespace {

QString plainOf(const Entry &e) { return QString::fromLatin1(e.plain); }
QString codeOf(const Entry &e) { return QString::fromLatin1(e.code); }

} // namespace

class TextEncodingTest : public QObject
{
    Q_OBJECT

private slots:
    void descriptionTableStructure();
    void afflictionTablesStructure();
    void codesNeverMeetPlainCharacters();
    void roundTrip_data();
    void roundTrip();
    void knownStoredForms();
    void applyFollowsTableOrder_data();
    void applyFollowsTableOrder();
    void maintenanceActions();
    void displayNeverAppliesAdditionalPair();

    void scrambleTwiceGivesTextBack_data();
    void scrambleTwiceGivesTextBack();
    void scrambleUsesWindows1252Codes();
    void scrambleRefusals_data();
    void scrambleRefusals();
    void scrambleOutsideRangeIsSafe();

    void fixedListsFromFiles();
    void fixedListQuotingAndBadInput();
};

void TextEncodingTest::descriptionTableStructure()
{
    const auto table = descriptionTable();
    QCOMPARE(table.size(), std::size_t(34));
    QSet<QString> codes;
    for (std::size_t i = 0; i < table.size(); i += 2) {
        const QString capital = plainOf(table[i]);
        const QString small = plainOf(table[i + 1]);
        QCOMPARE(capital.size(), 1);
        QVERIFY2(capital[0].isUpper(), qPrintable(capital));
        QCOMPARE(small, capital.toLower());
        if (i > 0)
            QVERIFY2(plainOf(table[i - 2]) < capital, qPrintable(capital));
    }
    for (const Entry &entry : table) {
        const QString code = codeOf(entry);
        QVERIFY(code.size() >= 1 && code.size() <= 3);
        for (const QChar c : code)
            QVERIFY2(!c.isLetter(), qPrintable(code));
        codes.insert(code);
    }
    QCOMPARE(codes.size(), 34);

    // What makes decoding unambiguous: a code's first character fixes its length, and no
    // character that leads a code ever stands later in one.
    QHash<QChar, qsizetype> lengthByLead;
    QSet<QChar> tails;
    for (const Entry &entry : table) {
        const QString code = codeOf(entry);
        QCOMPARE(lengthByLead.value(code[0], code.size()), code.size());
        lengthByLead.insert(code[0], code.size());
        for (qsizetype i = 1; i < code.size(); ++i)
            tails.insert(code[i]);
    }
    for (const QChar tail : tails)
        QVERIFY2(!lengthByLead.contains(tail), qPrintable(QString(tail)));
}

void TextEncodingTest::afflictionTablesStructure()
{
    const auto decoding = afflictionDecodingTable();
    const auto encoding = afflictionEncodingTable();
    QCOMPARE(decoding.size(), std::size_t(31));
    QCOMPARE(encoding.size(), std::size_t(26));

    int marks = 0;
    int unchanged = 0;
    QSet<QString> letters;
    for (const Entry &entry : decoding) {
        const QString plain = plainOf(entry);
        const QString code = codeOf(entry);
        QCOMPARE(plain.size(), 1);
        QVERIFY(plain[0].isLetter());
        QCOMPARE(code.size(), 1);
        letters.insert(plain);
        if (code == plain)
            ++unchanged;
        else if (code[0].isPunct() || code[0].isSymbol())
            ++marks;
    }
    QCOMPARE(marks, 21);
    QCOMPARE(unchanged, 10);
    QCOMPARE(letters.size(), 31);

    // Every encoding entry is a decoding entry read the other way, and the 21 that change
    // something are all among them.
    int effective = 0;
    for (const Entry &entry : encoding) {
        const bool found = std::any_of(decoding.begin(), decoding.end(), [&](const Entry &d) {
            return plainOf(d) == plainOf(entry) && codeOf(d) == codeOf(entry);
        });
        QVERIFY2(found, entry.plain);
        if (plainOf(entry) != codeOf(entry))
            ++effective;
    }
    QCOMPARE(effective, 21);

    const Entry pair = additionalPair();
    QCOMPARE(QString::fromLatin1(pair.plain).size(), 1);
    QVERIFY(!QChar(QLatin1Char(pair.plain[0])).isLetterOrNumber());
    QCOMPARE(QString::fromLatin1(pair.code).size(), 1);
    QVERIFY(QChar(QLatin1Char(pair.code[0])).isDigit());
}

void TextEncodingTest::codesNeverMeetPlainCharacters()
{
    // The characters a plain encoded field may hold; codes must be made of others.
    const QString plainMarks = QStringLiteral(" ,;.:()-/'!?\n0123456789");
    for (const auto &table : {descriptionTable(), afflictionDecodingTable()}) {
        const QString codes = codeCharacters(table);
        QVERIFY(!codes.isEmpty());
        for (const QChar c : codes) {
            if (c.isDigit() && table.data() == descriptionTable().data())
                continue; // digits only ever follow a lead character there
            QVERIFY2(!plainMarks.contains(c) && !c.isLetter(), qPrintable(QString(c)));
        }
    }
}

void TextEncodingTest::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("empty") << QString();
    QTest::newRow("no table letters") << QStringLiteral("1234 5678, 90.");
    QTest::newRow("capitals and smalls") << QStringLiteral("AaCcDdEeFfGgHhIiLlMmNnOoPpRrSsTtUu");
    QTest::newRow("letters outside the table") << QStringLiteral("Bb Jj Kk Qq Vv Ww Xx Yy Zz");
    QTest::newRow("blanks and line breaks") << QStringLiteral("  a  \n\nE \n t  ");
    QTest::newRow("digits against codes") << QStringLiteral("c1 d2 h5 E01 A21 p8 C03 T20 e0");
    QTest::newRow("punctuation")
        << QStringLiteral("Worse: at night (cold); better - warm/rest! Why? It's 6x-30c.");
    QTest::newRow("sentence")
        << QStringLiteral("Sudden High Fever after a Chill.\nAnxiety, Restlessness; Thirst for cold water.");
}

void TextEncodingTest::roundTrip()
{
    QFETCH(QString, plain);
    QCOMPARE(decodeDescription(encodeDescription(plain)), plain);
    QCOMPARE(decodeAffliction(encodeAffliction(plain)), plain);
    // Decoding a plain text changes nothing: the display may decode twice.
    QCOMPARE(decodeDescription(plain), plain);
    QCOMPARE(decodeAffliction(plain), plain);
}

void TextEncodingTest::knownStoredForms()
{
    // Capital and small letter get codes of their own; letters outside stay.
    QCOMPARE(encodeDescription(QStringLiteral("Ee")), QStringLiteral("$05^"));
    QCOMPARE(encodeDescription(QStringLiteral("Bb 12")), QStringLiteral("Bb 12"));
    // A code is found wherever its characters stand, also inside a run of digits.
    QCOMPARE(decodeDescription(QStringLiteral("9#12$0123")), QStringLiteral("9c2A23"));
    QCOMPARE(encodeAffliction(QStringLiteral("Bad Knee")), QStringLiteral("B~# K>**"));
    QCOMPARE(decodeAffliction(QStringLiteral("B~# K>**")), QStringLiteral("Bad Knee"));
    QCOMPARE(encodeDescription(QString()), QString());
}

void TextEncodingTest::applyFollowsTableOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries"); // search, replacement, search, replacement, ...
    QTest::addColumn<QString>("inOrder");
    QTest::addColumn<QString>("reversed");

    // A later entry sees what an earlier one put in.
    QTest::newRow("chain") << QStringLiteral("a-b") << QStringList{"a", "b", "b", "c"}
                           << QStringLiteral("c-c") << QStringLiteral("b-c");
    // Where two codes overlap, the earlier entry wins.
    QTest::newRow("overlap") << QStringLiteral("#12") << QStringList{"#1", "x", "12", "y"}
                             << QStringLiteral("x2") << QStringLiteral("#y");
    // The real afflictions entries: decoding a mark after the pair's digit went back.
    QTest::newRow("pair before decoding")
        << QStringLiteral("7") << QStringList{"7", "&", "&", "b"}
        << QStringLiteral("b") << QStringLiteral("&");
}

void TextEncodingTest::applyFollowsTableOrder()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QString, inOrder);
    QFETCH(QString, reversed);

    QList<QByteArray> storage;
    for (const QString &s : entries)
        storage += s.toLatin1();
    QList<Entry> table;
    for (qsizetype i = 0; i + 1 < storage.size(); i += 2)
        table += Entry{storage[i + 1].constData(), storage[i].constData()};
    QCOMPARE(applyTable(text, table, Direction::Decode), inOrder);
    std::reverse(table.begin(), table.end());
    QCOMPARE(applyTable(text, table, Direction::Decode), reversed);
}

void TextEncodingTest::maintenanceActions()
{
    // One scan, no overlaps, replacements not searched again.
    QCOMPARE(applyEntry(QStringLiteral("aaaa"), u"aa", u"a"), QStringLiteral("aa"));
    QCOMPARE(applyEntry(QStringLiteral("ababa"), u"aba", u"X"), QStringLiteral("Xba"));
    QCOMPARE(applyEntry(QStringLiteral("abc"), u"b", u"bb"), QStringLiteral("abbc"));
    QCOMPARE(applyEntry(QStringLiteral("abc"), u"", u"x"), QStringLiteral("abc"));

    const QString profile = QStringLiteral("Red Onion: Tears.");
    QCOMPARE(decryptDescription(encryptDescription(profile)), profile);
    QCOMPARE(encryptDescription(profile), encodeDescription(profile));

    // "A B C >> 1 2 3" and back, as the bound box and the display box see it.
    const QString typed = QStringLiteral("Heat & cold");
    const QString stored = afflictionTextToNumbers(typed);
    QCOMPARE(stored, encodeAffliction(QStringLiteral("Heat 7 cold")));
    const QString bound = afflictionNumbersToText(stored);
    QCOMPARE(bound, QStringLiteral("Heat 7 cold"));
    QCOMPARE(restoreAdditionalPair(decodeAffliction(bound)), typed);
}

void TextEncodingTest::displayNeverAppliesAdditionalPair()
{
    const Entry pair = additionalPair();
    const QString digit = QString::fromLatin1(pair.code);
    const QString stored = QStringLiteral("Day ") + digit;
    QCOMPARE(decodeAffliction(stored), QStringLiteral("Day ") + digit);
    // The pair's mark is itself a code: stored alone it is read as its letter.
    const QString mark = QString::fromLatin1(pair.plain);
    QVERIFY(decodeAffliction(mark) != mark);
}

void TextEncodingTest::scrambleTwiceGivesTextBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("remedy") << QStringLiteral("Arnica Montana");
    QTest::newRow("apostrophe") << QStringLiteral("Leopard's Bane");
    QTest::newRow("accents and euro") << QStringLiteral("Œil € Café ß");
    QTest::newRow("255 characters") << QString(255, QLatin1Char('m'));
}

void TextEncodingTest::scrambleTwiceGivesTextBack()
{
    QFETCH(QString, text);
    const QString scrambled = scramble::scramble(text);
    QCOMPARE(scrambled.size(), text.size());
    QCOMPARE(scramble::scramble(scrambled), text);
    if (!text.isEmpty())
        QVERIFY(scrambled != text);
}

void TextEncodingTest::scrambleUsesWindows1252Codes()
{
    // a (0x61) ^ 1 = 0x60, b (0x62) ^ 2 = 0x60, c (0x63) ^ 3 = 0x60.
    QCOMPARE(scramble::scramble(QStringLiteral("abc")), QStringLiteral("```"));
    // € is 0x80 in Windows-1252; ^1 gives the undefined slot 0x81, kept as U+0081, and
    // Œ (0x8C) ^ 1 gives 0x8D; both come back.
    QCOMPARE(scramble::scramble(QStringLiteral("€")), QString(QChar(0x0081)));
    QCOMPARE(scramble::scramble(QString(QChar(0x0081))), QStringLiteral("€"));
    QCOMPARE(scramble::scramble(QStringLiteral("Œ")), QString(QChar(0x008D)));
    // ‚ (0x82) ^ 2 = 0x80, which is €.
    QCOMPARE(scramble::scramble(QStringLiteral("x‚")), QStringLiteral("y€"));
    for (int code = 0; code < 256; ++code)
        QCOMPARE(scramble::windows1252Code(scramble::windows1252Char(code)), code);
}

void TextEncodingTest::scrambleRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("position");

    QTest::newRow("fine") << QStringLiteral("Pulsatilla") << int(scramble::Problem::None) << 0;
    QTest::newRow("256 characters") << QString(256, QLatin1Char('m'))
                                    << int(scramble::Problem::TooLong) << 256;
    QTest::newRow("not Windows-1252") << QStringLiteral("Ledum →")
                                      << int(scramble::Problem::NotWindows1252) << 7;
    QTest::newRow("blank at 32 becomes NUL")
        << QString(31, QLatin1Char('m')) + QStringLiteral(" x")
        << int(scramble::Problem::ScrambledNul) << 32;
    QTest::newRow("A at 65 becomes NUL") << QString(64, QLatin1Char('m')) + QLatin1Char('A')
                                         << int(scramble::Problem::ScrambledNul) << 65;
}

void TextEncodingTest::scrambleRefusals()
{
    QFETCH(QString, name);
    QFETCH(int, problem);
    QFETCH(int, position);
    const scramble::Check check = scramble::check(name);
    QCOMPARE(int(check.problem), problem);
    if (problem != int(scramble::Problem::None)) {
        QCOMPARE(check.position, position);
        QVERIFY(!scramble::describe(check).isEmpty());
    }
}

void TextEncodingTest::scrambleOutsideRangeIsSafe()
{
    // Past position 255 the position counts modulo 256; outside Windows-1252 characters
    // are kept. Either way scrambling twice is still the identity.
    const QString longName = QString(300, QLatin1Char('q'));
    const QString scrambled = scramble::scramble(longName);
    QCOMPARE(scrambled[255], QLatin1Char('q')); // position 256
    QCOMPARE(scramble::scramble(scrambled), longName);

    const QString foreign = QStringLiteral("→ \U0001F600 x");
    const QString s = scramble::scramble(foreign);
    QCOMPARE(s[0], QChar(0x2192));
    QCOMPARE(scramble::scramble(s), foreign);
}

void TextEncodingTest::fixedListsFromFiles()
{
    const QString tables = QStringLiteral(SIMILLON_SOURCE_DIR "/content/tables/");
    const QStringList remedies = fixedlists::loadNameList(tables + QStringLiteral("remedy-names.txt"));
    QCOMPARE(remedies.size(), 436);
    QCOMPARE(remedies.first(), QStringLiteral("Abies (Pinus) Canadensis"));
    QCOMPARE(remedies.last(), QStringLiteral("Zingiber"));
    QVERIFY(remedies.indexOf(QStringLiteral("Calcium Sulfuricum"))
            < remedies.indexOf(QStringLiteral("Calcium Silicatum")));
    QVERIFY(remedies.indexOf(QStringLiteral("Rhus Toxicodendron"))
            < remedies.indexOf(QStringLiteral("Rhododendron Chrysantum")));

    const QStringList keys = fixedlists::loadNameList(tables + QStringLiteral("affliction-keys.txt"));
    QCOMPARE(keys.size(), 375);
    QStringList trailing;
    for (const QString &key : keys) {
        if (key != key.trimmed())
            trailing += key;
    }
    QCOMPARE(trailing, (QStringList{QStringLiteral("Back Pain 6/6 "),
                                    QStringLiteral("Gait, staggering 3/3   "),
                                    QStringLiteral("Legs, restless ")}));
    const QStringList items = fixedlists::loadListItems(tables + QStringLiteral("affliction-keys.txt"));
    QCOMPARE(items.size(), 375);
    QCOMPARE(items.first(), QStringLiteral(" Acne 1/3"));
    QVERIFY(items.contains(QStringLiteral(" Gait, staggering 3/3   ")));
}

void TextEncodingTest::fixedListQuotingAndBadInput()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Plain\r\n\"Quoted  \"\n\n\"\"\n\"\"inner\"\"\n\"\nLast");
    file.close();
    QCOMPARE(fixedlists::loadNameList(path),
             (QStringList{"Plain", "Quoted  ", "", "\"inner\"", "\"", "Last"}));

    QString error;
    QVERIFY(fixedlists::loadNameList(dir.filePath(QStringLiteral("missing.txt")), &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TextEncodingTest)
#include "tst_textencoding.moc"
