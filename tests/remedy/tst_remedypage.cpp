// SPDX-License-Identifier: GPL-3.0-or-later
// The remedy page on a databank of four remedies built from fixtures/: the fresh page,
// the profile switch, the display boxes on every move, pages opened by another page's
// find, unloading, the printout, the count, the list export and maintenance editing.
#include "DatabankBuilder.h"
#include "TestProgram.h"

#include "databank/Criterion.h"
#include "databank/RemedyPage.h"
#include "platform/DataControl.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"
#include "shell/PrintPage.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>

namespace {

const QString Fixtures = QStringLiteral(SIMILLON_TESTDATA_DIR "/fixtures");

// The 26 bound boxes.
const QStringList BoundBoxes = { "txtHomeoName", "txtEnglish", "txtAfflictions", "txtDescriptionEnc", "txtModalities",
    "txtThroat", "txtNose", "txtAbdomen", "txtBack", "txtRespiratory", "txtMind", "txtEyes", "txtFemale", "txtSkin",
    "txtEars", "txtMale", "txtFever", "txtFace", "txtUrine", "txtCirculatory", "txtMouth", "txtExtremities", "txtPain",
    "txtAdditional", "txtStool", "txtPotency" };

// The fixture's remedies in name order, with the plain texts of the two coded fields.
struct Remedy {
    QString name, afflictions, profile;
};
const QList<Remedy> Remedies = {
    { "Aconite", "Fear and fright", "Sudden Onset after Cold Wind." },
    { "Blank Remedy", "", "" },
    { "Bryonia", "Dry cough", "Worse from the Slightest Motion." },
    { "Calendula", "Cuts and grazes\nSlow healing wounds", "Calendula profile: Garden Marigold, used on Torn Skin." },
};

// A program folder holding the fixture databank (or none), in the given mode.
struct Program {
    explicit Program(bool withDatabank = true, bool maintenance = false)
    {
        programfolder::setMaintenance(maintenance);
        if (withDatabank) {
            const dbtool::Outcome built
                = dbtool::build(Fixtures + "/Homeopathy.txt", Fixtures + "/HomeoAfflictions.txt", program.folder());
            if (!built.ok())
                qWarning() << built.errors;
        }
    }
    ~Program() { programfolder::setMaintenance(false); }

    TestProgram program;
};

RemedyPage *showPage()
{
    return static_cast<RemedyPage *>(PageManager::instance().show(QStringLiteral("frmHomeo")));
}

template <class T = QWidget> T *child(QWidget *page, const QString &name)
{
    auto *w = page->findChild<T *>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

QString text(QWidget *page, const QString &name)
{
    if (auto *line = page->findChild<QLineEdit *>(name))
        return line->text();
    if (auto *plain = page->findChild<QPlainTextEdit *>(name))
        return plain->toPlainText();
    if (auto *label = page->findChild<QLabel *>(name))
        return label->text();
    if (auto *button = page->findChild<QPushButton *>(name))
        return button->text();
    return QStringLiteral("<no control %1>").arg(name);
}

// The name of the box the user sees in the text area.
QString frontBox(QWidget *page)
{
    QWidget *area = page->findChild<QWidget *>(QStringLiteral("txtAfflictionsDec"));
    QWidget *frame = area->parentWidget();
    QWidget *hit = frame->childAt(area->geometry().center());
    while (hit && hit->parentWidget() != frame)
        hit = hit->parentWidget();
    return hit ? hit->objectName() : QString();
}

bool isReadOnly(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->isReadOnly();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        return plain->isReadOnly();
    return false;
}

void click(QWidget *page, const char *name)
{
    if (auto *b = child<QPushButton>(page, QString::fromLatin1(name)))
        b->click();
}

void stepNext(RemedyPage *page)
{
    click(page->dataControl(), "cmdNext");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A field of the stored record, read behind the page's back.
QString stored(const QString &path, const QString &name, const QString &field)
{
    QString value = QStringLiteral("<no record>");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT %1 FROM Homeopathy WHERE HomeoName = ?").arg(field));
            query.addBindValue(name);
            if (query.exec() && query.next())
                value = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return value;
}

} // namespace

class TestRemedyPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void designedLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsRect");
        QTest::newRow("cmdReadFirst") << "cmdReadFirst" << QRect(0, 0, 1695, 315);
        QTest::newRow("cmdDescription") << "cmdDescription" << QRect(6960, 0, 2900, 315);
        QTest::newRow("cmdNotara") << "cmdNotara" << QRect(9840, 0, 2040, 315);
        QTest::newRow("Frame1") << "Frame1" << QRect(90, 360, 11700, 1515);
        QTest::newRow("txtHomeoName") << "txtHomeoName" << QRect(60, 90, 4185, 435);
        QTest::newRow("txtEnglish") << "txtEnglish" << QRect(1440, 570, 3135, 405);
        QTest::newRow("cmdPrint") << "cmdPrint" << QRect(4880, 930, 1025, 405);
        QTest::newRow("lblHeading") << "lblHeading" << QRect(4440, 120, 1455, 855);
        QTest::newRow("txtAfflictionsDec") << "txtAfflictionsDec" << QRect(5970, 90, 5715, 1350);
        QTest::newRow("txtDescriptionEnc") << "txtDescriptionEnc" << QRect(5970, 90, 5715, 1350);
        QTest::newRow("datHomeopathy") << "datHomeopathy" << QRect(180, 1290, 3720, 435);
        QTest::newRow("fraSympt") << "fraSympt" << QRect(90, 1920, 11700, 6030);
        QTest::newRow("txtModalities") << "txtModalities" << QRect(120, 300, 3775, 605);
        QTest::newRow("txtUrine") << "txtUrine" << QRect(7800, 3630, 3745, 605);
        QTest::newRow("txtStool") << "txtStool" << QRect(7800, 5340, 2235, 605);
        QTest::newRow("lblPotency") << "lblPotency" << QRect(10080, 5100, 1500, 240);
        QTest::newRow("txtPotency") << "txtPotency" << QRect(10080, 5340, 1500, 605);
        QTest::newRow("cmdControls") << "cmdControls" << QRect(4800, 1560, 345, 255);
        QTest::newRow("fraControls") << "fraControls" << QRect(3600, 4800, 3735, 2445);
    }
    void designedLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsRect);
        Program fixture;
        PageManager::instance().page<MainMenu>()->setScreenMode(QStringLiteral("0"));
        Page *page = PageManager::instance().page(QStringLiteral("frmHomeo"));
        QWidget *w = child(page, name);
        QVERIFY(w);
        QCOMPARE(w->geometry(), twips::toPx(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    }

    void freshPage()
    {
        Program fixture;
        RemedyPage *page = showPage();
        QVERIFY(page);
        QCOMPARE(page->windowTitle(), QStringLiteral("Materia Medica: Remedies and Symptoms"));
        QCOMPARE(page->dataControl()->caption(), QStringLiteral("     Materia Medica"));
        // The first remedy in name order, though the databank holds another one first.
        QCOMPARE(text(page, "txtHomeoName"), Remedies[0].name);
        QCOMPARE(text(page, "txtAfflictionsDec"), Remedies[0].afflictions);
        QVERIFY(text(page, "txtAfflictions") != Remedies[0].afflictions); // stored in code
        QCOMPARE(text(page, "txtDescriptionDec"), Remedies[0].profile);
        QCOMPARE(text(page, "lblHeading"), QStringLiteral("Afflictions:"));
        QCOMPARE(text(page, "cmdDescription"), QStringLiteral("View Remedy Profile"));
        QVERIFY(child(page, "txtAfflictionsDec")->isVisible());
        QVERIFY(child(page, "txtDescriptionDec")->isHidden());
        QVERIFY(fixture.program.desktop.messages.isEmpty());

        // The display box lies in front of the three other boxes at its place.
        QCOMPARE(frontBox(page), QStringLiteral("txtAfflictionsDec"));

        // Every bound box has a name for assistive tools.
        for (const QString &name : BoundBoxes)
            QVERIFY2(!child(page, name)->accessibleName().isEmpty(), qPrintable(name));
    }

    void remedyNameList()
    {
        Program fixture(false);
        Page *page = PageManager::instance().page(QStringLiteral("frmHomeo"));
        auto *list = child<QListWidget>(page, "List1");
        QVERIFY(list);
        QCOMPARE(list->count(), 436);
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
            QVERIFY2(items.last().startsWith(u' ') && !items.last().startsWith(QLatin1String("  ")),
                qPrintable(items.last()));
        }
        QCOMPARE(items.first(), QStringLiteral(" Abies (Pinus) Canadensis"));
        QCOMPARE(items.last(), QStringLiteral(" Zingiber"));
        // The stored order is alphabetical but for two places.
        QStringList outOfOrder;
        for (int i = 1; i < items.size(); ++i) {
            if (QString::compare(items[i - 1], items[i], Qt::CaseInsensitive) > 0)
                outOfOrder << items[i - 1].trimmed() + QStringLiteral(" > ") + items[i].trimmed();
        }
        QCOMPARE(outOfOrder,
            (QStringList { "Calcium Sulfuricum > Calcium Silicatum", "Rhus Toxicodendron > Rhododendron Chrysantum" }));
    }

    void profileSwitch_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<bool>("profileShown");
        QTest::newRow("never used") << 0 << "View Remedy Profile"
                                    << "Afflictions:" << false;
        QTest::newRow("once") << 1 << "Hide Remedy Profile"
                              << "Remedy Profile of Mother Tincture:" << true;
        QTest::newRow("twice") << 2 << "Remedy Profile"
                               << "Afflictions:" << false;
        QTest::newRow("three times") << 3 << "Hide Remedy Profile"
                                     << "Remedy Profile of Mother Tincture:" << true;
    }
    void profileSwitch()
    {
        QFETCH(int, clicks);
        QFETCH(QString, caption);
        QFETCH(QString, heading);
        QFETCH(bool, profileShown);
        Program fixture;
        RemedyPage *page = showPage();
        for (int i = 0; i < clicks; ++i)
            click(page, "cmdDescription");
        QCOMPARE(text(page, "cmdDescription"), caption);
        QCOMPARE(text(page, "lblHeading"), heading);
        QCOMPARE(
            frontBox(page), profileShown ? QStringLiteral("txtDescriptionDec") : QStringLiteral("txtAfflictionsDec"));
    }

    void everyMoveRefreshesBothDisplayBoxes_data()
    {
        QTest::addColumn<bool>("profileShown");
        QTest::newRow("afflictions shown") << false;
        QTest::newRow("profile shown") << true;
    }
    void everyMoveRefreshesBothDisplayBoxes()
    {
        QFETCH(bool, profileShown);
        Program fixture;
        RemedyPage *page = showPage();
        if (profileShown)
            click(page, "cmdDescription");
        for (qsizetype i = 0; i < Remedies.size(); ++i) {
            if (i > 0)
                stepNext(page);
            QCOMPARE(text(page, "txtHomeoName"), Remedies[i].name);
            QCOMPARE(text(page, "txtAfflictionsDec"), Remedies[i].afflictions);
            QCOMPARE(text(page, "txtDescriptionDec"), Remedies[i].profile);
            // The switch keeps its state while moving.
            QCOMPARE(child(page, "txtDescriptionDec")->isVisible(), profileShown);
        }
    }

    void pageOpenedByFind_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name beginning") << Criterion::like("HomeoName", "bry") << "Bryonia";
        QTest::newRow("exact name") << Criterion::equals("HomeoName", "Calendula") << "Calendula";
        QTest::newRow("no match") << Criterion::like("HomeoName", "Sulphur") << "Aconite";
    }
    void pageOpenedByFind()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, shown);
        Program fixture;
        PageManager &pages = PageManager::instance();
        auto *data = pages.control<DataControl>(QStringLiteral("frmHomeo"), QStringLiteral("datHomeopathy"));
        QVERIFY(data);
        QVERIFY(pages.existing(QStringLiteral("frmHomeo"))->isHidden());
        data->findFirst(criterion);
        RemedyPage *page = showPage();
        QCOMPARE(text(page, "txtHomeoName"), shown);
        const auto remedy
            = std::find_if(Remedies.begin(), Remedies.end(), [&](const Remedy &r) { return r.name == shown; });
        QCOMPARE(text(page, "txtAfflictionsDec"), remedy->afflictions);
    }

    void unloadClosesTheCursor()
    {
        Program fixture;
        PageManager &pages = PageManager::instance();
        RemedyPage *page = showPage();
        page->dataControl()->moveLast();
        pages.closeAndDiscard(page);
        QVERIFY(!page->dataControl()->isOpen());
        flushDeletions();
        QVERIFY(!pages.existing(QStringLiteral("frmHomeo")));
        auto *data = pages.control<DataControl>(QStringLiteral("frmHomeo"), QStringLiteral("datHomeopathy"));
        QCOMPARE(data->fieldValue(QStringLiteral("HomeoName")).value_or(QString()), Remedies[0].name);
    }

    void buttonsShowPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        QTest::newRow("cmdReadFirst") << "cmdReadFirst"
                                      << "frmReadFirst";
        QTest::newRow("cmdSampleAcne") << "cmdSampleAcne"
                                       << "frmSampleAcne";
        QTest::newRow("cmdNamesTip") << "cmdNamesTip"
                                     << "frmNamesTip";
        QTest::newRow("cmdAfflictions") << "cmdAfflictions"
                                        << "frmAfflictions";
        QTest::newRow("cmdSearch") << "cmdSearch"
                                   << "frmSearch";
        QTest::newRow("cmdPrint") << "cmdPrint"
                                  << "frmPrint";
    }
    void buttonsShowPages()
    {
        QFETCH(QString, button);
        QFETCH(QString, target);
        Program fixture;
        RemedyPage *page = showPage();
        click(page, qPrintable(button));
        Page *shown = PageManager::instance().existing(target);
        QVERIFY(shown);
        QVERIFY(shown->isVisible());
        QVERIFY(page->isVisible()); // the remedy page stays open on its record
        QCOMPARE(text(page, "txtHomeoName"), Remedies[0].name);
    }

    void printout_data()
    {
        QTest::addColumn<QString>("remedy");
        QTest::addColumn<bool>("profileShown");
        QTest::addColumn<QString>("expected");
        // Multi-line fields, empty fields among filled ones, and the decoded afflictions.
        QTest::newRow("filled record") << "Calendula" << false << "printout-calendula.txt";
        QTest::newRow("profile switched on") << "Calendula" << true << "printout-calendula.txt";
        // Two name lines, then every heading between empty lines.
        QTest::newRow("empty record") << "Blank Remedy" << false << "printout-blank.txt";
    }
    void printout()
    {
        QFETCH(QString, remedy);
        QFETCH(bool, profileShown);
        QFETCH(QString, expected);
        Program fixture;
        RemedyPage *page = showPage();
        page->dataControl()->findFirst(Criterion::equals(QStringLiteral("HomeoName"), remedy));
        if (profileShown)
            click(page, "cmdDescription");
        const QByteArray want = readFile(Fixtures + QLatin1Char('/') + expected);
        QCOMPARE(page->printoutText().toUtf8(), want);

        click(page, "cmdPrint");
        auto *print = PageManager::instance().existing<PrintPage>();
        QVERIFY(print && print->isVisible());
        QCOMPARE(
            print->rtfPrint()->text(), QString::fromUtf8(want).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        QCOMPARE(text(page, "txtHomeoName"), remedy);
    }

    void countLeavesThePageOnTheLastRemedy()
    {
        Program fixture;
        RemedyPage *page = showPage();
        click(page, "cmdTotal");
        QCOMPARE(fixture.program.desktop.messages, QStringList { QStringLiteral("4 Entries") });
        QCOMPARE(text(page, "txtHomeoName"), Remedies.last().name);
    }

    void saveListReplacesTheFile()
    {
        Program fixture;
        fixture.program.write(QStringLiteral("HPRemedies.txt"), QByteArray(100000, 'x'));
        RemedyPage *page = showPage();
        click(page, "cmdSaveToText");
        click(page, "cmdSaveToText");
        QVERIFY(fixture.program.desktop.messages.isEmpty());
        const QByteArray written = readFile(fixture.program.file(QStringLiteral("HPRemedies.txt")));
        auto *list = child<QListWidget>(page, "List1");
        QByteArray want;
        for (int i = 0; i < list->count(); ++i)
            want += list->item(i)->text().toUtf8() + "\r\n";
        QCOMPARE(written, want);
        QVERIFY(written.startsWith(" Abies (Pinus) Canadensis\r\n Abies Nigra\r\n"));
        QCOMPARE(written.count("\r\n"), 436);
    }

    void unwritableExportIsReported()
    {
        Program fixture;
        // A folder in the way cannot be replaced by a file, whoever runs the test.
        QVERIFY(QDir(fixture.program.folder()).mkdir(QStringLiteral("HPRemedies.txt")));
        RemedyPage *page = showPage();
        click(page, "cmdSaveToText");
        QCOMPARE(fixture.program.desktop.messages.size(), 1);
        QVERIFY2(fixture.program.desktop.messages[0].contains(QLatin1String("HPRemedies.txt")),
            qPrintable(fixture.program.desktop.messages[0]));
        QVERIFY(QFileInfo(fixture.program.file(QStringLiteral("HPRemedies.txt"))).isDir());
    }

    void brokenDatabank_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a databank") << QByteArray("Standard Jet DB\0\0\0garbage", 25);
    }
    void brokenDatabank()
    {
        QFETCH(QByteArray, content);
        Program fixture(false);
        if (!content.isEmpty())
            fixture.program.write(QStringLiteral("Homeopathy.mdb"), content);
        RemedyPage *page = showPage();
        QVERIFY(page);
        QCOMPARE(fixture.program.desktop.messages.size(), 1);
        QVERIFY(fixture.program.desktop.messages[0].contains(QLatin1String("Homeopathy.mdb")));
        QCOMPARE(text(page, "txtHomeoName"), QString());
        // Still usable: stepping, switching, printing and counting do not fail.
        stepNext(page);
        click(page, "cmdDescription");
        QVERIFY(page->printoutText().startsWith(QLatin1String("Homeopathic Remedy: \r\nEnglish Name: \r\n")));
        click(page, "cmdTotal");
        QCOMPARE(fixture.program.desktop.messages.last(), QStringLiteral(" Entries"));
    }

    void modesDecideWhatCanBeEdited_data()
    {
        QTest::addColumn<bool>("maintenance");
        QTest::newRow("normal use") << false;
        QTest::newRow("maintenance") << true;
    }
    void modesDecideWhatCanBeEdited()
    {
        QFETCH(bool, maintenance);
        Program fixture(true, maintenance);
        RemedyPage *page = showPage();
        for (const QString &name : BoundBoxes)
            QVERIFY2(isReadOnly(child(page, name)) != maintenance, qPrintable(name));
        QVERIFY(isReadOnly(child(page, "txtAfflictionsDec")));
        QVERIFY(isReadOnly(child(page, "txtDescriptionDec")));
        QWidget *controlsButton = child(page, "cmdControls");
        QWidget *controls = child(page, "fraControls");
        QCOMPARE(controlsButton->isVisible(), maintenance);
        QVERIFY(!controls->isVisible());
        if (maintenance) {
            click(page, "cmdControls");
            QVERIFY(controls->isVisible());
            click(page, "cmdControls");
            QVERIFY(!controls->isVisible());
        }
    }

    void maintenanceEditIsWrittenBack_data()
    {
        QTest::addColumn<QString>("leaving");
        QTest::newRow("moving on") << "move";
        QTest::newRow("closing the page") << "close";
        QTest::newRow("ending the program") << "end";
    }
    void maintenanceEditIsWrittenBack()
    {
        QFETCH(QString, leaving);
        Program fixture(true, true);
        RemedyPage *page = showPage();
        auto *mind = child<QPlainTextEdit>(page, "txtMind");
        mind->selectAll();
        QTest::keyClicks(mind, QStringLiteral("Restless and anxious"));
        PageManager &pages = PageManager::instance();
        if (leaving == QLatin1String("move"))
            stepNext(page);
        else if (leaving == QLatin1String("close"))
            pages.closeAndDiscard(page);
        else
            pages.endProgram();
        QCOMPARE(stored(fixture.program.file(QStringLiteral("Homeopathy.mdb")), QStringLiteral("Aconite"),
                     QStringLiteral("Mind")),
            QStringLiteral("Restless and anxious"));
        QVERIFY(fixture.program.desktop.messages.isEmpty());
    }
};

QTEST_MAIN(TestRemedyPage)
#include "tst_remedypage.moc"
