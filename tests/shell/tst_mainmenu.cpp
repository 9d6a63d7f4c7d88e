// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu and its start-up, the toolbar pages, and the settings page that writes
// the screen mode.
#include "TestProgram.h"

#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"
#include "shell/SettingsPage.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QMenu>
#include <QMessageBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

namespace {

QByteArray screenFile(const char *digit)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Times New Roman;}}\r\n\\pard\\f0\\fs24 ") + digit
           + "\\par\r\n}\r\n";
}

QPushButton *buttonOf(QWidget *page, const char *name)
{
    auto *b = page->findChild<QPushButton *>(QString::fromLatin1(name));
    if (!b)
        qWarning("no button %s", name);
    return b;
}

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void ourTextsInTheDesignFaceDesktopWindowsInTheDesktopFont()
    {
        TestProgram program;
        const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        QCOMPARE(QApplication::font().family(), QStringLiteral("Times New Roman"));
        RichTextBox box;
        QCOMPARE(box.document()->defaultFont().family(), QStringLiteral("Times New Roman"));
        QMessageBox message;
        message.ensurePolished(); // as when it is shown
        QCOMPARE(message.font(), desktop);
        QCOMPARE(message.findChild<QLabel *>()->font(), desktop); // its texts inherit it
        QMenu menu;
        menu.ensurePolished();
        QCOMPARE(menu.font(), desktop);
    }

    void startUpReadsTheScreenMode_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no Screen.txt at all
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("state"); // 0 normal, 2 maximised
        QTest::newRow("no file") << QByteArray() << "" << 2;
        QTest::newRow("0") << screenFile("0") << "0" << 0;
        QTest::newRow("2") << screenFile("2") << "2" << 2;
        QTest::newRow("1 keeps the design") << screenFile("1") << "1" << 0;
        QTest::newRow("empty file") << QByteArray("") << "" << 2;
        QTest::newRow("not RTF") << QByteArray("0\r\n") << "" << 2;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{\\rtf", 8) << "" << 2;
        QTest::newRow("very large") << QByteArray("{\\rtf1 0").append(8 * 1024 * 1024, ' ').append("}") << ""
                                    << 2;
    }
    void startUpReadsTheScreenMode()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, mode);
        QFETCH(int, state);
        TestProgram program;
        if (!file.isNull())
            program.write(QStringLiteral("Screen.txt"), file);
        auto *menu = PageManager::instance().page<MainMenu>();
        QCOMPARE(menu->screenMode().trimmed(), mode);
        QCOMPARE(bool(menu->windowState() & Qt::WindowMaximized), state == 2);
        QCOMPARE(menu->pos(), QPoint(0, 0));
        QCOMPARE(QDir::current().canonicalPath(), QDir(program.folder()).canonicalPath());
    }

    void subjectButtonsShowTheirPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("cmdIntro") << "cmdIntro" << "frmReadFirst";
        QTest::newRow("cmdCellSalts") << "cmdCellSalts" << "frmCellSalts";
        QTest::newRow("cmdBonesMuscles") << "cmdBonesMuscles" << "frmBonesMuscles";
        QTest::newRow("cmdTongue") << "cmdTongue" << "frmTongueIndicator";
        QTest::newRow("cmdSources") << "cmdSources" << "frmSources";
    }
    void subjectButtonsShowTheirPages()
    {
        QFETCH(QString, button);
        QFETCH(QString, page);
        TestProgram program;
        PageManager &pages = PageManager::instance();
        Page *menu = pages.show(QStringLiteral("frmMenu"));
        auto *b = menu->findChild<QPushButton *>(button);
        QVERIFY(b);
        b->click();
        Page *shown = pages.existing(page);
        QVERIFY(shown && shown->isVisible());
        b->click(); // a second click brings the same instance forward
        QCOMPARE(pages.existing(page), shown);
        QVERIFY(menu->isVisible());
    }

    void designedControlsAndTabOrder()
    {
        TestProgram program;
        auto *menu = PageManager::instance().page<MainMenu>();
        const char *order[] = {"cmdIntro", "cmdDiseases", "cmdRemedies", "cmdCellSalts", "cmdBonesMuscles",
                               "cmdCardiovascular", "cmdDigestive", "cmdEyes", "cmdFemaleMale", "cmdNerves",
                               "cmdSkin", "cmdTongue", "cmdNotara", "cmdSources", "cmdAbout", "cmdReadFirst",
                               "cmdPrograms", "cmdSettings", "cmdSupport"};
        QStringList expected;
        for (const char *name : order) {
            QPushButton *b = buttonOf(menu, name);
            QVERIFY(b);
            QVERIFY2(!b->accessibleName().isEmpty(), name);
            expected << QString::fromLatin1(name);
        }
        QStringList chain;
        for (QWidget *w = menu->nextInFocusChain(); w != menu; w = w->nextInFocusChain()) {
            if (qobject_cast<QPushButton *>(w))
                chain << w->objectName();
        }
        QCOMPARE(chain, expected);
        QCOMPARE(buttonOf(menu, "cmdRemedies")->geometry(), twips::toPx(180, 2385, 2685, 640));
        QCOMPARE(buttonOf(menu, "cmdSupport")->text(), QStringLiteral("Support"));
        QCOMPARE(menu->windowTitle(), QStringLiteral("Simillon by Korvalis"));
    }

    void toolbarPagesAreExclusive()
    {
        TestProgram program;
        PageManager &pages = PageManager::instance();
        Page *menu = pages.show(QStringLiteral("frmMenu"));
        buttonOf(menu, "cmdAbout")->click();
        Page *about = pages.existing(QStringLiteral("frmAbout"));
        QVERIFY(about && about->isVisible());
        buttonOf(menu, "cmdAbout")->click();
        QCOMPARE(pages.existing(QStringLiteral("frmAbout")), about);

        QStringList order;
        QObject guard;
        connect(&pages, &PageManager::pageDiscarded, &guard, [&](const QString &name) { order << name; });
        buttonOf(menu, "cmdSettings")->click();
        QCOMPARE(order, QStringList{QStringLiteral("frmAbout")});
        QVERIFY(pages.existing(QStringLiteral("frmSettings"))->isVisible());
        buttonOf(menu, "cmdReadFirst")->click();
        QVERIFY(!pages.existing(QStringLiteral("frmSettings")));
        QVERIFY(pages.existing(QStringLiteral("frmDisclaimer")));
    }

    void settingsWriteTheScreenMode_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QString>("notice");
        QTest::newRow("maximize") << "cmdMaximize" << "2" << true
                                  << "Next time you restart the program all pages will open maximized.";
        QTest::newRow("center") << "cmdMitte" << "0" << false
                                << "Next time you restart the program all pages will open centered.";
    }
    void settingsWriteTheScreenMode()
    {
        QFETCH(QString, button);
        QFETCH(QString, digit);
        QFETCH(bool, maximised);
        QFETCH(QString, notice);
        TestProgram program;
        program.write(QStringLiteral("Screen.txt"), screenFile(maximised ? "0" : "2"));
        PageManager &pages = PageManager::instance();
        auto *menu = pages.page<MainMenu>();
        Page *openBefore = pages.show(QStringLiteral("frmEyes"));
        const Qt::WindowStates eyesBefore = openBefore->windowState();
        Page *settings = pages.show(QStringLiteral("frmSettings"));
        settings->findChild<QPushButton *>(button)->click();

        QCOMPARE(menu->screenMode(), digit);
        QCOMPARE(bool(menu->windowState() & Qt::WindowMaximized), maximised);
        QCOMPARE(openBefore->windowState(), eyesBefore); // open pages keep their state
        Page *resize = pages.existing(QStringLiteral("frmResize"));
        QVERIFY(resize && resize->isVisible());
        QCOMPARE(resize->findChild<QLabel *>(QStringLiteral("lblResize"))->text(), notice);

        // What was written is RTF whose plain text is the digit, and a new start reads it.
        RichTextBox reader;
        QVERIFY(reader.loadFile(program.file(QStringLiteral("Screen.txt"))));
        QCOMPARE(reader.text().trimmed(), digit);
        pages.resetForTesting();
        QCOMPARE(pages.page<MainMenu>()->screenMode().trimmed(), digit);
    }

    void unwritableScreenFileIsNotReportedAsSaved()
    {
        TestProgram program;
        // A folder where the file should be: no one can write the file, not even root.
        QVERIFY(QDir(program.folder()).mkdir(QStringLiteral("Screen.txt")));
        PageManager &pages = PageManager::instance();
        auto *menu = pages.page<MainMenu>();
        pages.show(QStringLiteral("frmSettings"))->findChild<QPushButton *>(QStringLiteral("cmdMaximize"))->click();
        QCOMPARE(menu->screenMode(), QStringLiteral("2"));
        QVERIFY(menu->windowState() & Qt::WindowMaximized);
        const QString notice =
            pages.existing(QStringLiteral("frmResize"))->findChild<QLabel *>(QStringLiteral("lblResize"))->text();
        QVERIFY2(notice.contains(QStringLiteral("could not be saved")), qPrintable(notice));
        QVERIFY(!notice.contains(QStringLiteral("Next time")));
    }

    void removeProgramTellsHowWithoutASoftwareManager()
    {
        TestProgram program;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", program.folder().toLocal8Bit());
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmMenu"));
        pages.show(QStringLiteral("frmSettings"))->findChild<QPushButton *>(QStringLiteral("cmdAddRemove"))->click();
        qputenv("PATH", path);
        QCOMPARE(program.desktop.messages.size(), 1);
        QVERIFY(program.desktop.messages.first().contains(QDir::toNativeSeparators(program.folder())));
        QVERIFY(program.ended());
        QVERIFY(!pages.existing(QStringLiteral("frmMenu")));
    }

    void closeButtonsDiscardTheirPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("settings") << "frmSettings";
        QTest::newRow("notice") << "frmResize";
    }
    void closeButtonsDiscardTheirPage()
    {
        QFETCH(QString, page);
        TestProgram program;
        PageManager &pages = PageManager::instance();
        pages.show(page)->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
        QVERIFY(!pages.existing(page));
        QVERIFY(!program.ended());
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
