// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF codec: round trips keep text and formatting, the hand-written documents read
// as expected, and bad input leaves the target document as it was.
#include "platform/rtf/Rtf.h"
#include "platform/Twips.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString describeChars(const QTextCharFormat &format, const QFont &base)
{
    const QFont font = format.font().resolve(base);
    const QBrush brush = format.foreground();
    return QStringLiteral("{%1 %2pt%3%4%5%6 %7}")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? " b" : "", font.italic() ? " i" : "", font.underline() ? " u" : "",
            font.strikeOut() ? " s" : "", brush.style() == Qt::NoBrush ? QStringLiteral("auto") : brush.color().name());
}

// Every block with its alignment, indents and tab stops, and its text cut into runs of
// equal resolved character format, so that differently split fragments still compare.
QString describe(const QTextDocument &doc)
{
    const QFont base = doc.defaultFont();
    const auto px = [](qreal value) { return QString::number(value, 'f', 2); };
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QString line = QStringLiteral("[align %1 left %2 right %3 first %4 top %5 bottom %6 tabs")
                           .arg(int(format.alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute))
                           .arg(px(format.leftMargin()), px(format.rightMargin()), px(format.textIndent()),
                               px(format.topMargin()), px(format.bottomMargin()));
        for (const QTextOption::Tab &tab : format.tabPositions())
            line += QStringLiteral(" %1/%2").arg(px(tab.position)).arg(int(tab.type));
        line += QLatin1Char(']');
        if (block.length() <= 1)
            line += QStringLiteral(" mark") + describeChars(block.charFormat(), base);
        QString last;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString chars = describeChars(it.fragment().charFormat(), base);
            if (chars != last)
                line += chars;
            line += it.fragment().text();
            last = chars;
        }
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QByteArray corpusFile(const char *name)
{
    QFile file(QStringLiteral(SIMILLON_TESTDATA_DIR "/corpus/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

QByteArray nested(int depth)
{
    return "{\\rtf1" + QByteArray(depth - 1, '{') + "deep" + QByteArray(depth - 1, '}') + '}';
}

// The first block whose text starts with `text`.
QTextBlock findBlock(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(text))
            return block;
    }
    return {};
}

} // namespace

class RtfTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void screenFile();
    void rewriteIsStable_data();
    void rewriteIsStable();
    void corpus_data();
    void corpus();
    void corpusFormatting();
    void malformed_data();
    void malformed();
    void depthLimit();
};

void RtfTest::roundTrip_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("tabs"); // stops in pixels, with the tab type's first letter

    QTest::newRow("plain") << QStringLiteral("<p>Hello world</p>") << QString();
    QTest::newRow("character styles") << QStringLiteral("<p><b>bold</b> <i>italic</i> <u>under</u> <s>strike</s> "
                                                        "<b><i><u><s>all</s></u></i></b> none</p>")
                                      << QString();
    QTest::newRow("sizes") << QStringLiteral("<p><span style='font-size:11pt'>eleven</span>"
                                             "<span style='font-size:10.5pt'>half</span>"
                                             "<span style='font-size:36pt'>big</span> default</p>")
                           << QString();
    QTest::newRow("colours") << QStringLiteral(
        "<p><span style='color:#800000'>dark red:</span> auto "
        "<span style='color:#0000ff'>blue</span><span style='color:#000080'>navy</span>"
        "<span style='color:#000000'>black</span><span style='color:#800000'>red</span></p>")
                             << QString();
    QTest::newRow("fonts") << QStringLiteral("<p><span style='font-family:Arial'>sans</span>"
                                             "<span style=\"font-family:'Courier New'\">mono</span> default</p>")
                           << QString();
    QTest::newRow("alignment") << QStringLiteral("<p align=left>l</p><p align=center>c</p><p align=right>r</p>"
                                                 "<p align=justify>j</p>")
                               << QString();
    QTest::newRow("indents and spacing") << QStringLiteral(
        "<p style='margin-left:48px; margin-right:24px; text-indent:-24px'>hanging</p>"
        "<p style='margin-top:0px; margin-bottom:4px; text-indent:10px'>x</p>")
                                         << QString();
    QTest::newRow("tab stops") << QStringLiteral("<p style='white-space:pre'>\ta\tb\tc\t1.5</p><p>second</p>")
                               << QStringLiteral("24L 192C 288D 336R");
    QTest::newRow("windows-1252 and unicode")
        << QStringLiteral(u"<p>Caf\u00e9 \u20ac5 \u201cq\u201d \u2014 \u00b1\u00bd \u0160 \u03b1\u03b2 "
                          u"\u6f22\u5b57 \U0001F600 na\u00efve</p>")
        << QString();
    QTest::newRow("escapes") << QStringLiteral(u"<p>{braces} back\\slash a&nbsp;b soft&shy;hyphen hard&#8209;hyphen"
                                               u" line<br>break; semi;colon</p>")
                             << QString();
    QTest::newRow("text after control words")
        << QStringLiteral("<p><b>1</b>2 <b> 3</b>-4<i>a</i>b <u>\\par</u></p>") << QString();
    QTest::newRow("empty spacer paragraphs")
        << QStringLiteral("<p style='font-size:11pt; color:#800000'><b>Balanitis:</b></p>"
                          "<p style='font-size:4pt'></p><p style='font-size:11pt'>Definition.</p>")
        << QString();
    QTest::newRow("trailing empty paragraph") << QStringLiteral("<p>a</p><p></p>") << QString();
    QTest::newRow("empty document") << QString() << QString();
}

void RtfTest::roundTrip()
{
    QFETCH(QString, html);
    QFETCH(QString, tabs);

    QTextDocument original;
    original.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    original.setHtml(html);
    if (!tabs.isEmpty()) {
        QList<QTextOption::Tab> stops;
        const QString types = QStringLiteral("LRCD");
        for (const QString &stop : tabs.split(QLatin1Char(' '))) {
            const auto type = QTextOption::TabType(types.indexOf(stop.back()));
            stops.append(QTextOption::Tab(
                stop.chopped(1).toDouble(), type, type == QTextOption::DelimiterTab ? QLatin1Char('.') : QChar()));
        }
        QTextBlockFormat format;
        format.setTabPositions(stops);
        QTextCursor(&original).mergeBlockFormat(format);
    }

    const QByteArray rtf = rtf::write(original);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0"), rtf.constData());
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        QVERIFY2(uchar(rtf.at(i)) < 0x80, "only ASCII is written");
        if (rtf.at(i) == '\n')
            QVERIFY2(i > 0 && rtf.at(i - 1) == '\r', "line ends are CR LF");
    }

    QTextDocument back;
    back.setDefaultFont(original.defaultFont());
    QString error;
    QVERIFY2(rtf::read(rtf, back, &error), qPrintable(error));
    QCOMPARE(rtf::blockTexts(back), rtf::blockTexts(original));
    QCOMPARE(describe(back), describe(original));
}

void RtfTest::screenFile()
{
    // The settings page writes the screen mode from a box whose text is the digit alone,
    // in a font other than the document's default.
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 9));
    QTextCharFormat format;
    format.setFontFamilies({ QStringLiteral("Times New Roman") });
    format.setFontPointSize(12);
    QTextCursor(&doc).insertText(QStringLiteral("2"), format);

    const QByteArray rtf = rtf::write(doc);
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}}"), rtf.constData());
    QVERIFY(!rtf.contains("\\f1"));
    QCOMPARE(rtf.count("\\par"), rtf.count("\\pard") + 1);
    QVERIFY(!rtf.contains("\\colortbl"));

    QTextDocument back;
    QVERIFY(rtf::read(rtf, back));
    QCOMPARE(back.toPlainText(), QStringLiteral("2"));
}

void RtfTest::rewriteIsStable_data()
{
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("definitions") << corpusFile("definitions.rtf");
    QTest::newRow("profile") << corpusFile("profile.rtf");
    QTest::newRow("encodings") << corpusFile("encoding.rtf");
    // Found by fuzzing: tabs and line breaks inside a font name.
    QTest::newRow("font name with a tab") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Times\tNew\\u8232 Roman;}}x}");
}

void RtfTest::rewriteIsStable()
{
    // What the reader accepts, the writer writes so that it reads back the same.
    QFETCH(QByteArray, data);

    QTextDocument doc;
    QVERIFY(rtf::read(data, doc));
    const QByteArray written = rtf::write(doc);
    QTextDocument back;
    QVERIFY(rtf::read(written, back));
    QCOMPARE(describe(back), describe(doc));
    QCOMPARE(rtf::write(back), written);
}

void RtfTest::corpus_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");

    QTest::newRow("screen mode") << QByteArray("screen.rtf") << QStringLiteral("2");
    QTest::newRow("definitions")
        << QByteArray("definitions.rtf")
        << QStringLiteral("Definitions of Male Problems\n\nBalanitis:\nInflammation of the glans penis.\n\n"
                          "Orchitis:\nInflammation of one or both testicles, often with swelling and pain.");
    QTest::newRow("profile") << QByteArray("profile.rtf")
                             << QStringLiteral(
                                    u"\n\tCalcium Fluoride (Calc. Fluor.)\n\n\tThe tissue salt of elastic fibres, "
                                    u"of tooth enamel\u2028\tand of the surface of the bones.\nmore");
    QTest::newRow("encodings")
        << QByteArray("encoding.rtf")
        << QStringLiteral(u"Caf\u00e9 \u20ac 5 \u201cquoted\u201d \u2014 dash, na\u00efve\n"
                          u"\u20ac euro, \u03b1\u03b2, \u03b3, \U0001F600\n"
                          u"{braces} back\\slash non\u00a0break soft\u00adhyphen hard\u2011hyphen\ttab\u2014\n"
                          u"visible");
}

void RtfTest::corpus()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);

    QTextDocument doc;
    doc.setPlainText(QStringLiteral("earlier text\nin two blocks"));
    QString error;
    QVERIFY2(rtf::read(corpusFile(file.constData()), doc, &error), qPrintable(error));
    QCOMPARE(rtf::blockTexts(doc), text);
}

void RtfTest::corpusFormatting()
{
    QTextDocument definitions;
    QVERIFY(rtf::read(corpusFile("definitions.rtf"), definitions));
    const QTextCharFormat term = findBlock(definitions, QStringLiteral("Balanitis:")).begin().fragment().charFormat();
    QCOMPARE(term.fontFamilies().toStringList(), QStringList { QStringLiteral("Times New Roman") });
    QCOMPARE(term.fontPointSize(), 11.0);
    QCOMPARE(term.fontWeight(), int(QFont::Bold));
    QCOMPARE(term.foreground().color(), QColor(0x80, 0, 0));
    const QTextCharFormat definition
        = findBlock(definitions, QStringLiteral("Inflammation of the")).begin().fragment().charFormat();
    QCOMPARE(definition.fontWeight(), int(QFont::Normal));
    QCOMPARE(definition.foreground().color(), QColor(0, 0, 0));
    const QTextBlock spacer = findBlock(definitions, QStringLiteral("Inflammation of the glans")).next();
    QVERIFY(spacer.text().isEmpty());
    QCOMPARE(spacer.charFormat().fontPointSize(), 4.0);

    QTextDocument profile;
    QVERIFY(rtf::read(corpusFile("profile.rtf"), profile));
    const QTextBlock heading = findBlock(profile, QStringLiteral("\tCalcium"));
    const QList<QTextOption::Tab> tabs = heading.blockFormat().tabPositions();
    QCOMPARE(tabs.size(), 1);
    QCOMPARE(qRound(tabs.first().position), twips::toPx(360));
    const QTextCharFormat headingFormat = heading.begin().fragment().charFormat();
    QCOMPARE(headingFormat.foreground().color(), QColor(0, 0, 0xFF));
    QCOMPARE(headingFormat.fontPointSize(), 12.0);
    QCOMPARE(headingFormat.fontWeight(), int(QFont::Bold));
    const QTextCharFormat body = findBlock(profile, QStringLiteral("\tThe tissue")).begin().fragment().charFormat();
    QCOMPARE(body.foreground().color(), QColor(0, 0, 0x80));
    QCOMPARE(body.fontPointSize(), 11.0);
    QCOMPARE(findBlock(profile, QStringLiteral("more")).blockFormat().alignment(), Qt::AlignHCenter);
}

void RtfTest::malformed_data()
{
    QTest::addColumn<QByteArray>("data");

    QByteArray garbage(4096, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char &c : garbage) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Hello, world\r\n");
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("header only") << QByteArray("{\\rtf");
    QTest::newRow("another control word first") << QByteArray("{\\rtfx1 text}");
    QTest::newRow("truncated") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\pard Hello");
    QTest::newRow("truncated in a word") << QByteArray("{\\rtf1\\ansi\\pa");
    QTest::newRow("truncated after a backslash") << QByteArray("{\\rtf1 text\\");
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 \\'e");
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 \\'zz}");
    QTest::newRow("unbalanced braces") << QByteArray("{\\rtf1 {\\b bold}");
    QTest::newRow("100000 nested groups") << nested(100000);
    QTest::newRow("one group too deep") << nested(rtf::MaxGroupDepth + 1);
    QTest::newRow("huge parameter") << QByteArray("{\\rtf1\\fs99999999999 x}");
    QTest::newRow("parameter beyond 32 bits") << QByteArray("{\\rtf1\\fs4294967296 x}");
    QTest::newRow("long control word") << "{\\rtf1\\" + QByteArray(40, 'a') + " x}";
    QTest::newRow("binary data past the end") << QByteArray("{\\rtf1{\\pict\\bin1000 ab}}");
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1{\\pict\\bin-5 ab}}");
    QTest::newRow("too many paragraphs") << "{\\rtf1 "
            + QByteArray((rtf::MaxParagraphs + 1) * 4, 'x').replace("xxxx", "\\par") + '}';
    QTest::newRow("larger than the limit") << "{\\rtf1 " + QByteArray(rtf::MaxDocumentBytes, 'a') + '}';
}

void RtfTest::malformed()
{
    QFETCH(QByteArray, data);

    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("keep me"), bold);
    const QString before = describe(doc);

    QString error;
    QVERIFY(!rtf::read(data, doc, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(describe(doc), before);
}

void RtfTest::depthLimit()
{
    QTextDocument doc;
    QString error;
    QVERIFY2(rtf::read(nested(rtf::MaxGroupDepth), doc, &error), qPrintable(error));
    QCOMPARE(doc.toPlainText(), QStringLiteral("deep"));
}

QTEST_MAIN(RtfTest)
#include "RtfTest.moc"
