// SPDX-License-Identifier: GPL-3.0-or-later
// The page framework: single instances, the load steps and the screen mode, Escape,
// replace, the flicker guard and the rescaling of full-size pages.
#include "TestProgram.h"

#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"
#include "shell/ScreenMode.h"

#include <QFrame>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

using screenmode::State;

class TestPageFramework : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void screenModeRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1 designed, 0 normal, 2 maximised
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow("1") << "1" << -1;
        QTest::newRow("other number") << "7" << -1;
        QTest::newRow("empty") << "" << 2;
        QTest::newRow("blanks and line end") << " 2\n" << 2;
        QTest::newRow("not a number") << "max" << 2;
    }
    void screenModeRule()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto state = screenmode::resultingState(text);
        QCOMPARE(state.has_value() ? (*state == State::Maximised ? 2 : 0) : -1, expected);
    }

    void loadStepsFollowTheMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<bool>("atCorner");
        // The remedy page has every step; the heart page no move; the search page no mode.
        QTest::newRow("0, move step") << "0" << "frmEyes" << false << true;
        QTest::newRow("0, no move step") << "0" << "frmHeart" << false << false;
        QTest::newRow("2, mode step") << "2" << "frmHeart" << true << false;
        QTest::newRow("2, no mode step") << "2" << "frmSearch" << false << true;
        QTest::newRow("empty, mode step") << "" << "frmHomeoIntro" << true << false;
        QTest::newRow("1, designed state") << "1" << "frmEyes" << false << true;
    }
    void loadStepsFollowTheMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, page);
        QFETCH(bool, maximised);
        QFETCH(bool, atCorner);
        TestProgram program;
        PageManager &pages = PageManager::instance();
        pages.page<MainMenu>()->setScreenMode(mode);
        Page *p = pages.page(page);
        QVERIFY(p);
        QCOMPARE(bool(p->windowState() & Qt::WindowMaximized), maximised);
        if (!maximised)
            QCOMPARE(p->pos() == QPoint(0, 0), atCorner);
    }

    void singleInstanceCreatedOnFirstReference()
    {
        TestProgram program;
        PageManager &pages = PageManager::instance();
        QVERIFY(!pages.existing(QStringLiteral("frmCellSalts")));
        Page *first = pages.show(QStringLiteral("frmCellSalts"));
        Page *again = pages.show(QStringLiteral("frmCellSalts"));
        QCOMPARE(first, again);
        QVERIFY(first->isVisible());
        pages.closeAndDiscard(first);
        QVERIFY(!pages.existing(QStringLiteral("frmCellSalts")));
        flushDeletions();
        Page *fresh = pages.page(QStringLiteral("frmCellSalts"));
        QVERIFY(fresh && !fresh->isVisible()); // created hidden on a mere reference
    }

    void escapeEndsTheProgramOnListedPagesOnly_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("ends");
        for (const char *name : {"frmHomeo", "frmAfflictions", "frmSearch", "frmHelp1", "frmHelp2", "frmHomeoIntro",
                                 "frmHomeoIntro2", "frmDisclaimer", "frmTongue"})
            QTest::newRow(name) << name << true;
        for (const char *name : {"frmCellSalts", "frmHomeoIntro3", "frmMenu", "frmEyes"})
            QTest::newRow(name) << name << false;
    }
    void escapeEndsTheProgramOnListedPagesOnly()
    {
        QFETCH(QString, page);
        QFETCH(bool, ends);
        TestProgram program;
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmMenu"));
        pages.show(QStringLiteral("frmCellSalts"));
        Page *p = pages.show(page);
        QVERIFY(p);
        p->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p));
        QTest::keyClick(p, Qt::Key_Escape);
        QCOMPARE(program.ended(), ends);
        QCOMPARE(pages.existing(QStringLiteral("frmMenu")) == nullptr, ends);
        QCOMPARE(pages.existing(page) == nullptr, ends);
    }

    void endingRunsNoOtherUnloadAction()
    {
        TestProgram program;
        PageManager &pages = PageManager::instance();
        pages.show(QStringLiteral("frmMenu"));
        pages.show(QStringLiteral("frmEyes"));
        QStringList discarded;
        QObject guard;
        connect(&pages, &PageManager::pageDiscarded, &guard, [&](const QString &name) { discarded << name; });
        pages.page<MainMenu>()->close();
        QVERIFY(program.ended());
        QCOMPARE(QSet<QString>(discarded.begin(), discarded.end()),
                 (QSet<QString>{QStringLiteral("frmMenu"), QStringLiteral("frmEyes")}));
        QCOMPARE(program.quitCalls(), 1);
    }

    void replaceShowsTheTargetBeforeDiscarding()
    {
        TestProgram program;
        PageManager &pages = PageManager::instance();
        Page *first = pages.show(QStringLiteral("frmHomeoIntro"));
        bool targetVisibleAtDiscard = false;
        QObject guard;
        connect(&pages, &PageManager::pageDiscarded, &guard, [&](const QString &name) {
            if (name == QLatin1String("frmHomeoIntro")) {
                Page *target = pages.existing(QStringLiteral("frmHomeoIntro2"));
                targetVisibleAtDiscard = target && target->isVisible();
            }
        });
        pages.replace(first, QStringLiteral("frmHomeoIntro2"));
        QVERIFY(targetVisibleAtDiscard);
        QVERIFY(!pages.existing(QStringLiteral("frmHomeoIntro")));
        QVERIFY(pages.existing(QStringLiteral("frmHomeoIntro2"))->isVisible());
    }

    void flickerGuardHidesUntilTheLastReportSettles()
    {
        TestProgram program;
        Page *p = PageManager::instance().show(QStringLiteral("frmHelp1"));
        auto *content = p->findChild<QFrame *>(QStringLiteral("fraResize"));
        auto *timer = p->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(content && timer);
        QVERIFY(!timer->isActive()); // inactive in the design
        QVERIFY(content->isVisible());

        p->resize(p->width() + 40, p->height() + 30);
        QVERIFY(!content->isVisible());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 80);
        QTest::qWait(30);
        p->resize(p->width() + 40, p->height() + 30); // a further report restarts the timer
        QVERIFY(!content->isVisible());
        QVERIFY(timer->remainingTime() > 60);
        QTRY_VERIFY_WITH_TIMEOUT(content->isVisible(), 2000);
        QVERIFY(!timer->isActive());
    }

    void pagesWithoutFlickerGuardKeepTheirContent()
    {
        TestProgram program;
        Page *p = PageManager::instance().show(QStringLiteral("frmNerves"));
        QVERIFY(!p->findChild<QTimer *>(QStringLiteral("Timer1")));
        p->resize(p->width() + 40, p->height() + 30);
        QVERIFY(p->findChild<QFrame *>(QStringLiteral("fraResize"))->isVisible());
    }

    void fullSizePagesRescaleControlsAndFonts()
    {
        TestProgram program;
        auto *menu = PageManager::instance().page<MainMenu>();
        menu->setScreenMode(QStringLiteral("0"));
        menu->applyScreenMode();
        menu->show();
        auto *button = menu->findChild<QPushButton *>(QStringLiteral("cmdAbout"));
        const QRect designed = button->geometry();
        const double designedFont = button->font().pointSizeF();
        const QSize designedPage = menu->size();
        menu->resize(menu->width() * 2, menu->height() * 2);
        QCOMPARE(button->geometry().topLeft(), designed.topLeft() * 2);
        QVERIFY(qAbs(button->width() - designed.width() * 2) <= 1);
        QCOMPARE(button->font().pointSizeF(), designedFont * 2);
        menu->resize(menu->width() / 2, menu->height() / 2);
        QCOMPARE(button->geometry(), designed);
        QCOMPARE(button->font().pointSizeF(), designedFont);

        // Fonts go in quarter points: a few pixels more keep the designed size.
        menu->resize(menu->width() + 4, menu->height() + 3);
        QCOMPARE(button->font().pointSizeF(), designedFont);
        menu->resize(designedPage * 1.3);
        const double scale = std::min(double(menu->width()) / designedPage.width(),
                                      double(menu->height()) / designedPage.height());
        const double grown = button->font().pointSizeF();
        QCOMPARE(grown * 4, std::round(grown * 4));
        QVERIFY(qAbs(grown - designedFont * scale) <= 0.125);
    }

    void twipsConvertThroughTheLogicalDpi()
    {
        QCOMPARE(twips::toPx(1440), 96);
        QCOMPARE(twips::toPx(15), 1);
        QCOMPARE(twips::toPx(11880, 8010), QSize(792, 534));
        twips::setDpiForTesting(144);
        QCOMPARE(twips::toPx(1440), 144);
        twips::setDpiForTesting(96);
    }

    // Every page of the table constructs, carries its caption and name, and has the
    // parts its kind promises.
    void everyPageConstructs()
    {
        TestProgram program;
        PageManager &pages = PageManager::instance();
        QSet<QString> names;
        for (int i = 0; i < pageCount(); ++i) {
            const PageInfo &info = pageInfoAt(i);
            const QString name = QString::fromLatin1(info.name);
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            Page *p = pages.page(name);
            QVERIFY2(p, qPrintable(name));
            QCOMPARE(p->objectName(), name);
            QCOMPARE(p->windowTitle(), QString::fromUtf8(info.caption));
            QCOMPARE(p->findChild<QFrame *>(QStringLiteral("fraResize")) != nullptr, info.fullSize);
            QCOMPARE(p->findChild<QTimer *>(QStringLiteral("Timer1")) != nullptr, info.flickerGuard);
            QVERIFY2(!info.flickerGuard || info.fullSize, qPrintable(name));
        }
        QCOMPARE(pages.existing(QStringLiteral("frmNoSuchPage")), nullptr);
        QCOMPARE(pages.page(QStringLiteral("frmNoSuchPage")), nullptr);
    }
};

QTEST_MAIN(TestPageFramework)
#include "tst_pageframework.moc"
