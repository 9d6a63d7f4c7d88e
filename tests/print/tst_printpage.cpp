// SPDX-License-Identifier: GPL-3.0-or-later
// The print page: hand-over, printing everything or the selection (to PDF files read
// back with pdftotext), the missing printer and failing jobs, the font dialog, saving
// as RTF, Escape as "Cancel", and closing.
#include "TestProgram.h"

#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/PageManager.h"
#include "shell/PrintPage.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

const QString Handed = QStringLiteral("Arnica montana\r\nBruises and shock\r\nUse: 30C");
const QString Plain = QStringLiteral("Arnica montana\nBruises and shock\nUse: 30C");
// "Bruises" in the plain text.
constexpr int WordFrom = 15, WordTo = 22;

QPushButton *buttonOf(QWidget *page, const char *name)
{
    auto *b = page->findChild<QPushButton *>(QString::fromLatin1(name));
    if (!b)
        qWarning("no button %s", name);
    return b;
}

void select(RichTextBox *box, int from, int to)
{
    QTextCursor cursor(box->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

QString signature(const QTextCharFormat &format)
{
    const QFont f = format.font();
    return QStringLiteral("%1 %2pt%3%4%5%6 %7")
        .arg(f.family())
        .arg(f.pointSizeF())
        .arg(f.bold() ? QStringLiteral(" bold") : QString())
        .arg(f.italic() ? QStringLiteral(" italic") : QString())
        .arg(f.underline() ? QStringLiteral(" underline") : QString())
        .arg(f.strikeOut() ? QStringLiteral(" strike") : QString())
        .arg(format.foreground().style() == Qt::NoBrush ? QStringLiteral("default")
                                                         : format.foreground().color().name());
}

// The format of every character, in order (paragraph ends left out).
QStringList characterFormats(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            for (int i = 0; i < fragment.length(); ++i)
                out << signature(fragment.charFormat());
        }
    }
    return out;
}

const QString Designed = QStringLiteral("Times New Roman 12pt bold default");

QTextCharFormat courier()
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("Courier New")});
    f.setFontPointSize(9);
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    f.setForeground(QColor(0xC0, 0x00, 0x00));
    return f;
}

QString pdftotext()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The text of a PDF file of one page, its lines joined by "\n", without the page
// number that rich-text printing puts at the foot of each page.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(pdftotext(), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    text.remove(QLatin1Char('\f'));
    text = text.trimmed();
    static const QRegularExpression pageNumber(QStringLiteral("\\n+1$"));
    return text.remove(pageNumber);
}

// The fonts a PDF file uses, as pdffonts names them.
QStringList pdfFonts(const QString &path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdffonts")), {path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {QStringLiteral("<pdffonts failed>")};
    QStringList names;
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines.mid(2)) {
        if (!line.trimmed().isEmpty())
            names << line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    }
    return names;
}

} // namespace

class TestPrintPage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void designedLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twipsRect");
        QTest::newRow("rtfPrint") << "rtfPrint" << QString() << QRect(0, 0, 8055, 5520);
        QTest::newRow("cmdFont") << "cmdFont" << "Font" << QRect(120, 5670, 1215, 375);
        QTest::newRow("cmdPrint") << "cmdPrint" << "Print" << QRect(1800, 5670, 1215, 375);
        QTest::newRow("cmdCancel") << "cmdCancel" << "Cancel" << QRect(3480, 5670, 1215, 375);
        QTest::newRow("cmdSave") << "cmdSave" << "Save" << QRect(5145, 5670, 1215, 375);
        QTest::newRow("cmdClose") << "cmdClose" << "Close" << QRect(6720, 5670, 1215, 375);
    }
    void designedLayout()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twipsRect);
        TestProgram program;
        Page *page = PageManager::instance().page(QStringLiteral("frmPrint"));
        QVERIFY(qobject_cast<PrintPage *>(page));
        QCOMPARE(page->windowTitle(), QStringLiteral("Print Preview"));
        QCOMPARE(page->size(), twips::toPx(8055, 6105));
        auto *control = page->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), twips::toPx(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
        if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), caption);
        else
            QVERIFY(qobject_cast<RichTextBox *>(control));
    }

    void handOverShowsTheTextInTheDesignedFont()
    {
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        QVERIFY(page->isVisible());
        QCOMPARE(page->rtfPrint()->text(), Plain);
        const QStringList formats = characterFormats(*page->rtfPrint()->document());
        QCOMPARE(formats, QStringList(Plain.size() - 2, Designed));
    }

    void secondHandOverReplacesTextAndFormatting()
    {
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        RichTextBox *box = page->rtfPrint();
        select(box, WordFrom, WordTo);
        box->mergeCurrentCharFormat(courier());
        // A font chosen for the insertion point must not carry over either.
        select(box, 3, 3);
        box->mergeCurrentCharFormat(courier());

        PrintPage *again = PrintPage::handOver(QStringLiteral("Gelsemium\r\nStage fright"));
        QCOMPARE(again, page);
        QVERIFY(page->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Gelsemium\nStage fright"));
        QCOMPARE(characterFormats(*box->document()), QStringList(21, Designed));
        QVERIFY(!box->document()->isUndoAvailable());
    }

    // Where the job goes: with a printer and nothing selected, straight to the current
    // printer; with a selection, through the printer dialog; without any printer, a
    // message and then the dialog set to a PDF file.
    void printRoutes_data()
    {
        QTest::addColumn<bool>("printerAvailable");
        QTest::addColumn<bool>("withSelection");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("printed");
        QTest::newRow("printer, nothing selected") << true << false << 0 << 0 << Plain;
        QTest::newRow("printer, selection") << true << true << 1 << 0 << "Bruises";
        QTest::newRow("no printer, nothing selected") << false << false << 1 << 1 << Plain;
        QTest::newRow("no printer, selection") << false << true << 1 << 1 << "Bruises";
    }
    void printRoutes()
    {
        QFETCH(bool, printerAvailable);
        QFETCH(bool, withSelection);
        QFETCH(int, questions);
        QFETCH(int, messages);
        QFETCH(QString, printed);
        if (pdftotext().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TestProgram program;
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("job.pdf"));
        PrintPage *page = PrintPage::handOver(Handed);
        // The current printer, for the job that asks nothing.
        page->printer().setOutputFormat(QPrinter::PdfFormat);
        page->printer().setOutputFileName(pdf);
        if (withSelection)
            select(page->rtfPrint(), WordFrom, WordTo);

        program.desktop.printerAvailable = printerAvailable;
        QPrinter::OutputFormat formatInDialog = QPrinter::NativeFormat;
        qsizetype messagesBeforeDialog = -1;
        program.desktop.preparePrinter = [&](QPrinter *printer) {
            QCOMPARE(printer, &page->printer());
            formatInDialog = printer->outputFormat();
            messagesBeforeDialog = program.desktop.messages.size();
            printer->setOutputFileName(pdf);
        };
        buttonOf(page, "cmdPrint")->click();

        QCOMPARE(program.desktop.printerQuestions.size(), questions);
        if (questions)
            QCOMPARE(program.desktop.printerQuestions.first().selectionChosen, withSelection);
        QCOMPARE(program.desktop.messages.size(), messages);
        if (!printerAvailable) {
            QVERIFY(program.desktop.messages.first().contains(QLatin1String("No printer")));
            QCOMPARE(messagesBeforeDialog, 1);
            QCOMPARE(formatInDialog, QPrinter::PdfFormat);
        }
        QCOMPARE(pdfText(pdf), printed);
        // The text keeps the designed bold serif on paper, the selection printed alone too.
        const QString serif = QFontInfo(controls::font(12, true)).family().remove(QLatin1Char(' '));
        const QStringList fonts = pdfFonts(pdf);
        QVERIFY2(std::any_of(fonts.begin(), fonts.end(),
                             [&](const QString &f) { return f.contains(serif) && f.contains(QLatin1String("Bold")); }),
                 qPrintable(fonts.join(QLatin1Char(' '))));
        QCOMPARE(page->rtfPrint()->text(), Plain);
    }

    void cancelledPrinterDialogPrintsNothing_data()
    {
        QTest::addColumn<bool>("printerAvailable");
        QTest::addColumn<bool>("withSelection");
        QTest::newRow("printer, selection") << true << true;
        QTest::newRow("no printer") << false << false;
    }
    void cancelledPrinterDialogPrintsNothing()
    {
        QFETCH(bool, printerAvailable);
        QFETCH(bool, withSelection);
        TestProgram program;
        QTemporaryDir out;
        PrintPage *page = PrintPage::handOver(Handed);
        page->printer().setOutputFormat(QPrinter::PdfFormat);
        page->printer().setOutputFileName(out.filePath(QStringLiteral("job.pdf")));
        if (withSelection)
            select(page->rtfPrint(), WordFrom, WordTo);
        program.desktop.printerAvailable = printerAvailable;
        program.desktop.printerAnswer = false;
        buttonOf(page, "cmdPrint")->click();
        QCOMPARE(program.desktop.printerQuestions.size(), 1);
        QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(program.desktop.messages.size(), printerAvailable ? 0 : 1); // only the missing printer
    }

    // A job that cannot begin is told, never taken as done, and the page can print again.
    void failedPrintIsTold_data()
    {
        QTest::addColumn<QString>("target"); // relative to the temporary folder; "." is the folder
        QTest::addColumn<bool>("named");
        QTest::newRow("a folder") << "." << true;
        QTest::newRow("missing folder") << "missing/job.pdf" << true;
        QTest::newRow("no file name") << "" << false;
    }
    void failedPrintIsTold()
    {
        QFETCH(QString, target);
        QFETCH(bool, named);
        TestProgram program;
        QTemporaryDir out;
        const QString bad = target.isEmpty() ? QString() : QDir::cleanPath(out.filePath(target));
        PrintPage *page = PrintPage::handOver(Handed);
        page->printer().setOutputFormat(QPrinter::PdfFormat);
        page->printer().setOutputFileName(bad);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        buttonOf(page, "cmdPrint")->click();
        QCOMPARE(program.desktop.messages.size(), 1);
        QVERIFY(program.desktop.messages.first().contains(QLatin1String("could not be printed")));
        if (named)
            QVERIFY(program.desktop.messages.first().contains(QDir::toNativeSeparators(bad)));

        const QString good = out.filePath(QStringLiteral("again.pdf"));
        page->printer().setOutputFormat(QPrinter::PdfFormat);
        page->printer().setOutputFileName(good);
        buttonOf(page, "cmdPrint")->click();
        QCOMPARE(program.desktop.messages.size(), 1);
        QVERIFY(QFileInfo(good).size() > 0);
    }

    void fontDialogIsPrefilled_data()
    {
        QTest::addColumn<bool>("formatWord");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strike");
        QTest::addColumn<QColor>("color");
        const QColor text = QPalette().color(QPalette::Text);
        const QColor red(0xC0, 0x00, 0x00);
        QTest::newRow("designed text selected")
            << false << WordFrom << WordTo << "Times New Roman" << 12.0 << true << false << false << false << text;
        QTest::newRow("formatted word selected")
            << true << WordFrom << WordTo << "Courier New" << 9.0 << false << true << true << true << red;
        QTest::newRow("selection starting in the formatted word")
            << true << WordFrom << 30 << "Courier New" << 9.0 << false << true << true << true << red;
        QTest::newRow("insertion point in the formatted word")
            << true << WordFrom + 3 << WordFrom + 3 << "Courier New" << 9.0 << false << true << true << true << red;
        QTest::newRow("insertion point in designed text")
            << true << 3 << 3 << "Times New Roman" << 12.0 << true << false << false << false << text;
    }
    void fontDialogIsPrefilled()
    {
        QFETCH(bool, formatWord);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, family);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strike);
        QFETCH(QColor, color);
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        RichTextBox *box = page->rtfPrint();
        if (formatWord) {
            select(box, WordFrom, WordTo);
            box->mergeCurrentCharFormat(courier());
        }
        select(box, from, to);
        buttonOf(page, "cmdFont")->click();
        QCOMPARE(program.desktop.fontsOffered.size(), 1);
        const Desktop::FontChoice offered = program.desktop.fontsOffered.first();
        QCOMPARE(offered.font.family(), family);
        QCOMPARE(offered.font.pointSizeF(), size);
        QCOMPARE(offered.font.bold(), bold);
        QCOMPARE(offered.font.italic(), italic);
        QCOMPARE(offered.font.underline(), underline);
        QCOMPARE(offered.font.strikeOut(), strike);
        QCOMPARE(offered.color, color);
    }

    void chosenFontAppliesToTheSelectionOnly_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("answered");
        QTest::newRow("selection") << WordFrom << WordTo << true;
        QTest::newRow("selection across lines") << 10 << 20 << true;
        QTest::newRow("insertion point") << 3 << 3 << true;
        QTest::newRow("cancelled") << WordFrom << WordTo << false;
    }
    void chosenFontAppliesToTheSelectionOnly()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, answered);
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        RichTextBox *box = page->rtfPrint();
        QFont chosenFont(QStringLiteral("Courier New"));
        chosenFont.setPointSizeF(16);
        chosenFont.setItalic(true);
        chosenFont.setUnderline(true);
        const QColor blue(0x00, 0x00, 0xFF);
        if (answered)
            program.desktop.fontAnswer = Desktop::FontChoice{chosenFont, blue};
        const QString chosen = QStringLiteral("Courier New 16pt italic underline #0000ff");

        select(box, from, to);
        buttonOf(page, "cmdFont")->click();
        QCOMPARE(program.desktop.fontsOffered.size(), 1);

        QStringList expected(Plain.size() - 2, Designed);
        // Characters of the plain text, paragraph ends excluded: "\n" at 14 and 32.
        for (int pos = from; answered && pos < to; ++pos) {
            if (Plain.at(pos) != QLatin1Char('\n'))
                expected[pos - (pos > 32 ? 2 : pos > 14 ? 1 : 0)] = chosen;
        }
        QCOMPARE(characterFormats(*box->document()), expected);
        QCOMPARE(box->text(), Plain);

        if (from == to) {
            // What is typed at the insertion point takes the chosen font.
            QTest::keyClicks(box, QStringLiteral("X"));
            QCOMPARE(box->text(), Plain.left(from) + QLatin1Char('X') + Plain.mid(from));
            expected.insert(from, chosen);
            QCOMPARE(characterFormats(*box->document()), expected);
        }
    }

    void saveWritesRtfUnderTheExactName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no extension") << "remedy notes";
        QTest::newRow("own extension") << "Arnica.Rtf";
        QTest::newRow("other extension") << "arnica.txt";
    }
    void saveWritesRtfUnderTheExactName()
    {
        QFETCH(QString, name);
        TestProgram program;
        QTemporaryDir out;
        PrintPage *page = PrintPage::handOver(Handed);
        program.desktop.saveAnswer = out.filePath(name);
        buttonOf(page, "cmdSave")->click();
        QCOMPARE(program.desktop.saveFilters,
                 QStringList{QStringLiteral("Rich Text File (*.Rtf *.rtf);;All Files (*)")});
        QCOMPARE(program.desktop.messages, QStringList());
        QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList{name});

        QFile file(out.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("{\\rtf"));
        RichTextBox reread;
        QVERIFY(reread.loadFile(out.filePath(name)));
        QCOMPARE(reread.text(), Plain);
        // The designed font travels with the text.
        const QFont first = QTextCursor(reread.document()->firstBlock()).charFormat().font();
        QCOMPARE(first.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(first.pointSizeF(), 12.0);
        QVERIFY(first.bold());
    }

    void cancelledSaveWritesNothing()
    {
        TestProgram program;
        QTemporaryDir out;
        QDir::setCurrent(out.path());
        PrintPage *page = PrintPage::handOver(Handed);
        program.desktop.saveAnswer.clear();
        buttonOf(page, "cmdSave")->click();
        QCOMPARE(program.desktop.saveFilters.size(), 1);
        QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
        QCOMPARE(program.desktop.messages, QStringList());
    }

    void failedSaveIsToldOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("an existing folder") << "folder";
        QTest::newRow("in a missing folder") << "missing/notes.rtf";
    }
    void failedSaveIsToldOnce()
    {
        QFETCH(QString, name);
        TestProgram program;
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkdir(QStringLiteral("folder")));
        PrintPage *page = PrintPage::handOver(Handed);
        program.desktop.saveAnswer = out.filePath(name);
        buttonOf(page, "cmdSave")->click();
        QCOMPARE(program.desktop.messages.size(), 1);
        QVERIFY2(program.desktop.messages.first().contains(QDir::toNativeSeparators(out.filePath(name))),
                 qPrintable(program.desktop.messages.first()));
        QVERIFY(QFileInfo(out.filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(out.filePath(QStringLiteral("folder"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        QCOMPARE(page->rtfPrint()->text(), Plain);
    }

    void escapePressesCancelAndKeepsThePage_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("in the text") << "rtfPrint";
        QTest::newRow("on a button") << "cmdFont";
    }
    void escapePressesCancelAndKeepsThePage()
    {
        QFETCH(QString, focus);
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page));
        auto *target = page->findChild<QWidget *>(focus);
        QVERIFY(target);
        target->setFocus();
        QSignalSpy cancelled(buttonOf(page, "cmdCancel"), &QPushButton::clicked);
        QTest::keyClick(target, Qt::Key_Escape);
        QCOMPARE(cancelled.size(), 1);
        flushDeletions();
        QCOMPARE(PageManager::instance().existing(QStringLiteral("frmPrint")), page);
        QVERIFY(page->isVisible());
        QCOMPARE(page->rtfPrint()->text(), Plain);
        QVERIFY(!program.ended());
    }

    void closeDiscardsThePage()
    {
        TestProgram program;
        PrintPage *page = PrintPage::handOver(Handed);
        buttonOf(page, "cmdClose")->click();
        flushDeletions();
        QVERIFY(!PageManager::instance().existing(QStringLiteral("frmPrint")));
        QVERIFY(!program.ended());
        PrintPage *fresh = PrintPage::handOver(QStringLiteral("Nux vomica"));
        QCOMPARE(fresh->rtfPrint()->text(), QStringLiteral("Nux vomica"));
        QCOMPARE(characterFormats(*fresh->rtfPrint()->document()), QStringList(10, Designed));
    }
};

QTEST_MAIN(TestPrintPage)
#include "tst_printpage.moc"
