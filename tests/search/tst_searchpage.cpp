// SPDX-License-Identifier: GPL-3.0-or-later
// The search page on databanks built from fixtures/: the remedy search with its
// messages and awkward texts, the default button, picks, the full lists, the counts,
// the clears and Escape; the affliction column once the affliction page is there.
#include "DatabankBuilder.h"
#include "TestProgram.h"

#include "databank/SearchPage.h"
#include "platform/DataControl.h"
#include "platform/Twips.h"
#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QString Fixtures = QStringLiteral(SIMILLON_TESTDATA_DIR "/fixtures");
const QString NoSearchText = QStringLiteral("You have not entered a SearchString.");
const QString NoRecord = QStringLiteral("No record found - try entering fewer letters.");

// The fixture's remedies in name order.
const QStringList AllRemedies = { " Acalypha Indica", " Aconite", " aconitum napellus", " Arnica Montana",
    " St. John's Wort", " Sulphur", " Sulphur Iodatum", " Zincum" };

struct Program {
    Program()
    {
        const dbtool::Outcome built
            = dbtool::build(Fixtures + "/Homeopathy.txt", Fixtures + "/HomeoAfflictions.txt", program.folder());
        if (!built.ok())
            qWarning() << built.errors;
    }
    TestProgram program;
};

SearchPage *showSearch()
{
    return static_cast<SearchPage *>(PageManager::instance().show(QStringLiteral("frmSearch")));
}

template <class T = QWidget> T *child(QWidget *page, const QString &name)
{
    auto *w = page->findChild<T *>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

QStringList items(QWidget *page, const QString &list)
{
    QStringList out;
    if (auto *l = child<QListWidget>(page, list)) {
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
    }
    return out;
}

void search(QWidget *page, const QString &text, const char *button)
{
    child<QLineEdit>(page, "txtSearch")->setText(text);
    child<QPushButton>(page, QString::fromLatin1(button))->click();
}

void click(QWidget *page, const char *button)
{
    child<QPushButton>(page, QString::fromLatin1(button))->click();
}

void clickEntry(QWidget *page, const QString &list, int row)
{
    auto *l = child<QListWidget>(page, list);
    QListWidgetItem *item = l->item(row);
    l->scrollToItem(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
}

QString shownRemedy()
{
    auto *data
        = PageManager::instance().control<DataControl>(QStringLiteral("frmHomeo"), QStringLiteral("datHomeopathy"));
    return data ? data->fieldValue(QStringLiteral("HomeoName")).value_or(QString()) : QString();
}

// The afflictions cursor, or nullptr while the affliction page is not built.
DataControl *afflictionsCursor()
{
    return PageManager::instance().control<DataControl>(
        QStringLiteral("frmAfflictions"), QStringLiteral("datHomeoAfflictions"));
}

} // namespace

class TestSearchPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void designedPage()
    {
        Program fixture;
        SearchPage *page = showSearch();
        QCOMPARE(page->windowTitle(), QStringLiteral("Search Simillon's Main Databanks"));
        QCOMPARE(page->size(), twips::toPx(6975, 5895));
        QCOMPARE(child(page, "lstGoTo")->geometry(), twips::toPx(195, 1860, 3195, 3375));
        QCOMPARE(child(page, "lstListAll")->geometry(), twips::toPx(195, 1860, 3195, 3375));
        QCOMPARE(child(page, "lstGoToRemedy")->geometry(), twips::toPx(3600, 1860, 3200, 3375));
        QCOMPARE(child(page, "cmdTotalRemedies")->geometry(), twips::toPx(5830, 5310, 965, 375));
        QCOMPARE(page->focusWidget(), child(page, "txtSearch"));
        for (const char *hidden : { "cmdGoTo", "cmdGoTo2", "cmdGoToRemedy", "lblSelect", "lblSelectBrand" })
            QVERIFY2(!child(page, QString::fromLatin1(hidden))->isVisible(), hidden);
        // The full afflictions list: fixed keys, one blank before each, trailing blanks kept.
        const QStringList all = items(page, "lstListAll");
        QCOMPARE(all.size(), 375);
        QCOMPARE(all.first(), QStringLiteral(" Acne 1/3"));
        QCOMPARE(all.last(), QStringLiteral(" Yeast infection"));
        for (const QString &key : { QStringLiteral(" Back Pain 6/6 "), QStringLiteral(" Gait, staggering 3/3   "),
                 QStringLiteral(" Legs, restless ") })
            QVERIFY2(all.contains(key), qPrintable(key));
        QVERIFY(
            std::all_of(all.begin(), all.end(), [](const QString &k) { return k.startsWith(u' ') && k[1] != u' '; }));
        // The hit list lies in front of the full list.
        QVERIFY(child(page, "lstGoTo")->isVisible());
        QCOMPARE(page->childAt(child(page, "lstGoTo")->geometry().center())->parentWidget(), child(page, "lstGoTo"));
    }

    void remedySearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hits");
        QTest::newRow("beginning, either case")
            << "ac" << QStringList { " Acalypha Indica", " Aconite", " aconitum napellus" };
        QTest::newRow("blanks around") << "  AC  "
                                       << QStringList { " Acalypha Indica", " Aconite", " aconitum napellus" };
        QTest::newRow("whole name is a beginning too") << "sulphur" << QStringList { " Sulphur", " Sulphur Iodatum" };
        QTest::newRow("blanks only") << "   " << AllRemedies;
        QTest::newRow("apostrophe") << "St. John's" << QStringList { " St. John's Wort" };
        QTest::newRow("star") << "Ac*" << QStringList { " Acalypha Indica", " Aconite", " aconitum napellus" };
        QTest::newRow("one-letter pattern") << "?ulphur" << QStringList { " Sulphur", " Sulphur Iodatum" };
        QTest::newRow("lone quote") << "'" << QStringList {};
        QTest::newRow("unclosed bracket") << "[a" << QStringList {};
        QTest::newRow("no such name") << "Xyz" << QStringList {};
    }
    void remedySearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, hits);
        Program fixture;
        SearchPage *page = showSearch();
        search(page, text, "cmdSearchRemedy");
        QCOMPARE(items(page, "lstGoToRemedy"), hits);
        QCOMPARE(fixture.program.desktop.messages, hits.isEmpty() ? QStringList { NoRecord } : QStringList {});
        QCOMPARE(page->remedyListLook(), SearchPage::Look::Search);
        QCOMPARE(child<QLineEdit>(page, "txtSearch")->text(), text); // left as typed
        // The walk leaves the remedy cursor on the last hit, and the remedy page hidden.
        QCOMPARE(shownRemedy(), hits.isEmpty() ? AllRemedies.first().trimmed() : hits.last().trimmed());
        QVERIFY(PageManager::instance().existing(QStringLiteral("frmHomeo"))->isHidden());
    }

    void emptyTextIsRefused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("afflictions") << "cmdSearch";
        QTest::newRow("remedies") << "cmdSearchRemedy";
    }
    void emptyTextIsRefused()
    {
        QFETCH(QString, button);
        Program fixture;
        SearchPage *page = showSearch();
        child(page, "cmdClear")->setFocus();
        search(page, QString(), qPrintable(button));
        QCOMPARE(fixture.program.desktop.messages, QStringList { NoSearchText });
        QCOMPARE(page->focusWidget(), child(page, "txtSearch"));
        QVERIFY(!PageManager::instance().existing(QStringLiteral("frmHomeo")));
    }

    void secondSearchListsOnlyItsOwnHits()
    {
        Program fixture;
        SearchPage *page = showSearch();
        search(page, QStringLiteral("ac"), "cmdSearchRemedy");
        search(page, QStringLiteral("su"), "cmdSearchRemedy");
        QCOMPARE(items(page, "lstGoToRemedy"), (QStringList { " Sulphur", " Sulphur Iodatum" }));
    }

    void defaultButton_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("visible character") << ""
                                           << "a" << true;
        QTest::newRow("emptied again") << "a"
                                       << "" << false;
        QTest::newRow("one blank keeps it") << "a"
                                            << " " << true;
        QTest::newRow("one blank does not make it") << ""
                                                    << " " << false;
        QTest::newRow("two blanks sort after one") << ""
                                                   << "  " << true;
        QTest::newRow("tab sorts before a blank") << "a"
                                                  << "\tb" << false;
    }
    void defaultButton()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, isDefault);
        Program fixture;
        SearchPage *page = showSearch();
        auto *text = child<QLineEdit>(page, "txtSearch");
        text->setText(before);
        text->setText(after);
        QCOMPARE(child<QPushButton>(page, "cmdSearch")->isDefault(), isDefault);
    }

    void enterStartsTheAfflictionSearchOnlyWhenDefault()
    {
        Program fixture;
        SearchPage *page = showSearch();
        auto *text = child<QLineEdit>(page, "txtSearch");
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(fixture.program.desktop.messages.isEmpty());
        QTest::keyClicks(text, QStringLiteral("zzz"));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(fixture.program.desktop.messages, QStringList { NoRecord });
    }

    void remedyPick_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("remedy");
        // "=" on the trimmed entry: the shorter name is not taken for the longer one.
        QTest::newRow("Sulphur") << 0 << "Sulphur";
        QTest::newRow("Sulphur Iodatum") << 1 << "Sulphur Iodatum";
    }
    void remedyPick()
    {
        QFETCH(int, row);
        QFETCH(QString, remedy);
        Program fixture;
        SearchPage *page = showSearch();
        search(page, QStringLiteral("sul"), "cmdSearchRemedy");
        QVERIFY(child<QPushButton>(page, "cmdSearch")->isDefault());
        clickEntry(page, QStringLiteral("lstGoToRemedy"), row);
        Page *remedies = PageManager::instance().existing(QStringLiteral("frmHomeo"));
        QVERIFY(remedies && remedies->isVisible());
        QCOMPARE(child<QLineEdit>(remedies, "txtHomeoName")->text(), remedy);
        QCOMPARE(child<QLabel>(page, "lblSelectBrand")->text(), QLatin1Char(' ') + remedy);
        QCOMPARE(child<QLineEdit>(page, "txtSearch")->text(), QString());
        QVERIFY(!child<QPushButton>(page, "cmdSearch")->isDefault());
        QVERIFY(page->isVisible()); // stays open behind the remedy page
    }

    void listAllRemediesAppends()
    {
        Program fixture;
        SearchPage *page = showSearch();
        click(page, "cmdListRemedies");
        click(page, "cmdListRemedies");
        const QStringList listed = items(page, "lstGoToRemedy");
        QCOMPARE(listed.size(), 2 * 436);
        QCOMPARE(listed.mid(436), listed.first(436));
        QCOMPARE(listed.first(), QStringLiteral(" Abies (Pinus) Canadensis"));
        auto *list = child<QListWidget>(page, "lstGoToRemedy");
        QCOMPARE(page->remedyListLook(), SearchPage::Look::FullList);
        QCOMPARE(list->palette().color(QPalette::Text), QColor(0x00, 0x00, 0x80));
        QCOMPARE(list->palette().color(QPalette::Base), QColor(0xB0, 0xD9, 0xFF));
        // Reading the names created the remedy page without showing it.
        QVERIFY(PageManager::instance().existing(QStringLiteral("frmHomeo"))->isHidden());

        child<QLineEdit>(page, "txtSearch")->setText(QStringLiteral("su"));
        click(page, "cmdClearRemedy");
        QVERIFY(items(page, "lstGoToRemedy").isEmpty());
        QCOMPARE(page->remedyListLook(), SearchPage::Look::Search);
        QCOMPARE(list->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(child<QLineEdit>(page, "txtSearch")->text(), QString());
        QCOMPARE(page->focusWidget(), child(page, "txtSearch"));
    }

    void countRemedies()
    {
        Program fixture;
        SearchPage *page = showSearch();
        click(page, "cmdTotalRemedies");
        QCOMPARE(fixture.program.desktop.messages, QStringList { QStringLiteral("8 Entries") });
        QCOMPARE(items(page, "lstGoToRemedy").size(), 436);
        QCOMPARE(page->remedyListLook(), SearchPage::Look::FullList);
        QCOMPARE(shownRemedy(), AllRemedies.last().trimmed());
    }

    void fullAfflictionsListAndClear()
    {
        Program fixture;
        SearchPage *page = showSearch();
        click(page, "cmdListAll");
        QVERIFY(child(page, "lstListAll")->isVisible());
        QVERIFY(!child(page, "lstGoTo")->isVisible());
        child<QLineEdit>(page, "txtSearch")->setText(QStringLiteral("ac"));
        click(page, "cmdClear");
        QVERIFY(child(page, "lstGoTo")->isVisible());
        QVERIFY(!child(page, "lstListAll")->isVisible());
        QCOMPARE(child<QLineEdit>(page, "txtSearch")->text(), QString());
    }

    void pickFromTheFullListClosesTheRemedyPage()
    {
        Program fixture;
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmHomeo"));
        SearchPage *page = showSearch();
        click(page, "cmdListAll");
        clickEntry(page, QStringLiteral("lstListAll"), 1);
        QCOMPARE(child<QLabel>(page, "lblSelect")->text(), QStringLiteral(" Acne 2/3"));
        Page *afflictions = pages.existing(QStringLiteral("frmAfflictions"));
        QVERIFY(afflictions && afflictions->isVisible());
        QVERIFY(!pages.existing(QStringLiteral("frmHomeo")));
        QCOMPARE(child<QLineEdit>(page, "txtSearch")->text(), QString());
        if (DataControl *data = afflictionsCursor())
            QCOMPARE(data->fieldValue(QStringLiteral("Affliction")).value_or(QString()), QStringLiteral("Acne 2/3"));
    }

    void afflictionSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hits");
        QTest::newRow("beginning, either case")
            << "ac" << QStringList { " Acne 1/3", " Acne 2/3", " Acne 3/3", " acne rosacea" };
        QTest::newRow("blanks only") << " "
                                     << QStringList { " Acne 1/3", " Acne 2/3", " Acne 3/3", " acne rosacea",
                                            " Back Pain 6/6", " Burns", " Children's colic" };
        QTest::newRow("apostrophe") << "children's" << QStringList { " Children's colic" };
        QTest::newRow("no such key") << "Xyz" << QStringList {};
    }
    void afflictionSearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, hits);
        Program fixture;
        SearchPage *page = showSearch();
        DataControl *data = afflictionsCursor();
        if (!data)
            QSKIP("the affliction page is not built yet");
        click(page, "cmdListAll");
        search(page, text, "cmdSearch");
        QCOMPARE(items(page, "lstGoTo"), hits);
        QVERIFY(child(page, "lstGoTo")->isVisible());
        QCOMPARE(fixture.program.desktop.messages, hits.isEmpty() ? QStringList { NoRecord } : QStringList {});
        QCOMPARE(data->fieldValue(QStringLiteral("Affliction")).value_or(QString()),
            hits.isEmpty() ? QStringLiteral("Acne 1/3") : hits.last().trimmed());
    }

    void afflictionPickKeepsTheRemedyPage()
    {
        Program fixture;
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmHomeo"));
        SearchPage *page = showSearch();
        DataControl *data = afflictionsCursor();
        if (!data)
            QSKIP("the affliction page is not built yet");
        search(page, QStringLiteral("acne"), "cmdSearch");
        clickEntry(page, QStringLiteral("lstGoTo"), 3);
        QCOMPARE(child<QLabel>(page, "lblSelect")->text(), QStringLiteral(" acne rosacea"));
        QCOMPARE(data->fieldValue(QStringLiteral("Affliction")).value_or(QString()), QStringLiteral("acne rosacea"));
        QVERIFY(pages.existing(QStringLiteral("frmAfflictions"))->isVisible());
        QVERIFY(pages.existing(QStringLiteral("frmHomeo")));
    }

    void countAfflictions()
    {
        Program fixture;
        SearchPage *page = showSearch();
        DataControl *data = afflictionsCursor();
        if (!data)
            QSKIP("the affliction page is not built yet");
        click(page, "cmdTotal");
        QCOMPARE(fixture.program.desktop.messages, QStringList { QStringLiteral("7 Entries") });
        QVERIFY(child(page, "lstListAll")->isVisible());
        QCOMPARE(
            data->fieldValue(QStringLiteral("Affliction")).value_or(QString()), QStringLiteral("Children's colic"));
    }

    void escapeEndsTheProgram()
    {
        Program fixture;
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmHomeo"));
        SearchPage *page = showSearch();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page));
        QTest::keyClick(child(page, "txtSearch"), Qt::Key_Escape);
        QVERIFY(fixture.program.ended());
        QVERIFY(!pages.existing(QStringLiteral("frmSearch")));
        QVERIFY(!pages.existing(QStringLiteral("frmHomeo")));
    }
};

QTEST_MAIN(TestSearchPage)
#include "tst_searchpage.moc"
